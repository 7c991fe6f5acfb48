// The bundled shapes file: piece geometry that keeps its promises, and figures that are real.
#include "TestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <queue>

using namespace kalido;
using namespace kalido::test;

class BundledFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.Load()); }
    const Game& g() { return *f.game; }

    // The pixels inside piece i drawn at board place (x, y) in orientation o, on a surface of
    // their own: true where the piece's fill lies, outline excluded.
    std::vector<bool> interior(int i, int o, int x, int y, int w, int h)
    {
        Surface s(w, h, QBColor(7));
        s.FillStyle = Fill::Solid;
        s.FillColor = QBColor(0);
        s.ForeColor = QBColor(8);
        std::array<PolyPoint, 4> poly;
        for (int m = 0; m < 4; ++m)
            poly[m] = {x + g().ShapeVerts[i][o][2 * m + 1], y + g().ShapeVerts[i][o][2 * m + 2]};
        s.Polygon(poly.data(), 4);
        std::vector<bool> in(static_cast<std::size_t>(w * h));
        for (int py = 0; py < h; ++py)
            for (int px = 0; px < w; ++px)
                in[static_cast<std::size_t>(py * w + px)] = s.Point(px, py) != QBColor(7);
        return in;
    }

    GameFixture f{BundledShapes()};
};

TEST_F(BundledFile, twinsAreCongruentInEveryOrientation)
{
    for (int o = 0; o < 8; ++o) {
        EXPECT_EQ(g().ShapeVerts[0][o], g().ShapeVerts[1][o]) << o;
        EXPECT_EQ(g().ShapeVerts[2][o], g().ShapeVerts[4][o]) << o;
        EXPECT_EQ(g().TurnShiftX[0][o], g().TurnShiftX[1][o]);
        EXPECT_EQ(g().PieceExtentY[2][o], g().PieceExtentY[4][o]);
    }
}

TEST_F(BundledFile, outlinesStartAtZeroAndReachExactlyTheirExtents)
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
            EXPECT_EQ(minX, 0) << i << "/" << o;
            EXPECT_EQ(minY, 0) << i << "/" << o;
            EXPECT_EQ(maxX, g().PieceExtentX[i][o]) << i << "/" << o;
            EXPECT_EQ(maxY, g().PieceExtentY[i][o]) << i << "/" << o;
        }
    }
    // Golden values: the large triangle upright and turned, the parallelogram's mirror image.
    EXPECT_EQ(g().ShapeVerts[0][0], (std::array<std::int16_t, 11>{0, 0, 0, 96, 0, 0, 96, 0, 96, 0, 0}));
    EXPECT_EQ(g().ShapeVerts[0][1], (std::array<std::int16_t, 11>{0, 68, 0, 136, 68, 0, 68, 0, 68, 68, 0}));
    EXPECT_EQ(g().ShapeVerts[6][4], (std::array<std::int16_t, 11>{0, 96, 0, 48, 0, 0, 48, 48, 48, 96, 0}));
}

TEST_F(BundledFile, homesLieInsideTheDropBoundsWithoutOverlapping)
{
    std::vector<int> cover(BoardWidth * BoardHeight);
    for (int i = 0; i < 7; ++i) {
        const int o = g().HomeOrient[i];
        EXPECT_GE(g().HomeX[i], DropMinX) << i;
        EXPECT_GE(g().HomeY[i], DropMinY) << i;
        EXPECT_LE(g().HomeX[i] + g().PieceExtentX[i][o], DropMaxX) << i;
        EXPECT_LE(g().HomeY[i] + g().PieceExtentY[i][o], DropMaxY) << i;
        const auto in = interior(i, o, g().OriginX + g().HomeX[i], g().OriginY + g().HomeY[i], BoardWidth, BoardHeight);
        for (std::size_t p = 0; p < in.size(); ++p)
            cover[p] += in[p];
    }
    EXPECT_EQ(std::count_if(cover.begin(), cover.end(), [](int c) { return c > 1; }), 0);
}

