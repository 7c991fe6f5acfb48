// Kalido: the seven-piece puzzle. Starts in the working directory, which holds the shapes file.
#include "app/AppHost.h"
#include "app/DisplayPlatform.h"
#include "app/KalidoWindows.h"
#include "board/Game.h"
#include "platform/PaintTrace.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    const QByteArray platform = kalido::PlatformToRequest(kalido::CurrentDisplayEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    QApplication app(argc, argv);
    // The choice is the program's own: the help viewer and other programs it starts make theirs.
    if (!platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    kalido::PaintTrace::InstallIfAsked(app);
    // The program ends through its own shutdown, which lets the farewell sound play out.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kalido.png")));
    // Desktops match the windows to the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kalido.Kalido"));
    kalido::AppHost qt;
    kalido::Game game(qt.host);
    kalido::KalidoWindows windows(game, qt.screen);
    qt.forms.Attach(&windows, &game, &qt.screen);
    qt.dialogs.SetOwner(&windows.Frame());
    if (!windows.Start())
        return 0;
    return app.exec();
}
