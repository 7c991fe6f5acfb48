// The file commands and the designer's append. They come with the shapes-file writer; until then
// their buttons do nothing.
#include "board/Game.h"

namespace kalido {

void Game::OpenShapesFile() {}

void Game::SaveShapesFileAs() {}

void Game::RemoveFigure() {}

void Game::AppendFigure() {}

} // namespace kalido
