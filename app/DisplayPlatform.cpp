// The program's choice of Qt platform, made before the application object exists.
#include "app/DisplayPlatform.h"

#include <QtGlobal>

namespace kalido {

DisplayEnvironment CurrentDisplayEnvironment()
{
    return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY")};
}

QByteArray PlatformToRequest(const DisplayEnvironment& env)
{
    // Qt itself takes an empty QT_QPA_PLATFORM as not set.
    if (!env.qpaPlatform.isEmpty() || env.x11Display.isEmpty())
        return {};
    const bool wayland = !env.waylandDisplay.isEmpty() || env.sessionType == "wayland";
    return wayland ? QByteArrayLiteral("xcb;wayland") : QByteArray();
}

} // namespace kalido
