// Start-up of the windows, and their placement side by side as the window manager frames them.
#include "app/KalidoWindows.h"

#include "board/Game.h"
#include "platform/Host.h"
#include "platform/PictureBox.h"

#include <QEvent>

namespace kalido {

namespace {

// What the window manager's decorations add around a window's client area.
QMargins decorations(const QWidget& window)
{
    const QRect outer = window.frameGeometry(), inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

} // namespace

KalidoWindows::KalidoWindows(Game& game, const ScreenMetrics& screen)
    : game_(game),
      screen_(screen),
      board_(game, screen),
      frame_(game, screen)
{
    game_.OnUiChanged = [this] {
        board_.Sync();
        frame_.Sync();
    };
}

KalidoWindows::~KalidoWindows()
{
    game_.OnUiChanged = nullptr;
    frame_.removeEventFilter(this);
    board_.removeEventFilter(this);
}

bool KalidoWindows::Start()
{
    if (!game_.Form_Load())
        return false;
    frame_.move(0, 0);
    frame_.show();
    Place();
    board_.show();
    Place(); // showing may have told the decorations
    board_.activateWindow();
    board_.Picture1().setFocus();
    // A window manager frames the windows only after they are shown: place them again then.
    frame_.installEventFilter(this);
    board_.installEventFilter(this);
    return true;
}

void KalidoWindows::Place()
{
    placedDecorations_ = {decorations(frame_), decorations(board_)};
    board_.FitDecorations(placedDecorations_.second);
    const QRect frameOuter = frame_.frameGeometry();
    board_.move(frameOuter.right() + 1, frameOuter.top());
    game_.FrameWidth = static_cast<std::int16_t>(std::lround(frameOuter.width() * screen_.TwipsPerPixelX()));
    game_.FrameHeight = static_cast<std::int16_t>(std::lround(frameOuter.height() * screen_.TwipsPerPixelY()));
}

bool KalidoWindows::eventFilter(QObject* watched, QEvent* event)
{
    // The decorations become known with no event of their own, often after the window has been
    // shown where it stays; any event of either window may be the first to see them. Only a
    // change of decorations moves the board window, never a move by the player.
    if (std::pair{decorations(frame_), decorations(board_)} != placedDecorations_)
        Place();
    return QObject::eventFilter(watched, event);
}

} // namespace kalido
