// Speed of what a player feels: loading the shapes file, one drag step and one key move on the
// board, showing a figure in the target view, the designer's checks, and the gallery's page. The
// game plays on a collection of 500 figures (the most a file may hold), made from the bundled ones.
#include "board/Game.h"
#include "platform/PictureBox.h"
#include "play/Judge.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>

using namespace kalido;

namespace {

// A quiet platform: the benchmarks play no sound and answer every message box at once.
struct QuietHost : Dialogs, MediaControl, Chance, ScreenMetrics, Process, Forms, HelpViewer, FileWriter {
    MsgAnswer MsgBox(const std::string&, MsgStyle, const std::string&) override { return MsgAnswer::Ok; }
    std::string ShowFileDialog(FileDialogMode, const std::string&, const std::string& name) override { return name; }
    void ShowAboutForm() override {}
    void ShowAllShapes() override {}
    void FocusBoard() override {}
    void ShowContents(const std::string&) override {}
    std::string Replace(const std::string&, const std::string&) override { return "not in a benchmark"; }
    void SendString(const std::string&) override {}
    double Timer() override { return 0; }
    void Randomize(double) override {}
    double Rnd() override { return 0; }
    float TwipsPerPixelX() const override { return 15; }
    float TwipsPerPixelY() const override { return 15; }
    std::string CurrentDirectory() const override;
    void End() override {}
    Host host{*this, *this, *this, *this, *this, *this, *this, *this};
};

// A folder holding KALIDO.kal: the bundled header and figures, the figures repeated up to 500.
const QTemporaryDir& gameFolder()
{
    static const QTemporaryDir dir = [] {
        QTemporaryDir made;
        QFile bundled(QStringLiteral(KALIDO_DATA_DIR "/KALIDO.kal"));
        if (!made.isValid() || !bundled.open(QIODevice::ReadOnly))
            throw std::runtime_error("no bundled shapes file or no scratch folder");
        const QList<QByteArray> lines = bundled.readAll().split('\n');
        QByteArray text;
        for (int i = 0; i < 65; ++i)
            text += lines[i] + '\n';
        QList<QByteArray> records;
        for (qsizetype i = 65; i < lines.size(); ++i)
            if (lines[i].trimmed().size() > 0)
                records.append(lines[i].trimmed());
        for (int n = 1; n <= 500; ++n) {
            const QByteArray& record = records[(n - 1) % records.size()];
            text += QByteArray::number(n) + record.mid(record.indexOf(',')) + "\r\n";
        }
        QFile out(made.filePath(QStringLiteral("KALIDO.kal")));
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
            throw std::runtime_error("cannot write the shapes file");
        return made;
    }();
    return dir;
}

std::string QuietHost::CurrentDirectory() const { return gameFolder().path().toStdString(); }

// Shows a picture box and lets the platform expose it, so that repainting it really paints;
// counts its paint events.
struct ShownView : QObject {
    ShownView(Surface& surface)
        : view(surface, nullptr)
    {
        view.installEventFilter(this);
        view.show();
        for (int i = 0; i < 1000 && !(view.windowHandle() && view.windowHandle()->isExposed()); ++i)
            QCoreApplication::processEvents();
        if (!view.windowHandle()->isExposed())
            throw std::runtime_error("the picture box was never exposed");
        QCoreApplication::processEvents();
        surface.OnRefresh = [this](const QRect& r) { dirty = r; };
        paints = 0;
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    PictureBox view;
    QRect dirty;
    int paints = 0;
};

struct LoadedGame {
    LoadedGame()
    {
        if (!game.Form_Load())
            throw std::runtime_error("the bundled shapes file did not load");
    }
    QuietHost quiet;
    Game game{quiet.host};
};

// Lifts piece 4 and returns the pointer position of the lift.
std::pair<float, float> startDrag(Game& game)
{
    const auto& v = game.ShapeVerts[4][game.PieceOrient[4]];
    const float x = static_cast<float>(game.OriginX + game.PieceX[4] + (v[1] + v[3] + v[5]) / 3);
    const float y = static_cast<float>(game.OriginY + game.PieceY[4] + (v[2] + v[4] + v[6]) / 3);
    game.Picture1_MouseDown(LeftButton, 0, x, y);
    game.Picture1_MouseMove(LeftButton, 0, x, y);
    return {x, y};
}

void BM_DragStep(benchmark::State& state)
{
    LoadedGame loaded;
    Game& game = loaded.game;
    const auto [x, y] = startDrag(game);
    int step = 0;
    for (auto _ : state) {
        const float d = static_cast<float>(step++ % 120);
        game.Picture1_MouseMove(LeftButton, 0, x - d, y - d);
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

// The same step with the board widget painting what the step changed, as the screen does.
void BM_DragStepWithRepaint(benchmark::State& state)
{
    LoadedGame loaded;
    Game& game = loaded.game;
    ShownView shown(game.Picture1);
    const auto [x, y] = startDrag(game);
    int step = 0;
    for (auto _ : state) {
        const float d = static_cast<float>(step++ % 120);
        game.Picture1_MouseMove(LeftButton, 0, x - d, y - d);
        shown.view.repaint(shown.dirty);
    }
    state.counters["paints per step"] = static_cast<double>(shown.paints) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DragStepWithRepaint)->Unit(benchmark::kMicrosecond);

void BM_ShowFigure(benchmark::State& state)
{
    LoadedGame loaded;
    Game& game = loaded.game;
    int n = 0;
    for (auto _ : state) {
        game.CurrentFigure = 1 + n++ % game.FigureCount;
        game.ShowFigure();
    }
}
BENCHMARK(BM_ShowFigure)->Unit(benchmark::kMicrosecond);

// One arrow key: the key piece moves a pixel, and the board is drawn afresh.
void BM_KeyMove(benchmark::State& state)
{
    LoadedGame loaded;
    int n = 0;
    for (auto _ : state)
        loaded.game.Picture1_KeyDown(n++ % 2 ? KeyLeft : KeyRight, 0);
}
BENCHMARK(BM_KeyMove)->Unit(benchmark::kMicrosecond);

// Start-up's reading of the shapes file: the piece geometry, then the 500 figures.
void BM_LoadPieceShapes(benchmark::State& state)
{
    LoadedGame loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(loaded.game.LoadPieceShapes());
}
BENCHMARK(BM_LoadPieceShapes)->Unit(benchmark::kMicrosecond);

void BM_LoadFigures(benchmark::State& state)
{
    LoadedGame loaded;
    for (auto _ : state) {
        if (loaded.game.LoadFigures() != Game::LoadResult::Loaded || loaded.game.FigureCount != 500)
            state.SkipWithError("the 500 figures did not load");
    }
}
BENCHMARK(BM_LoadFigures)->Unit(benchmark::kMicrosecond);

// The designer's density measure over the largest box it accepts, 321 x 321 points.
void BM_CoveragePercent(benchmark::State& state)
{
    LoadedGame loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(loaded.game.CoveragePercent(10, 10, 330, 330));
}
BENCHMARK(BM_CoveragePercent)->Unit(benchmark::kMicrosecond);

// The designer's whole check sequence on the first figure laid out, every question answered OK
// (the write at the end is refused here, so the file stays as it is).
void BM_AppendFigureChecks(benchmark::State& state)
{
    LoadedGame loaded;
    Game& game = loaded.game;
    game.FigureCount = 100; // a full collection would refuse at once
    game.CopyFigure();
    for (auto _ : state)
        game.AppendFigure();
}
BENCHMARK(BM_AppendFigureChecks)->Unit(benchmark::kMicrosecond);

// A full gallery page of 64 figures, and one scroll step (clear, draw, show).
void BM_GalleryPage(benchmark::State& state)
{
    LoadedGame loaded;
    Game& game = loaded.game;
    for (auto _ : state) {
        game.AllShapesPicture.Cls();
        game.DrawGalleryPage();
    }
}
BENCHMARK(BM_GalleryPage)->Unit(benchmark::kMicrosecond);

void BM_GalleryScrollStep(benchmark::State& state)
{
    LoadedGame loaded;
    Game& game = loaded.game;
    ShownView shown(game.AllShapesPicture);
    int row = 0;
    for (auto _ : state) {
        game.VScroll1_Change(8 * (row++ % 55));
        shown.view.repaint(shown.dirty);
    }
    state.counters["paints per step"] = static_cast<double>(shown.paints) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_GalleryScrollStep)->Unit(benchmark::kMicrosecond);

// The processor time this thread has used: on a shared machine, wall time mostly measures the others.
double ThreadMicroseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// From a drop to the verdict: the board drawn afresh with the dropped piece, then the judge. For
// every figure of the collection (the bundled ones first), a few arrangements: its listed tilings
// (the stored one and others, such as mirror images, each piece a few pixels off), and arrangements
// wrong in one way (a piece turned, two pieces swapped), which the judge must search through before
// it refuses them. Reports the median and the worst processor time of one verdict, and of the
// judge alone.
void BM_DropToVerdict(benchmark::State& state)
{
    LoadedGame loaded;
    Game& game = loaded.game;
    const int figures = static_cast<int>(state.range(0));
    std::map<std::string, std::vector<PerPiece<Placing>>> tilings;
    {
        std::ifstream in(KALIDO_TILINGS);
        std::string line, record;
        while (std::getline(in, line)) {
            if (line.rfind("figure ", 0) == 0)
                record = line.substr(line.find(' ', 7) + 1);
            else if (!line.empty() && line[0] != '#' && tilings[record].size() < 8) {
                std::istringstream s(line);
                char comma = 0;
                PerPiece<Placing> t;
                for (Placing& p : t)
                    s >> p.orient >> comma >> p.x >> comma >> p.y;
                tilings[record].push_back(t);
            }
        }
    }
    std::vector<std::pair<int, PerPiece<Placing>>> arrangements;
    for (int n = 1; n <= figures; ++n) {
        std::ostringstream record;
        record << "60,60";
        PerPiece<Placing> stored;
        for (int i = 0; i < PieceCount; ++i) {
            stored[i] = {game.FigOrient[n][i], game.FigX[n][i], game.FigY[n][i]};
            record << "," << stored[i].orient << "," << 60 + stored[i].x << "," << 60 + stored[i].y;
        }
        auto listed = tilings[record.str()];
        listed.push_back(stored);
        for (int k = 0; k < static_cast<int>(listed.size()); ++k) {
            PerPiece<Placing> a = listed[static_cast<std::size_t>(k)];
            for (int i = 0; i < PieceCount; ++i) {
                a[i].x += 80 + (i * 5 + k) % 21 - 10;
                a[i].y += 80 + (i * 3 + k) % 21 - 10;
            }
            arrangements.emplace_back(n, a);
        }
        for (int i = 0; i < PieceCount; ++i) {
            PerPiece<Placing> turned = stored, swapped = stored;
            turned[i].orient = NextOrient(i, turned[i].orient);
            std::swap(swapped[i].x, swapped[(i + 3) % PieceCount].x);
            std::swap(swapped[i].y, swapped[(i + 3) % PieceCount].y);
            for (auto* a : {&turned, &swapped}) {
                for (Placing& p : *a) {
                    p.x += 80;
                    p.y += 80;
                }
                arrangements.emplace_back(n, *a);
            }
        }
    }
    std::vector<double> times, judged;
    int solved = 0;
    for (auto _ : state) {
        for (const auto& [n, a] : arrangements) {
            game.CurrentFigure = n;
            for (int i = 0; i < PieceCount; ++i) {
                game.PieceOrient[i] = a[i].orient;
                game.PieceX[i] = a[i].x;
                game.PieceY[i] = a[i].y;
            }
            const double start = ThreadMicroseconds();
            game.Picture1.Cls();
            game.DrawBoard();
            game.CheckSolved();
            times.push_back(ThreadMicroseconds() - start);
            solved += game.FigureSolved == game.YesValue;
            game.SetPicture1Enabled(true);
            // The judge alone, on the same arrangement.
            PerPiece<Placing> figure;
            for (int i = 0; i < PieceCount; ++i)
                figure[i] = {game.FigOrient[n][i], game.FigX[n][i], game.FigY[n][i]};
            const double judging = ThreadMicroseconds();
            benchmark::DoNotOptimize(JudgeArrangement(game, figure, a, game.PositionTolerance));
            judged.push_back(ThreadMicroseconds() - judging);
        }
    }
    std::sort(times.begin(), times.end());
    std::sort(judged.begin(), judged.end());
    state.counters["arrangements"] = static_cast<double>(arrangements.size());
    state.counters["solved"] = static_cast<double>(solved) / static_cast<double>(state.iterations());
    state.counters["median us"] = times[times.size() / 2];
    state.counters["worst us"] = times.back();
    state.counters["judge median us"] = judged[judged.size() / 2];
    state.counters["judge worst us"] = judged.back();
}
BENCHMARK(BM_DropToVerdict)->Arg(204)->Arg(500)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