TEST_F(BundledFile, turningKeepsEveryPieceInPlaceAndAFullTurnBringsItBack)
{
    for (int i = 0; i < 7; ++i) {
        int x = 100, y = 100, o = 0;
        auto centre = [&] {
            const auto in = interior(i, o, x, y, 400, 400);
            double sx = 0, sy = 0, n = 0;
            for (int p = 0; p < 400 * 400; ++p)
                if (in[static_cast<std::size_t>(p)]) {
                    sx += p % 400;
                    sy += p / 400;
                    ++n;
                }
            return std::pair{sx / n, sy / n};
        };
        auto before = centre();
        const int turns = i == SquarePiece ? 2 : 8;
        for (int t = 0; t < turns; ++t) {
            o = NextOrient(i, o);
            x += g().TurnShiftX[i][o];
            y += g().TurnShiftY[i][o];
            const auto after = centre();
            EXPECT_NEAR(after.first, before.first, 2.0) << "piece " << i << " into " << o;
            EXPECT_NEAR(after.second, before.second, 2.0) << "piece " << i << " into " << o;
        }
        EXPECT_EQ(o, 0);
        EXPECT_EQ(x, 100) << "piece " << i;
        EXPECT_EQ(y, 100) << "piece " << i;
    }
}

TEST_F(BundledFile, everyFigureIsAConnectedArrangementOfTheSevenPiecesThatFitsTheView)
{
    ASSERT_GE(g().FigureCount, 20);
    constexpr int W = 300, H = 300;
    for (int n = 1; n <= g().FigureCount; ++n) {
        std::vector<int> cover(W * H);
        long area = 0;
        for (int i = 0; i < 7; ++i) {
            const auto in = interior(i, g().FigOrient[n][i], 10 + g().FigX[n][i], 10 + g().FigY[n][i], W, H);
            for (std::size_t p = 0; p < in.size(); ++p) {
                cover[p] += in[p];
                area += in[p];
            }
        }
        // Pieces meet along shared edges, where only their outlines may touch.
        const auto doubled = std::count_if(cover.begin(), cover.end(), [](int c) { return c > 1; });
        EXPECT_LT(doubled, 700) << "figure " << n << " has overlapping pieces";
        EXPECT_GT(area, 17000) << "figure " << n;

        // One connected silhouette.
        std::vector<bool> seen(cover.size());
        const auto start = static_cast<std::size_t>(
            std::find_if(cover.begin(), cover.end(), [](int c) { return c > 0; }) - cover.begin());
        std::queue<std::size_t> todo;
        todo.push(start);
        seen[start] = true;
        long reached = 0;
        while (!todo.empty()) {
            const std::size_t p = todo.front();
            todo.pop();
            ++reached;
            const int px = static_cast<int>(p % W), py = static_cast<int>(p / W);
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int qx = px + dx, qy = py + dy;
                if (qx < 0 || qy < 0 || qx >= W || qy >= H)
                    continue;
                const auto q = static_cast<std::size_t>(qy * W + qx);
                if (cover[q] > 0 && !seen[q]) {
                    seen[q] = true;
                    todo.push(q);
                }
            }
        }
        EXPECT_EQ(reached, std::count_if(cover.begin(), cover.end(), [](int c) { return c > 0; }))
            << "figure " << n << " falls apart";

        int maxX = 0, maxY = 0;
        for (int i = 0; i < 7; ++i) {
            maxX = std::max(maxX, g().FigX[n][i] + g().PieceExtentX[i][g().FigOrient[n][i]]);
            maxY = std::max(maxY, g().FigY[n][i] + g().PieceExtentY[i][g().FigOrient[n][i]]);
        }
        EXPECT_LE(maxX + 5, 233) << "figure " << n << " is wider than the target view";
        EXPECT_LE(maxY + 14, 240) << "figure " << n << " is taller than the target view";
    }
}
