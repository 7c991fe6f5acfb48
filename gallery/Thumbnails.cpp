// A page of the gallery: up to 64 figures as small black silhouettes on a white grid with a grey
// shadow, drawn piece by piece at 0.18 of their size.
#include "board/Game.h"

#include <cmath>

namespace kalido {

namespace {

constexpr float SizeFactor = 0.18f;

int whole(double v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

void Game::DrawGalleryPage()
{
    Surface& page = AllShapesPicture;
    const ScreenMetrics& screen = host_.screen;
    // The silhouettes advance a little more than the grid, so later columns sit further right.
    const double cellW = 49.5 * ScaleX, cellH = 48.0 * ScaleY;
    const double offX = 100.0 / screen.TwipsPerPixelX();
    const int offY = whole(100.0 / screen.TwipsPerPixelY());
    const double d = 8 * ScaleX;      // the shadow's offset, in twips
    Surface::Painting painting(page); // hundreds of small drawings: one painter for all
    int n = GalleryOffset;
    for (int r = 1; r <= GalleryRows; ++r) {
        for (int c = 1; c <= GalleryColumns; ++c) {
            if (++n > FigureCount)
                return page.Refresh();
            for (int i = 0; i < PieceCount; ++i) {
                const int bx = FigX[n][i] + 1, by = FigY[n][i] + 1;
                const auto& verts = ShapeVerts[i][FigOrient[n][i]];
                std::array<PolyPoint, 4> poly;
                for (int v = 0; v < 4; ++v) {
                    const auto px = std::floor(static_cast<float>(bx + verts[2 * v + 1]) * SizeFactor);
                    const auto py = std::floor(static_cast<float>(by + verts[2 * v + 2]) * SizeFactor);
                    poly[v] = {whole((c - 1) * cellW + offX + px), whole((r - 1) * cellH + offY + py)};
                }
                // Where a silhouette reaches over a grid line, the line lies over the first six
                // pieces and under the last: the grid is drawn just before the last piece (drawn
                // before every piece, as each box paints the same pixels again, it ends the same).
                if (i == PieceCount - 1) {
                    page.Box(screen.PixelsX((c - 1) * GalleryPitch), 0, screen.PixelsX(c * GalleryPitch),
                             screen.PixelsY(r * GalleryPitch), QBColor(15), false);
                    page.Box(screen.PixelsX(d + (c - 1) * GalleryPitch), screen.PixelsY(d),
                             screen.PixelsX(d + c * GalleryPitch), screen.PixelsY(d + r * GalleryPitch), QBColor(8),
                             false);
                }
                page.FillStyle = Fill::Solid;
                page.FillColor = QBColor(0);
                page.ForeColor = QBColor(0);
                page.Polygon(poly.data(), 4);
            }
        }
    }
    page.Refresh();
}

} // namespace kalido
