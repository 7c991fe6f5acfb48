// Which Qt platform the program asks for: X11 in a Wayland session that also offers an X server.
#pragma once

#include <QByteArray>

namespace kalido {

// The environment variables that decide where the windows go.
struct DisplayEnvironment {
    QByteArray qpaPlatform;    // QT_QPA_PLATFORM: the player's own choice
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray x11Display;     // DISPLAY
};

DisplayEnvironment CurrentDisplayEnvironment();

// The platform list to hand Qt, or empty to leave Qt's own choice alone. A Wayland client cannot
// place its top-level windows, so the frame and the board would land wherever the compositor puts
// them; through the X server (XWayland) they keep their places side by side. Qt tries the names in
// order, so a DISPLAY whose server does not answer falls back to Wayland instead of failing.
QByteArray PlatformToRequest(const DisplayEnvironment& env);

} // namespace kalido
