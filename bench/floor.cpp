// The floor for start-up measurements: the least a Qt Widgets program does to show a window, with
// the same paint report as the game. With --text the window shows a line of text, as any window
// with a caption or a button does, so the fonts are loaded too.
#include "platform/PaintTrace.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kalido::PaintTrace::InstallIfAsked(app);
    QWidget window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(350, 390);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("Play difficulty: NORMAL"), &window))->move(10, 10);
    window.show();
    return app.exec();
}
