// Telling whether the pieces make up the current figure: the orientation flags, and the judge.
#include "board/Game.h"
#include "play/Judge.h"

#include <algorithm>

namespace kalido {

// Only the flags, which the EASY level shows: a figure is completed by a player's own drop or turn
// (CheckSolvedAfterMove), never by the checks that run for all seven pieces when a figure is shown
// or the pieces come home, so a figure that happens to match the home layout does not lock the
// board unannounced.
void Game::CheckPiecePlaced(int i)
{
    Placed[i] = NoValue;
    if (FigureCount == 0)
        return; // no figure to agree with
    const int n = CurrentFigure;
    if (i == 0 || i == 1)
        TwinRule(0, 1);
    else if (i == 2 || i == 4)
        TwinRule(2, 4);
    else if (PieceOrient[i] == FigOrient[n][i])
        Placed[i] = YesValue;
}

void Game::CheckAllPiecesPlaced()
{
    for (int i = 0; i < PieceCount; ++i)
        CheckPiecePlaced(i);
}

// Either piece of a congruent pair may fill either of the pair's places. The first row that
// holds decides; when both pieces could only take the same place, the lower number gets the credit.
void Game::TwinRule(int a, int b)
{
    const int n = CurrentFigure;
    const int Pa = PieceOrient[a], Pb = PieceOrient[b];
    const int Fa = FigOrient[n][a], Fb = FigOrient[n][b];
    auto set = [&](bool placedA, bool placedB) {
        Placed[a] = placedA ? YesValue : NoValue;
        Placed[b] = placedB ? YesValue : NoValue;
    };
    if (Pa == Fa && Pb == Fb)
        set(true, true);
    else if (Pa == Fa)
        set(true, false);
    else if (Pa == Fb && Pb == Fa)
        set(true, true);
    else if (Pa == Fb)
        set(true, false);
    else if (Pb == Fb)
        set(false, true);
    else if (Pb == Fa)
        set(false, true);
}

void Game::CheckSolved()
{
    FigureSolved = NoValue;
    PositionTolerance = 15;
    if (FigureCount == 0)
        return;
    const int n = CurrentFigure;

    // Any arrangement of the pieces that covers the silhouette counts, wherever on the board, each
    // piece within the tolerance of its place on each axis.
    PerPiece<Placing> figure, pieces;
    for (int i = 0; i < PieceCount; ++i) {
        figure[i] = {FigOrient[n][i], FigX[n][i], FigY[n][i]};
        pieces[i] = {PieceOrient[i], PieceX[i], PieceY[i]};
    }
    if (!JudgeArrangement(*this, figure, pieces, PositionTolerance))
        return;

    // The figure itself, drawn exactly over the pieces from their smallest reference coordinates.
    FigureSolved = YesValue;
    const int MinX = *std::min_element(PieceX.begin(), PieceX.end());
    const int MinY = *std::min_element(PieceY.begin(), PieceY.end());
    Picture1.Cls();
    for (int i = 0; i < PieceCount; ++i) {
        const auto outline = PieceOutline(i, FigOrient[n][i], OriginX + MinX + FigX[n][i], OriginY + MinY + FigY[n][i]);
        Picture1.FillStyle = Fill::Solid;
        Picture1.FillColor = FigureColor;
        Picture1.ForeColor = QBColor(8);
        Picture1.Polygon(outline.data(), 4);
    }
    Picture1.Refresh();
    SetPicture1Enabled(false);
}

} // namespace kalido
