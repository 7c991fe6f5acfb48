// The board window turns Qt events into the board's event procedures.
#include "board/FormMain.h"

#include "board/Game.h"
#include "platform/PictureBox.h"

#include <QCloseEvent>
#include <QLabel>

#include <cmath>

namespace kalido {

namespace {

int pixels(double twips, float twipsPerPixel) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }

} // namespace

FormMain::FormMain(Game& game, const ScreenMetrics& screen)
    : game_(game)
{
    const float tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    setWindowTitle(QString::fromStdString(game.FormMainCaption));

    picture1_ = new PictureBox(game.Picture1, this);
    picture1_->move(pixels(60, tx), pixels(90, ty));
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
    const int labelHeight = pixels(240, ty);
    pStandard_->setGeometry(pixels(90, tx), picture1_->y() + picture1_->height(), picture1_->width(), labelHeight);

    // The window is a little wider than the board and leaves room under the label.
    const int width = pixels((tx + 1) * picture1_->width(), tx);
    const int height = pixels((ty + 1) * (1.5 * labelHeight + picture1_->height()), ty);
    setFixedSize(width, height);
    setFocusProxy(picture1_);
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
