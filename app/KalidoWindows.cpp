// Start-up of the windows.
#include "app/KalidoWindows.h"

#include "board/Game.h"
#include "platform/PictureBox.h"

namespace kalido {

KalidoWindows::KalidoWindows(Game& game, const ScreenMetrics& screen)
    : game_(game),
      board_(game, screen),
      frame_(game, screen)
{
    game_.OnUiChanged = [this] {
        board_.Sync();
        frame_.Sync();
    };
}

KalidoWindows::~KalidoWindows() { game_.OnUiChanged = nullptr; }

bool KalidoWindows::Start()
{
    if (!game_.Form_Load())
        return false;
    frame_.move(0, 0);
    frame_.show();
    const QRect frameOutline = frame_.frameGeometry();
    board_.move(frameOutline.x() + frameOutline.width(), frameOutline.y());
    board_.show();
    board_.activateWindow();
    board_.Picture1().setFocus();
    return true;
}

} // namespace kalido
