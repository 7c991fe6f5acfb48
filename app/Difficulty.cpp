// The three difficulty levels, chosen with the panel's difficulty buttons.
#include "board/Game.h"

namespace kalido {

void Game::Normal_Play()
{
    if (Difficulty == NormalLevel)
        return;
    if (Difficulty == VeryEasyLevel) {
        Difficulty = NormalLevel;
        ShowFigure(); // the target loses its colours
    }
    Difficulty = NormalLevel;
    PStandardCaption = "Play difficulty: NORMAL";
    PlaySound("click2");
    DrawBoard();
    SetPicture1Enabled(true);
}

void Game::Easy_Play()
{
    if (Difficulty == EasyLevel)
        return;
    if (Difficulty == VeryEasyLevel) {
        Difficulty = EasyLevel;
        ShowFigure();
    }
    Difficulty = EasyLevel;
    CheckAllPiecesPlaced(); // the cyan pieces must be the ones turned right now
    PStandardCaption = "Play difficulty: EASY";
    PlaySound("click2");
    DrawBoard();
    SetPicture1Enabled(true);
}

void Game::VeryEasy_Play()
{
    if (Difficulty == VeryEasyLevel)
        return;
    Difficulty = VeryEasyLevel;
    PStandardCaption = "Play difficulty: VERY EASY";
    PlaySound("GiveUp");
    DrawBoard();
    ShowFigure(); // the target in the pieces' colours
    SetPicture1Enabled(true);
}

} // namespace kalido
