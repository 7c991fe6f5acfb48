// Sound cues: wave files beside the shapes file, played only while sound is on.
#include "board/Game.h"

namespace kalido {

void Game::PlaySound(const std::string& name)
{
    if (SoundOn != YesValue)
        return;
    host_.media.SendString("play " + AppDir + name + ".wav");
}

} // namespace kalido
