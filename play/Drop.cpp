// The release of the mouse over the board (a click or a drop), and the two layouts of the pieces.
#include "board/Game.h"

#include <cmath>

namespace kalido {

void Game::Picture1_MouseUp(int Button, int /*Shift*/, float X, float Y)
{
    if (SelectedPiece != NoPiece && Button != LeftButton)
        return; // the drag belongs to the left button: another button let go mid-drag ends nothing
    if (X == DragStartX && Y == DragStartY) {
        Click(X, Y);
        return;
    }
    if (SelectedPiece == NoPiece)
        return;
    if (DragFirstMove == 1) {
        // Released away from the press without a move between: lift the piece at the press first,
        // so that the drop moves it by the pointer's travel.
        Picture1_MouseMove(LeftButton, 0, DragStartX, DragStartY);
    }
    Drop(SelectedPiece, X, Y);
}

void Game::Click(float X, float Y)
{
    EndDragInPlace(); // a drag that ended on its starting pixel puts the piece back unchanged
    const int i = HitTest(X, Y);
    if (i != NoPiece)
        KeyPiece = static_cast<std::int16_t>(i);
}

void Game::Drop(int p, float X, float Y)
{
    bool DropRejected = false;
    SelectedPiece = NoPiece;
    PieceX[p] += static_cast<int>(std::nearbyint(X));
    PieceY[p] += static_cast<int>(std::nearbyint(Y));

    // Pieces may overlap and nothing snaps; only the board bounds can refuse a drop.
    const int o = PieceOrient[p];
    auto sendBack = [&] {
        PieceX[p] = DragFromX[p];
        PieceY[p] = DragFromY[p];
        DropRejected = true;
    };
    if (PieceX[p] < DropMinX || PieceY[p] < DropMinY)
        sendBack();
    if (PieceX[p] + PieceExtentX[p][o] > DropMaxX)
        sendBack();
    if (PieceY[p] + PieceExtentY[p][o] > DropMaxY)
        sendBack();

    // The hit-test image still shows the piece where its drag began.
    ErasePolygon(HitImage, PieceOutline(p, o, DragAnchorX, DragAnchorY));

    Picture1.Cls();
    KeyPiece = static_cast<std::int16_t>(p);
    DrawBoard();
    DrawPiece(KeyPiece); // the dropped piece lies on top of any piece it overlaps

    if (!CheckSolvedAfterMove())
        PlaySound(DropRejected ? "Error" : "Slide");
}

bool Game::CheckSolvedAfterMove()
{
    FigureSolved = NoValue;
    if (DesignMode == YesValue)
        return false; // the designer arranges freely: nothing is tested
    CheckSolved();
    if (FigureSolved != YesValue)
        return false;
    // The board shows the figure exactly, locked, while the player reads the message.
    PlaySound("clap4");
    host_.dialogs.MsgBox("You got it - congratulations", MsgButtons::Ok, AppTitle);
    ResetPieces();
    CurrentFigure = RandomFigure();
    ShowFigure();
    CheckAllPiecesPlaced();
    SetPicture1Enabled(true);
    host_.forms.FocusBoard(); // locking the board took its keyboard focus
    return true;
}

void Game::ResetPieces()
{
    PlaySound("whoosh1");
    PieceX = HomeX;
    PieceY = HomeY;
    for (int i = 0; i < PieceCount; ++i)
        PieceOrient[i] = HomeOrient[i];
    CheckAllPiecesPlaced();
    HitImage.Cls();
    Picture1.Cls();
    DrawBoard();
}

void Game::CopyFigure()
{
    if (FigureCount == 0)
        return; // nothing to lay out
    const int n = CurrentFigure;
    PlaySound("whoosh1");
    Picture1.Cls();
    HitImage.Cls();
    // The figure itself, laid out 50 pixels from the board's corner.
    for (int i = 0; i < PieceCount; ++i) {
        PieceX[i] = FigX[n][i] + 50;
        PieceY[i] = FigY[n][i] + 50;
        PieceOrient[i] = FigOrient[n][i];
        BuildPiecePoly(i, PiecePoly);
        Picture1.FillStyle = Fill::Solid;
        Picture1.FillColor = Picture1.ForeColor = FigureColor;
        Picture1.Polygon(PiecePoly.data(), 4);
        PaintHitPolygon(i, PiecePoly);
    }
    DesignMode = YesValue;
    CheckAllPiecesPlaced();
    DrawBoard();
    Picture1.Refresh();
}

} // namespace kalido
