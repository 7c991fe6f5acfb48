// The program's two windows around one game, and their start-up placement.
#pragma once

#include "app/MDIForm1.h"
#include "board/FormMain.h"

namespace kalido {

class Game;
class ScreenMetrics;

class KalidoWindows {
public:
    KalidoWindows(Game& game, const ScreenMetrics& screen);
    ~KalidoWindows();

    // Loads the game; on success shows the frame at the top-left corner of the screen and the
    // board window to its right. False when the program must end.
    bool Start();

    FormMain& Board() { return board_; }
    MDIForm1& Frame() { return frame_; }

private:
    Game& game_;
    FormMain board_;
    MDIForm1 frame_;
};

} // namespace kalido
