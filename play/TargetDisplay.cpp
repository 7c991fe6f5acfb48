// Showing the current figure: its silhouette centred in the target view, and the captions.
#include "board/Game.h"

#include <algorithm>
#include <cmath>

namespace kalido {

namespace {

int whole(double v) { return static_cast<int>(std::nearbyint(v)); }

// The figure is drawn into the buffer this far from its own corner.
constexpr int TargetMarginX = 5, TargetMarginY = 14;
// The view's size as the centring takes it, in twips.
constexpr double TargetViewWidth = 3500, TargetViewHeight = 3600;

} // namespace

void Game::ShowFigure()
{
    Surface& view = TargetKal[1];
    Surface& buffer = TargetKal[0];
    view.Cls();
    buffer.Cls();
    Placed.fill(NoValue);

    // An empty collection has no figure to show: the target stays empty.
    const bool haveFigure = FigureCount > 0;
    if (haveFigure) {
        const int n = CurrentFigure;
        int maxX = 0, maxY = 0;
        for (int i = 0; i < PieceCount; ++i) {
            const auto outline =
                PieceOutline(i, FigOrient[n][i], FigX[n][i] + TargetMarginX, FigY[n][i] + TargetMarginY);
            for (int m = 0; m <= 4; ++m) {
                maxX = std::max(maxX, outline[m].x);
                maxY = std::max(maxY, outline[m].y);
            }
            const Colour colour = Difficulty == VeryEasyLevel ? QBColor(PieceQBColor[i]) : FigureColor;
            buffer.FillColor = colour;
            buffer.ForeColor = colour;
            buffer.FillStyle = Fill::Solid;
            buffer.Polygon(outline.data(), 4); // the fifth point counts only toward the extents
        }

        // Centre: the far edges lie as far from the view's far edges as the buffer's near edges
        // lie from the view's near edges.
        const double W = TargetViewWidth / host_.screen.TwipsPerPixelX();
        const double H = TargetViewHeight / host_.screen.TwipsPerPixelY();
        const double offX = (W - maxX) / 2;
        const double offY = (H - maxY) / 2;
        view.BitBlt(whole(offX), whole(offY), whole(W - offX), whole(H - offY), buffer, 0, 0);
    }
    view.Refresh();

    const int shown = haveFigure ? CurrentFigure : 0;
    TarKalCaption = "Kalido (" + std::to_string(shown) + " of " + std::to_string(FigureCount) + ")";
    FormMainCaption = "File: " + FullPath(ShapesFile);
    NotifyUi();

    if (Difficulty == EasyLevel)
        CheckAllPiecesPlaced();
    DrawBoard();
}

} // namespace kalido
