// Construction of the game state and the small helpers every part uses.
#include "board/Game.h"

#include <cmath>

namespace kalido {

namespace {

// The board window's own back colour, behind the board in the hit-test image: no key colour.
constexpr Colour FormBackColor = Rgb(240, 240, 240);

// The target view's picture boxes: 3680 x 4152 twips.
int twipsToPixels(int twips, float twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

} // namespace

Game::Game(Host& host)
    : Picture1(BoardWidth, BoardHeight, QBColor(7)),
      HitImage(BoardWidth, BoardHeight, FormBackColor),
      TargetKal{Surface(twipsToPixels(3680, host.screen.TwipsPerPixelX()), twipsToPixels(4152, host.screen.TwipsPerPixelY()),
                        QBColor(7)),
                Surface(twipsToPixels(3680, host.screen.TwipsPerPixelX()), twipsToPixels(4152, host.screen.TwipsPerPixelY()),
                        QBColor(7))},
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
