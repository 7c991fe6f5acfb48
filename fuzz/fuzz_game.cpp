// A whole headless game played by events decoded from the input: presses, moves and releases on
// the board with any button and modifier, keys, every command button, the gallery's events, the
// answers to the questions, the files the file dialog picks, and writes that fail. Two games play
// the same events, one repairing only what a drag step moved and one repainting every piece, each
// in its own folder. After every event: the selected piece is a piece or none, both games show the
// same pictures, every key colour in the hit-test image lies where its piece lies, the shapes file
// on disk loads and holds what the game holds, and no file changed but the ones the event may
// change, in the way it may change them.
#include "TestHost.h"
#include "app/PanelLayout.h"

#include <QDir>
#include <QGuiApplication>

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

using namespace kalido;
using namespace kalido::test;

// In hit_scan.cpp: whether every pixel of a key colour keys[i] lies within boxes[i].
bool KeyColoursWithin(const QImage& image, const QRgb* keys, const QRect* boxes, int count);

namespace {

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The files a game folder starts with; the dialog may pick any of these names, or cancel.
const std::vector<std::string> Names = {"KALIDO.kal", "other.kal", "broken.kal", "copy.kal", "new.kal", "missing.kal"};

std::map<std::string, std::string> startFiles()
{
    std::string broken = ThreeFigures();
    broken.resize(broken.size() - 30);
    return {{"KALIDO.kal", ThreeFigures()},
            {"other.kal", ShapesWithRecords({"0,60,60,5,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60",
                                             "7,40,40,0,40,40,0,90,40,0,140,40,0,190,40,0,240,40,0,290,40,0,340,40"})},
            {"broken.kal", broken},
            {"copy.kal", "an old copy\r\n"}};
}

std::map<std::string, std::string> folderFiles(const GameFixture& f)
{
    std::map<std::string, std::string> files;
    for (const QString& name : QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden))
        files[name.toStdString()] = ReadWholeFile(f.Path(name.toStdString())).value_or("(unreadable)");
    return files;
}

// Each file's name, size and time of its last change: what an event that writes nothing leaves alone.
std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> stamps(const GameFixture& f)
{
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> all;
    for (const auto& file : std::filesystem::directory_iterator(f.dir.path().toStdString()))
        all[file.path().filename().string()] = {file.file_size(), file.last_write_time()};
    return all;
}

// The figures a shapes file's text holds, or nothing when it does not load.
std::optional<FigureCollection> figuresOf(const std::string& text)
{
    try {
        SequentialFile file(text);
        FigureCollection c;
        ReadFigureSection(file, c);
        return c;
    } catch (...) {
        return std::nullopt;
    }
}

using Figure = std::array<std::int16_t, 3 * PieceCount>;
Figure figure(const FigureCollection& c, int n)
{
    Figure fig{};
    for (int k = 0; k < PieceCount; ++k)
        fig[3 * k] = c.FigOrient[n][k], fig[3 * k + 1] = c.FigX[n][k], fig[3 * k + 2] = c.FigY[n][k];
    return fig;
}

std::vector<Figure> figureList(const FigureCollection& c)
{
    std::vector<Figure> list;
    for (int n = 1; n <= c.FigureCount; ++n)
        list.push_back(figure(c, n));
    return list;
}

struct GalleryEvent {
    int kind, button, x, y;
};

// One event, decoded once and played on both games.
struct Event {
    int kind = 0, button = 0, shift = 0, index = 0;
    float x = 0, y = 0;
    std::deque<MsgAnswer> answers;
    std::string pick; // empty: the dialog is cancelled
    bool writeFails = false;
    std::vector<GalleryEvent> gallery;
};

constexpr int Buttons[] = {0, LeftButton, RightButton, MiddleButton, LeftButton | RightButton};
constexpr int Keys[] = {KeyTab, KeyLeft, KeyUp, KeyRight, KeyDown, KeyPad2, KeyPad4, KeyPad6, KeyPad8, KeyEscape, 65};
constexpr MsgAnswer Answers[] = {MsgAnswer::Ok, MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::No};

Event decode(FuzzedDataProvider& in)
{
    Event e;
    e.kind = in.ConsumeIntegralInRange(0, 5);
    e.button = Buttons[in.ConsumeIntegralInRange<int>(0, std::size(Buttons) - 1)];
    e.shift = in.ConsumeIntegralInRange(0, 7);
    // Anywhere on the board and a little beyond it.
    e.x = static_cast<float>(in.ConsumeIntegralInRange(-20, BoardWidth + 20));
    e.y = static_cast<float>(in.ConsumeIntegralInRange(-20, BoardHeight + 20));
    if (e.kind == 3)
        e.index = Keys[in.ConsumeIntegralInRange<int>(0, std::size(Keys) - 1)];
    if (e.kind == 4) {
        e.index = in.ConsumeIntegralInRange(0, MenuButtonCount - 1);
        for (int n = in.ConsumeIntegralInRange(0, 4); n > 0; --n)
            e.answers.push_back(Answers[in.ConsumeIntegralInRange(0, 3)]);
        const int pick = in.ConsumeIntegralInRange<int>(0, Names.size());
        e.pick = pick == 0 ? "" : Names[pick - 1];
        e.writeFails = in.ConsumeBool();
    }
    if (e.kind == 4 || e.kind == 5)
        for (int n = in.ConsumeIntegralInRange(0, 6); n > 0; --n)
            e.gallery.push_back({in.ConsumeIntegralInRange(0, 4), Buttons[in.ConsumeIntegralInRange(0, 2)],
                                 in.ConsumeIntegralInRange(-200, GalleryPitch * GalleryColumns + 200),
                                 in.ConsumeIntegralInRange(-200, GalleryPitch * GalleryRows + 200)});
    return e;
}

