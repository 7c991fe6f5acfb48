// Drawing the pieces into the board image and, in their key colours, into the hit-test image.
#include "board/Game.h"

#include <cmath>

namespace kalido {

void Game::SetPieceBrush(int i)
{
    Picture1.FillStyle = Fill::Solid;
    Picture1.ForeColor = BoardBackColor;
    Picture1.FillColor = FigureColor;
    if (DesignMode == YesValue)
        Picture1.ForeColor = FigureColor; // the pieces merge into one silhouette, as a figure looks
    if (Difficulty == VeryEasyLevel)
        Picture1.FillColor = QBColor(PieceQBColor[i]);
    if (Difficulty == EasyLevel && Placed[i] == YesValue)
        Picture1.FillColor = QBColor(3);
}

void Game::BuildPiecePoly(int i, std::array<PolyPoint, 11>& poly)
{
    DrawX = OriginX + PieceX[i];
    DrawY = OriginY + PieceY[i];
    CurOrient = PieceOrient[i];
    poly = PieceOutline(i, CurOrient, DrawX, DrawY);
}

std::array<PolyPoint, 11> Game::PieceOutline(int i, int o, int x, int y) const
{
    const auto& verts = ShapeVerts[i][o];
    std::array<PolyPoint, 11> poly{};
    for (int m = 0; m <= 4; ++m)
        poly[m] = {x + verts[2 * m + 1], y + verts[2 * m + 2]};
    return poly;
}

void Game::PaintHitPolygon(int i, const std::array<PolyPoint, 11>& poly)
{
    HitImage.FillColor = QBColor(PieceQBColor[i]);
    HitImage.ForeColor = BoardBackColor; // the rim reads as background: a click on it selects nothing
    HitImage.FillStyle = Fill::Solid;
    HitImage.Polygon(poly.data(), 4);
}

void Game::ErasePolygon(Surface& surface, const std::array<PolyPoint, 11>& poly)
{
    surface.FillColor = BoardBackColor;
    surface.ForeColor = BoardBackColor;
    surface.FillStyle = Fill::Solid;
    surface.Polygon(poly.data(), 4);
}

void Game::DrawPiece(int i)
{
    BuildPiecePoly(i, PiecePoly);
    SetPieceBrush(i);
    Picture1.Polygon(PiecePoly.data(), 4);
    PaintHitPolygon(i, PiecePoly);
    Picture1.Refresh();
}

void Game::DrawBoard()
{
    Surface::Painting board(Picture1), hit(HitImage);
    PaintPieces(true, QRect());
    // While a piece is selected the caller draws it, or its outline, and presents the board.
    if (SelectedPiece == NoPiece)
        Picture1.Refresh();
}

QRect Game::OutlineBox(const std::array<PolyPoint, 11>& poly)
{
    QRect box;
    for (int m = 0; m < 4; ++m)
        box |= QRect(poly[m].x, poly[m].y, 1, 1);
    return box.adjusted(-1, -1, 1, 1); // the pen may stray a pixel past a corner
}

void Game::RepairBoard(Surface::Painting& painting, const QRect& box)
{
    // Outside the box the board already shows every piece exactly so.
    painting.Clip(box);
    PaintPieces(false, box);
    painting.Clip(QRect());
}

void Game::PaintPieces(bool hitImageToo, const QRect& within)
{
    // Index order: where pieces overlap, the higher index lies on top in both images.
    for (int i = 0; i < PieceCount; ++i) {
        if (i == SelectedPiece)
            continue;
        BuildPiecePoly(i, PiecePoly);
        if (!within.isNull() && !OutlineBox(PiecePoly).intersects(within))
            continue;
        SetPieceBrush(i);
        Picture1.FillStyle = Fill::Solid;
        Picture1.Polygon(PiecePoly.data(), 4);
        if (hitImageToo)
            PaintHitPolygon(i, PiecePoly);
    }
}

int Game::HitTest(float X, float Y) const
{
    const Colour c = HitImage.Point(static_cast<int>(std::floor(X)), static_cast<int>(std::floor(Y)));
    for (int i = 0; i < PieceCount; ++i)
        if (PieceColor[i] == c)
            return i;
    return NoPiece;
}

} // namespace kalido
