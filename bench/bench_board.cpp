// Speed of the hot paths: one drag step on the board, showing a figure in the target view, the
// designer's checks, and the gallery's page.
#include "board/Game.h"
#include "platform/PictureBox.h"

#include <QApplication>

#include <benchmark/benchmark.h>

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
    std::string CurrentDirectory() const override { return KALIDO_DATA_DIR; }
    void End() override {}
    Host host{*this, *this, *this, *this, *this, *this, *this, *this};
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
    PictureBox view(game.Picture1, nullptr);
    view.show();
    QRect dirty;
    game.Picture1.OnRefresh = [&](const QRect& r) { dirty = r; };
    const auto [x, y] = startDrag(game);
    int step = 0;
    for (auto _ : state) {
        const float d = static_cast<float>(step++ % 120);
        game.Picture1_MouseMove(LeftButton, 0, x - d, y - d);
        view.repaint(dirty);
    }
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
    game.FigureCount = 64; // the rows past the bundled figures hold empty figures: drawn all the same
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
    game.FigureCount = 500;
    PictureBox view(game.AllShapesPicture, nullptr);
    view.show();
    QRect dirty;
    game.AllShapesPicture.OnRefresh = [&](const QRect& r) { dirty = r; };
    int row = 0;
    for (auto _ : state) {
        game.VScroll1_Change(8 * (row++ % 55));
        view.repaint(dirty);
    }
}
BENCHMARK(BM_GalleryScrollStep)->Unit(benchmark::kMicrosecond);

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