void playGallery(Game& g, const Event& e)
{
    g.AllShapes_Activate();
    for (const GalleryEvent& ge : e.gallery) {
        if (!g.GalleryShown)
            return;
        const auto x = static_cast<float>(ge.x), y = static_cast<float>(ge.y);
        switch (ge.kind) {
        case 0:
            g.AllShapes_MouseMove(0, 0, x, y);
            break;
        case 1:
            g.AllShapes_MouseUp(ge.button, 0, x, y);
            break;
        case 2:
            g.Label1_MouseUp(ge.button, 0, 0, 0);
            break;
        case 3:
            if (g.VScroll1Enabled)
                g.VScroll1_Change(std::clamp(ge.x / 40, 0, g.VScroll1Max));
            break;
        default:
            g.AllShapes_KeyDown(ge.y % 2 ? KeyEscape : 65, 0);
            break;
        }
    }
}

void play(GameFixture& f, const Event& e)
{
    Game& g = *f.game;
    switch (e.kind) {
    case 0:
        g.Picture1_MouseDown(e.button, e.shift, e.x, e.y);
        break;
    case 1:
        g.Picture1_MouseMove(e.button, e.shift, e.x, e.y);
        break;
    case 2:
        g.Picture1_MouseUp(e.button, e.shift, e.x, e.y);
        break;
    case 3:
        g.Picture1_KeyDown(e.index, e.shift & (ShiftMask | CtrlMask));
        break;
    case 4:
        f.fake.dialogs.answers = e.answers;
        f.fake.dialogs.picks.clear();
        if (!e.pick.empty())
            f.fake.dialogs.picks.push_back(f.Path(e.pick));
        f.fake.files.failWith = e.writeFails ? "No space left on device" : "";
        g.MenuButx_MouseMove(e.index, 0, 0, 0, 0);
        g.MenuButx_MouseUp(e.index, e.button, e.shift, 0, 0);
        break;
    default:
        g.TargetKal_MouseUp(1, e.button, e.shift, 0, 0);
        break;
    }
}

// Every key colour in the hit-test image lies within its piece's outline where the piece lies (a
// lifted piece stays where its drag began until the drop).
void checkHitImage(const Game& g)
{
    std::array<QRect, PieceCount> box;
    std::array<QRgb, PieceCount> key;
    for (int i = 0; i < PieceCount; ++i) {
        const bool lifted = i == g.SelectedPiece && g.DragFirstMove == 0;
        const int x = g.OriginX + (lifted ? g.DragFromX[i] : g.PieceX[i]);
        const int y = g.OriginY + (lifted ? g.DragFromY[i] : g.PieceY[i]);
        box[i] = Game::OutlineBox(g.PieceOutline(i, g.PieceOrient[i], x, y));
        const Colour c = g.PieceColor[i]; // &H00BBGGRR
        key[i] = qRgb(static_cast<int>(c & 0xff), static_cast<int>((c >> 8) & 0xff), static_cast<int>(c >> 16));
    }
    check(KeyColoursWithin(g.HitImage.Image(), key.data(), box.data(), PieceCount),
          "a piece's key colour lies where the piece lies");
}

struct Folder {
    std::map<std::string, std::string> files;
    std::string shapesFile; // the name of the file in use, in the folder
};

std::string nameIn(const GameFixture& f, const std::string& shapesFile)
{
    return QFileInfo(QString::fromStdString(f.game->FullPath(shapesFile))).fileName().toStdString();
}

