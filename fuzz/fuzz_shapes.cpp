// Arbitrary bytes as a shapes file, read the ways the game reads one: at start-up (pieces and
// figures), by the Open command over a collection in use, and by the removal rewrite. Every input
// must end in a loaded collection or in a message, and a file that cannot be used must leave the
// collection in use as it was.
#include "board/Game.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

using namespace kalido;

namespace {

// A platform that answers every question with `answer`, picks `pick` in the file dialog and
// writes files directly; it counts the messages it was shown.
struct QuietHost : Dialogs, MediaControl, Chance, ScreenMetrics, Process, Forms, HelpViewer, FileWriter {
    MsgAnswer MsgBox(const std::string&, MsgStyle, const std::string&) override
    {
        ++messages;
        return answer;
    }
    std::string ShowFileDialog(FileDialogMode, const std::string&, const std::string&) override { return pick; }
    void ShowAboutForm() override {}
    void ShowAllShapes() override {}
    void FocusBoard() override {}
    void ShowContents(const std::string&) override {}
    std::string Replace(const std::string& path, const std::string& content) override
    {
        ++replaced;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        return {};
    }
    void SendString(const std::string&) override {}
    double Timer() override { return 0; }
    void Randomize(double) override {}
    double Rnd() override { return 0.5; }
    float TwipsPerPixelX() const override { return 15; }
    float TwipsPerPixelY() const override { return 15; }
    std::string CurrentDirectory() const override { return directory; }
    void End() override { ++ends; }

    std::string directory;
    std::string pick;
    MsgAnswer answer = MsgAnswer::Yes;
    int messages = 0, replaced = 0, ends = 0;
    Host host{*this, *this, *this, *this, *this, *this, *this, *this};
};

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

bool sameCollection(const FigureCollection& a, const FigureCollection& b)
{
    return a.FigureCount == b.FigureCount && a.FigOrient == b.FigOrient && a.FigX == b.FigX && a.FigY == b.FigY;
}

void checkLoaded(const FigureCollection& c)
{
    check(c.FigureCount >= 0 && c.FigureCount <= MaxFigures, "the figure count is 0 to 500");
    for (int n = 1; n <= c.FigureCount; ++n)
        for (const auto o : c.FigOrient[n])
            check(o >= 0 && o < OrientCount, "every loaded orientation is 0 to 7");
}

std::filesystem::path workDir;
// A game started on the bundled collection, over which the Open command reads each input.
std::unique_ptr<QuietHost> openHost;
std::unique_ptr<Game> openGame;
// A game started afresh on each input. Start-up sets every value it reads or computes, so one
// game serves all inputs and saves making its five pictures every time.
std::unique_ptr<QuietHost> startHost;
std::unique_ptr<Game> startGame;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    const char* shm = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(shm) + "/kalido-fuzz-XXXXXX";
    check(mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    workDir = pattern;

    openHost = std::make_unique<QuietHost>();
    openHost->directory = KALIDO_DATA_DIR "/";
    openGame = std::make_unique<Game>(openHost->host);
    check(openGame->Form_Load(), "the bundled shapes file loads");
    startHost = std::make_unique<QuietHost>();
    startHost->directory = workDir.string() + "/";
    startGame = std::make_unique<Game>(startHost->host);
    std::atexit([] {
        openGame.reset();
        startGame.reset();
        std::error_code ignored;
        std::filesystem::remove_all(workDir, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = (workDir / Game::DefaultShapesFile).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;

    // The Open command: a file that cannot be used is reported and changes nothing.
    {
        Game& game = *openGame;
        const FigureCollection before = game;
        const std::string shapesFile = game.ShapesFile;
        openHost->messages = 0;
        openHost->pick = path;
        game.OpenShapesFile();
        if (openHost->messages > 0) {
            check(sameCollection(game, before), "a refused file leaves the collection in use");
            check(game.ShapesFile == shapesFile, "a refused file leaves the file in use");
        } else {
            check(game.ShapesFile == path, "an opened file becomes the file in use");
            checkLoaded(game);
            static_cast<FigureCollection&>(game) = before; // back to the bundled collection
            game.ShapesFile = shapesFile;
        }
    }

    // Start-up on the file, then the removal of the figure shown.
    QuietHost& quiet = *startHost;
    quiet.messages = quiet.replaced = quiet.ends = 0;
    Game& game = *startGame;
    if (!game.Form_Load()) {
        check(quiet.messages > 0, "a start-up that stops says why");
        return 0;
    }
    check(quiet.messages == 0 && quiet.ends == 0, "a start-up that goes on shows nothing");
    checkLoaded(game);
    if (game.FigureCount == 0)
        return 0;
    check(game.CurrentFigure >= 1 && game.CurrentFigure <= game.FigureCount, "the figure shown is in the collection");
    game.RemoveFigure();
    if (quiet.replaced == 0) {
        check(quiet.messages == 2, "a refused removal says why, after its question");
        std::ifstream in(path, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        check(after == bytes, "a refused removal leaves the file as it was");
    } else {
        check(quiet.messages == 1 && quiet.ends == 0, "the file left by a removal loads again");
        checkLoaded(game);
    }
    return 0;
}
