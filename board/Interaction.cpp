// The player's hands on the pieces: press, drag steps, turning and the keys.
#include "board/Game.h"

#include <cmath>

namespace kalido {

namespace {

int whole(float v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

void Game::Picture1_MouseDown(int Button, int /*Shift*/, float X, float Y)
{
    // Only the left button drags and only the right button turns; the middle one selects nothing.
    if (Button != LeftButton && Button != RightButton)
        return;
    if (SelectedPiece != NoPiece && Button == RightButton)
        return; // a right press during a drag does nothing
    // A left press while a drag is still on means its release never reached the board (a modal
    // window took the pointer): that drag ends where it began before this press is looked at.
    EndDragInPlace();
    const int i = HitTest(X, Y);
    if (i == NoPiece)
        return;
    SelectedPiece = i;
    if (Button == LeftButton) {
        // Nothing is drawn yet: the first move lifts the piece.
        DragFirstMove = 1;
        DragStartX = X;
        DragStartY = Y;
    } else {
        TurnPiece(i);
    }
}

void Game::Picture1_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y)
{
    const int p = SelectedPiece;
    if (p == NoPiece)
        return;

    // One painter for the whole step: the step draws a handful of small polygons.
    Surface::Painting painting(Picture1);
    const bool lift = DragFirstMove == 1;
    QRect erased;
    if (lift) {
        // Lift: from now on the piece's position holds the offset of its reference point from the
        // pointer, and the piece stays in the hit-test image where it was until the drop.
        DragFromX[p] = PieceX[p];
        DragFromY[p] = PieceY[p];
        PieceX[p] -= whole(X);
        PieceY[p] -= whole(Y);
        DrawX = OriginX + PieceX[p];
        DrawY = OriginY + PieceY[p];
        DragAnchorX = whole(X) + DrawX;
        DragAnchorY = whole(Y) + DrawY;
        CurOrient = PieceOrient[p];
        DragPoly = PieceOutline(p, CurOrient, DragAnchorX, DragAnchorY);
        ErasePolygon(Picture1, DragPoly);
        LastMouseX = X;
        LastMouseY = static_cast<std::int16_t>(whole(Y));
        DragFirstMove = 0;
    } else {
        Picture1.ForeColor = BoardBackColor;
        Picture1.FillStyle = Fill::Transparent;
        Picture1.Polygon(DragPoly.data(), 4);
        erased = OutlineBox(DragPoly);
    }

    for (int m = 0; m <= 4; ++m)
        DragPoly[m] = {whole(X + (DragPoly[m].x - LastMouseX)), whole(Y + (DragPoly[m].y - LastMouseY))};
    // Repair whatever the erasing crossed. The lift repaints every other piece into both images,
    // which brings them into the stacking order that they keep for the rest of the drag; after
    // that only the outline moves, so only the pieces under the erased outline need painting, and
    // only on the board.
    if (lift || !RepairOnlyWhatMoved)
        DrawBoard();
    else
        RepairBoard(painting, erased);
    LastMouseX = X;
    LastMouseY = static_cast<std::int16_t>(whole(Y));

    Picture1.ForeColor = DragLineColor;
    Picture1.FillStyle = Fill::Transparent;
    Picture1.Polygon(DragPoly.data(), 4);
    Picture1.Refresh();
}

void Game::EndDragInPlace()
{
    const int p = SelectedPiece;
    const bool lifted = p != NoPiece && DragFirstMove == 0;
    SelectedPiece = NoPiece;
    DragFirstMove = 0;
    if (!lifted)
        return;
    // The hit-test image still shows the piece there; the board image gets it back.
    PieceX[p] = DragFromX[p];
    PieceY[p] = DragFromY[p];
    Picture1.Cls();
    DrawBoard();
}

void Game::TurnPiece(int n)
{
    SelectedPiece = n;
    BuildPiecePoly(n, DragPoly);
    ErasePolygon(Picture1, DragPoly);
    Picture1.Refresh();
    ErasePolygon(HitImage, DragPoly);

    const int o = PieceOrient[n] = NextOrient(n, PieceOrient[n]);
    PieceX[n] += TurnShiftX[n][o]; // no bounds test: a turn may carry a piece partly off the board
    PieceY[n] += TurnShiftY[n][o];
    BuildPiecePoly(n, DragPoly);

    if (DesignMode != YesValue)
        CheckPiecePlaced(n); // before drawing: at EASY the flag colours the piece

    SetPieceBrush(n);
    Picture1.Polygon(DragPoly.data(), 4);
    PaintHitPolygon(n, DragPoly);
    DrawBoard();
    DrawPiece(n); // the turned piece lies on top
    SelectedPiece = NoPiece;
    PlaySound("Click");

    // A turn may complete the figure as a drop may, judged the same way.
    CheckSolvedAfterMove();
}

void Game::Picture1_KeyDown(int KeyCode, int Shift)
{
    // While a piece is being dragged its position holds the pointer offset: the keys wait.
    if (SelectedPiece != NoPiece)
        return;
    if (KeyCode == KeyTab) {
        TurnPiece(KeyPiece);
        return;
    }

    const int step = Shift == ShiftMask ? 5 : 1;
    int dx = 0, dy = 0;
    switch (KeyCode) {
    case KeyLeft:
    case KeyPad4:
        dx = -step;
        break;
    case KeyRight:
    case KeyPad6:
        dx = step;
        break;
    case KeyUp:
    case KeyPad8:
        dy = -step;
        break;
    case KeyDown:
    case KeyPad2:
        dy = step;
        break;
    default:
        break; // any other key just repaints the board
    }

    const bool allPieces = Shift == CtrlMask;
    for (int i = allPieces ? 0 : KeyPiece; i <= (allPieces ? PieceCount - 1 : KeyPiece); ++i) {
        BuildPiecePoly(i, PiecePoly);
        ErasePolygon(HitImage, PiecePoly);
        PieceX[i] += dx;
        PieceY[i] += dy;
    }
    Picture1.Cls();
    DrawBoard();
}

} // namespace kalido