// What the event did to the files of the main game's folder, against what it may do.
void checkFiles(const GameFixture& f, const Event& e, const Folder& before, int wasCurrent, const PerPiece<int>& wasX,
                const PerPiece<int>& wasY, const PerPiece<int>& wasOrient)
{
    const Game& g = *f.game;
    const auto now = folderFiles(f);
    const std::string word = e.kind == 4 ? g.MenuButx[e.index].ToolTipText : "";
    const std::string inUse = nameIn(f, g.ShapesFile);
    check(now.count(inUse) == 1, "the file in use is there");
    const auto loaded = figuresOf(now.at(inUse));
    check(loaded.has_value(), "the file in use loads");
    check(figureList(*loaded) == figureList(g), "the game holds what the file in use holds");

    for (const auto& [name, bytes] : now) {
        const auto old = before.files.find(name);
        if (old != before.files.end() && old->second == bytes)
            continue;
        check(!e.writeFails, "a write that fails changes no file");
        if (name != before.shapesFile) {
            check(word == "Save Kalido file as" && name == e.pick, "only the copy's target is written");
            check(bytes == before.files.at(before.shapesFile), "a copy is the file in use, byte for byte");
            continue;
        }
        const auto had = figureList(*figuresOf(old->second));
        auto expected = had;
        if (word == "Remove existing Kalido") {
            check(wasCurrent >= 1 && wasCurrent <= static_cast<int>(had.size()), "the figure removed was on show");
            expected.erase(expected.begin() + (wasCurrent - 1));
        } else {
            check(word == "Append existing Kalido", "only Remove and Append change the file in use");
            Figure fig = figure(*loaded, loaded->FigureCount);
            // The new figure is the arrangement on the board, wherever it lay.
            for (int k = 0; k < PieceCount; ++k)
                check(fig[3 * k] == wasOrient[k] && fig[3 * k + 1] - fig[1] == wasX[k] - wasX[0] &&
                          fig[3 * k + 2] - fig[2] == wasY[k] - wasY[0],
                      "the figure appended is the arrangement on the board");
            expected.push_back(fig);
        }
        check(figureList(*loaded) == expected, "the file holds what it held, plus the figure appended or minus the "
                                               "one removed");
    }
    for (const auto& [name, bytes] : before.files)
        check(now.count(name) == 1, "no file disappears");
}

// The two games live across inputs, so that their pictures are made once; each input starts them
// afresh: the folder holds the start files only, start-up runs again on clean pictures, and what
// start-up leaves as it was (a drag's traces, the gallery's page, the key piece) is put back.
std::unique_ptr<GameFixture> mainGame, twinGame;

void restart(GameFixture& f)
{
    for (const QString& name : QDir(f.dir.path()).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(f.dir.filePath(name));
    for (const auto& [name, bytes] : startFiles())
        f.WriteShapes(bytes, name);
    Game& g = *f.game;
    for (Surface* surface : {&g.Picture1, &g.HitImage, &g.TargetKal[0], &g.TargetKal[1], &g.AllShapesPicture})
        surface->Cls();
    g.DragFirstMove = 0;
    g.DragStartX = g.DragStartY = g.LastMouseX = 0;
    g.LastMouseY = 0;
    g.DragFromX = g.DragFromY = {};
    g.DragAnchorX = g.DragAnchorY = 0;
    g.KeyPiece = 0;
    g.GalleryOffset = 0;
    g.GalleryShown = g.VScroll1Enabled = false;
    g.VScroll1Max = g.VScroll1Value = 0;
    g.Label1Caption.clear();
    g.FigureSolved = 0;
    g.Picture1Enabled = true;
    SetUpMenuButtons(g, QBColor(7));
    for (MenuButton& button : g.MenuButx)
        button.Latched = false;
    FakeHost& fake = f.fake;
    fake.dialogs.shown.clear(), fake.forms.shown.clear(), fake.media.commands.clear(), fake.help.shown.clear();
    fake.chance.seeds.clear();
    check(f.Load(), "the game starts");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    // The game folders are written at every event: in memory where there is a place for it.
    if (QDir("/dev/shm").exists())
        qputenv("TMPDIR", "/dev/shm");
    mainGame = std::make_unique<GameFixture>();
    twinGame = std::make_unique<GameFixture>();
    twinGame->game->RepairOnlyWhatMoved = false;
    std::atexit([] { mainGame.reset(), twinGame.reset(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    GameFixture& f = *mainGame;
    GameFixture& twin = *twinGame;
    restart(f);
    restart(twin);

    while (in.remaining_bytes() > 0) {
        const Event e = decode(in);
        Game& g = *f.game;
        // Only the commands reach the files: the others are held to leaving every file alone.
        const bool command = e.kind == 4;
        const Folder before = command ? Folder{folderFiles(f), nameIn(f, g.ShapesFile)} : Folder{};
        const auto stamped = command ? decltype(stamps(f)){} : stamps(f);
        const int wasCurrent = g.CurrentFigure;
        const auto wasX = g.PieceX, wasY = g.PieceY, wasOrient = g.PieceOrient;
        for (GameFixture* each : {&f, &twin}) {
            each->fake.forms.whileOpen = [each, &e] {
                if (each->fake.forms.shown.back() == "AllShapes")
                    playGallery(*each->game, e);
            };
            play(*each, e);
        }

        check(g.SelectedPiece == NoPiece || (g.SelectedPiece >= 0 && g.SelectedPiece < PieceCount),
              "the selected piece is a piece or none");
        const Game& t = *twin.game;
        check(g.Picture1.Image() == t.Picture1.Image(), "the board repaired is the board repainted");
        check(g.HitImage.Image() == t.HitImage.Image(), "the hit-test images agree");
        check(g.TargetKal[1].Image() == t.TargetKal[1].Image(), "the target views agree");
        checkHitImage(g);
        if (command)
            checkFiles(f, e, before, wasCurrent, wasX, wasY, wasOrient);
        else
            check(stamps(f) == stamped, "an event that is no command writes no file");
    }
    return 0;
}
