// Kalido: the seven-piece puzzle. Starts in the working directory, which holds the shapes file.
#include "app/KalidoWindows.h"
#include "board/Game.h"
#include "platform/QtHost.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The program ends through its own shutdown, which lets the farewell sound play out.
    QApplication::setQuitOnLastWindowClosed(false);
    kalido::QtHost qt;
    kalido::Game game(qt.host);
    kalido::KalidoWindows windows(game, qt.screen);
    if (!windows.Start())
        return 0;
    return app.exec();
}
