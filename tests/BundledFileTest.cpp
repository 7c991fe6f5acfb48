// The bundled shapes file: piece geometry that keeps its promises, and figures that are real.
#include "TestHost.h"

#include <algorithm>
#include <queue>

using namespace kalido;
using namespace kalido::test;

class BundledFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.Load()); }
    const Game& g() { return *f.game; }

    // How often each pixel of a w x h surface is covered by the given pieces, outlines included,
    // piece i drawn in orientation o with its reference point at (x, y).
    struct Placing {
        int i, o, x, y;
    };
    std::vector<int> cover(const std::vector<Placing>& pieces, int w, int h)
    {
        std::vector<int> count(static_cast<std::size_t>(w * h));
        for (const Placing& p : pieces) {
            Surface s(w, h, QBColor(7));
            s.FillStyle = Fill::Solid;
            s.FillColor = QBColor(0);
            s.ForeColor = QBColor(8);
            s.Polygon(g().PieceOutline(p.i, p.o, p.x, p.y).data(), 4);
            for (int py = 0; py < h; ++py)
                for (int px = 0; px < w; ++px)
                    count[static_cast<std::size_t>(py * w + px)] += s.Point(px, py) != QBColor(7);
        }
        return count;
    }

    GameFixture f{BundledShapes()};
};

TEST_F(BundledFile, outlinesAreCongruentForTwinsStartAtZeroAndReachExactlyTheirExtents)
{
    for (int i = 0; i < 7; ++i) {
        for (int o = 0; o < 8; ++o) {
            const auto& v = g().ShapeVerts[i][o];
            int minX = 1000, minY = 1000, maxX = -1000, maxY = -1000;
            for (int m = 0; m < 5; ++m) {
                minX = std::min<int>(minX, v[2 * m + 1]);
                maxX = std::max<int>(maxX, v[2 * m + 1]);
                minY = std::min<int>(minY, v[2 * m + 2]);
                maxY = std::max<int>(maxY, v[2 * m + 2]);
            }
            EXPECT_EQ(std::tuple(minX, minY, maxX, maxY),
                      std::tuple(0, 0, g().PieceExtentX[i][o], g().PieceExtentY[i][o]))
                << i << "/" << o;
        }
    }
    for (int o = 0; o < 8; ++o) {
        EXPECT_EQ(g().ShapeVerts[0][o], g().ShapeVerts[1][o]) << o;
        EXPECT_EQ(g().ShapeVerts[2][o], g().ShapeVerts[4][o]) << o;
        EXPECT_EQ(g().TurnShiftX[0][o], g().TurnShiftX[1][o]);
        EXPECT_EQ(g().TurnShiftY[2][o], g().TurnShiftY[4][o]);
    }
    // Golden values: the large triangle upright and turned, the parallelogram's mirror image.
    EXPECT_EQ(g().ShapeVerts[0][0], (std::array<std::int16_t, 11>{0, 0, 0, 96, 0, 0, 96, 0, 96, 0, 0}));
    EXPECT_EQ(g().ShapeVerts[0][1], (std::array<std::int16_t, 11>{0, 68, 0, 136, 68, 0, 68, 0, 68, 68, 0}));
    EXPECT_EQ(g().ShapeVerts[6][4], (std::array<std::int16_t, 11>{0, 96, 0, 48, 0, 0, 48, 48, 48, 96, 0}));
}

TEST_F(BundledFile, homesLieInsideTheDropBoundsWithoutOverlapping)
{
    std::vector<Placing> homes;
    for (int i = 0; i < 7; ++i) {
        const int o = g().HomeOrient[i];
        EXPECT_GE(g().HomeX[i], DropMinX) << i;
        EXPECT_GE(g().HomeY[i], DropMinY) << i;
        EXPECT_LE(g().HomeX[i] + g().PieceExtentX[i][o], DropMaxX) << i;
        EXPECT_LE(g().HomeY[i] + g().PieceExtentY[i][o], DropMaxY) << i;
        homes.push_back({i, o, g().OriginX + g().HomeX[i], g().OriginY + g().HomeY[i]});
    }
    const auto count = cover(homes, BoardWidth, BoardHeight);
    EXPECT_EQ(std::count_if(count.begin(), count.end(), [](int c) { return c > 1; }), 0);
}

TEST_F(BundledFile, everyFigureIsAConnectedArrangementOfTheSevenPiecesThatFitsTheView)
{
    ASSERT_GE(g().FigureCount, 20);
    constexpr int W = 300, H = 300;
    for (int n = 1; n <= g().FigureCount; ++n) {
        std::vector<Placing> pieces;
        int maxX = 0, maxY = 0;
        for (int i = 0; i < 7; ++i) {
            const int o = g().FigOrient[n][i];
            pieces.push_back({i, o, 10 + g().FigX[n][i], 10 + g().FigY[n][i]});
            maxX = std::max(maxX, g().FigX[n][i] + g().PieceExtentX[i][o]);
            maxY = std::max(maxY, g().FigY[n][i] + g().PieceExtentY[i][o]);
        }
        EXPECT_LE(maxX + 5, 233) << "figure " << n << " is wider than the target view";
        EXPECT_LE(maxY + 14, 240) << "figure " << n << " is taller than the target view";
        // Pieces meet along shared edges, where only their outlines may touch.
        std::vector<int> count = cover(pieces, W, H);
        EXPECT_LT(std::count_if(count.begin(), count.end(), [](int c) { return c > 1; }), 700)
            << "figure " << n << " has overlapping pieces";
        const auto area = std::count_if(count.begin(), count.end(), [](int c) { return c > 0; });
        EXPECT_GT(area, 17000) << "figure " << n;

        // One connected silhouette: a flood from its first pixel reaches all of it.
        std::queue<int> todo;
        auto visit = [&](int q) {
            if (q >= 0 && q < W * H && count[static_cast<std::size_t>(q)] > 0) {
                count[static_cast<std::size_t>(q)] = 0;
                todo.push(q);
            }
        };
        visit(static_cast<int>(std::find_if(count.begin(), count.end(), [](int c) { return c > 0; }) - count.begin()));
        long reached = 0;
        for (; !todo.empty(); todo.pop(), ++reached) {
            const int p = todo.front();
            for (int q : {p % W ? p - 1 : -1, (p + 1) % W ? p + 1 : -1, p - W, p + W})
                visit(q);
        }
        EXPECT_EQ(reached, area) << "figure " << n << " falls apart";
    }
}
