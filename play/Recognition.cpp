// Telling whether the pieces make up the current figure: orientations first, then positions.
#include "board/Game.h"

#include <algorithm>
#include <cstdlib>

namespace kalido {

// Only the flags: a figure is completed by a player's own drop or turn (CheckSolvedAfterMove),
// never by the checks that run for all seven pieces when a figure is shown or the pieces come
// home, so a figure that happens to match the home layout does not lock the board unannounced.
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

bool Game::AllPiecesPlaced() const { return std::count(Placed.begin(), Placed.end(), YesValue) == PieceCount; }

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

    // Positions count relative to the arrangement's top-left reference point, so the figure may
    // be built anywhere on the board. The tolerance holds on each axis separately.
    const int MinX = *std::min_element(PieceX.begin(), PieceX.end());
    const int MinY = *std::min_element(PieceY.begin(), PieceY.end());
    auto fits = [&](int piece, int place) {
        return std::abs(PieceX[piece] - MinX - FigX[n][place]) <= PositionTolerance &&
               std::abs(PieceY[piece] - MinY - FigY[n][place]) <= PositionTolerance;
    };
    for (int i : {5, 6, 3})
        if (!fits(i, i))
            return;
    for (auto [a, b] : {std::pair{0, 1}, std::pair{2, 4}})
        if (!(fits(a, a) && fits(b, b)) && !(fits(a, b) && fits(b, a)))
            return;

    FigureSolved = YesValue;
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
