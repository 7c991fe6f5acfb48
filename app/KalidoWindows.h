// The program's two windows around one game, and their start-up placement.
#pragma once

#include "app/MDIForm1.h"
#include "board/FormMain.h"

#include <QMargins>
#include <QObject>

#include <utility>

namespace kalido {

class Game;
class ScreenMetrics;

class KalidoWindows : public QObject {
public:
    KalidoWindows(Game& game, const ScreenMetrics& screen);
    ~KalidoWindows() override;

    // Loads the game; on success shows the frame at the top-left corner of the screen and the
    // board window to its right. False when the program must end.
    bool Start();

    FormMain& Board() { return board_; }
    MDIForm1& Frame() { return frame_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sizes the board window to its outer size and puts it at the frame window's right edge, as
    // the window manager draws both; records the frame's outer size.
    void Place();

    Game& game_;
    const ScreenMetrics& screen_;
    FormMain board_;
    MDIForm1 frame_;
    std::pair<QMargins, QMargins> placedDecorations_; // of the frame and the board window
};

} // namespace kalido
