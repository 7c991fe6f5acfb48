// Construction of the game state and the small helpers every part uses.
#include "board/Game.h"

#include <cmath>

namespace kalido {

namespace {

// The board window's own back colour, behind the board in the hit-test image: no key colour.
constexpr Colour FormBackColor = Rgb(240, 240, 240);

// One of the target view's two picture boxes, 3680 x 4152 twips on light grey.
Surface targetPicture(const ScreenMetrics& screen)
{
    return Surface(screen.PixelsX(3680), screen.PixelsY(4152), QBColor(7));
}

} // namespace

Game::Game(Host& host)
    : AllShapesPicture(host.screen.PixelsX(5805), host.screen.PixelsY(5772), QBColor(7)),
      Picture1(BoardWidth, BoardHeight, QBColor(7)),
      HitImage(BoardWidth, BoardHeight, FormBackColor),
      TargetKal{targetPicture(host.screen), targetPicture(host.screen)},
      host_(host)
{
}

void Game::NotifyUi()
{
    if (OnUiChanged)
        OnUiChanged();
}

void Game::SetPicture1Enabled(bool enabled)
{
    Picture1Enabled = enabled;
    NotifyUi();
}

int Game::RandomFigure()
{
    host_.chance.Randomize(host_.chance.Timer());
    const double r = host_.chance.Rnd();
    return static_cast<int>(std::floor(FigureCount * r + 1));
}

} // namespace kalido
