// The board window turns Qt events into the board's event procedures.
#include "board/FormMain.h"

#include "board/Game.h"
#include "platform/Host.h"
#include "platform/PictureBox.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>

namespace kalido {

FormMain::FormMain(Game& game, const ScreenMetrics& screen)
    : game_(game)
{
    setWindowTitle(QString::fromStdString(game.FormMainCaption));

    // Picture1's own place (60, 90 twips) is its border's outer corner; the board lies inside.
    // The board sits in a sunken two-pixel border, as picture boxes are drawn on the desktop.
    auto* border = new QFrame(this);
    border->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    const int rim = border->frameWidth();
    picture1_ = new PictureBox(game.Picture1, border);
    picture1_->move(rim, rim);
    border->setGeometry(screen.PixelsX(60), screen.PixelsY(90), picture1_->width() + 2 * rim,
                        picture1_->height() + 2 * rim);
    picture1_->setFocusPolicy(Qt::StrongFocus);
    picture1_->MouseDown = [&game](int b, int s, float x, float y) { game.Picture1_MouseDown(b, s, x, y); };
    picture1_->MouseMove = [&game](int b, int s, float x, float y) { game.Picture1_MouseMove(b, s, x, y); };
    picture1_->MouseUp = [&game](int b, int s, float x, float y) { game.Picture1_MouseUp(b, s, x, y); };
    picture1_->KeyDown = [&game](int key, int shift) { game.Picture1_KeyDown(key, shift); };

    pStandard_ = new QLabel(this);
    pStandard_->setAlignment(Qt::AlignCenter);
    pStandard_->setAutoFillBackground(true);
    QPalette palette = pStandard_->palette();
    palette.setColor(QPalette::Window, QColor(0xC0, 0x00, 0x00));
    palette.setColor(QPalette::WindowText, Qt::white);
    pStandard_->setPalette(palette);
    QFont font(QStringLiteral("Arial"), 9, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    pStandard_->setFont(font);
    // The label starts at the board's left edge (90 twips), right under its border, and is as
    // wide as the board.
    const int labelHeight = screen.PixelsY(240);
    pStandard_->setGeometry(screen.PixelsX(90), border->geometry().bottom() + 1, picture1_->width(), labelHeight);

    // The window's outer size, decorations included: a little wider than the board, with room
    // for the label under it.
    const float tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    outerSize_ = {screen.PixelsX((tx + 1) * picture1_->width()),
                  screen.PixelsY((ty + 1) * (1.5 * labelHeight + picture1_->height()))};
    FitDecorations({});
    setFocusProxy(picture1_);
}

void FormMain::FitDecorations(const QMargins& decorations)
{
    // A tall title bar may not cut off the label: the window then grows past its size.
    QSize client = outerSize_.shrunkBy(decorations);
    client.setHeight(std::max(client.height(), pStandard_->geometry().bottom() + 3));
    setFixedSize(client);
}

void FormMain::Sync()
{
    setWindowTitle(QString::fromStdString(game_.FormMainCaption));
    pStandard_->setText(QString::fromStdString(game_.PStandardCaption));
    picture1_->setEnabled(game_.Picture1Enabled);
}

void FormMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    game_.Form_Unload();
}

} // namespace kalido
