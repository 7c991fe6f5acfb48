// The gallery window turns Qt events into the gallery's event procedures, positions in twips.
#include "gallery/AllShapes.h"

#include "board/Game.h"
#include "platform/Host.h"
#include "platform/PictureBox.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <array>

namespace kalido {

QPoint GalleryPlace(const QRect& frame, const QRect& target, const QSize& outer, const QRect& screen)
{
    const std::array<QPoint, 4> tries = {
        QPoint(frame.right() + 1, frame.top()), QPoint(target.left() - outer.width(), target.top()),
        QPoint(target.left(), target.bottom() + 1), QPoint(target.left(), target.top() - outer.height())};
    auto onScreen = [&](QPoint p) {
        return QPoint(std::clamp(p.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - outer.width())),
                      std::clamp(p.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - outer.height())));
    };
    for (const QPoint& p : tries)
        if (!QRect(onScreen(p), outer).intersects(target))
            return onScreen(p);
    return onScreen(tries[0]);
}

AllShapes::AllShapes(Game& game, const ScreenMetrics& screen, QWidget* parent)
    : QDialog(parent),
      game_(game),
      screen_(screen)
{
    setWindowTitle(QStringLiteral("Click to select, right-click to close"));
    setFixedSize(screen.PixelsX(6012), screen.PixelsY(5772));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(grey);

    const float tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    page_ = new PictureBox(game.AllShapesPicture, this);
    page_->setMouseTracking(true); // the number follows the pointer
    page_->setFocusPolicy(Qt::NoFocus);
    page_->installEventFilter(this); // the wheel over the page scrolls it
    page_->MouseMove = [&game, tx, ty](int b, int s, float x, float y) {
        game.AllShapes_MouseMove(b, s, x * tx, y * ty);
    };
    page_->MouseUp = [&game, tx, ty](int b, int s, float x, float y) { game.AllShapes_MouseUp(b, s, x * tx, y * ty); };

    vScroll1_ = new QScrollBar(Qt::Vertical, this);
    vScroll1_->setGeometry(screen.PixelsX(5805), 0, screen.PixelsX(195), screen.PixelsY(5775));
    vScroll1_->setRange(0, 0);
    vScroll1_->setSingleStep(8); // a row of the page
    vScroll1_->setPageStep(8);
    connect(vScroll1_, &QScrollBar::valueChanged, this, [&game](int value) { game.VScroll1_Change(value); });

    label1_ = new QLabel(page_);
    label1_->setAutoFillBackground(true);
    label1_->setBackgroundRole(QPalette::Base);
    label1_->setForegroundRole(QPalette::Text);
    label1_->move(screen.PixelsX(4920), screen.PixelsY(1950));
    label1_->setMouseTracking(true);
    label1_->installEventFilter(this); // the label takes the mouse while the pointer is on it

    previousSync_ = game.OnUiChanged;
    game.OnUiChanged = [this] {
        if (previousSync_)
            previousSync_();
        Sync();
    };
    Sync();
}

AllShapes::~AllShapes()
{
    label1_->removeEventFilter(this);
    page_->removeEventFilter(this);
    game_.OnUiChanged = previousSync_;
}

void AllShapes::Sync()
{
    {
        const QSignalBlocker quiet(vScroll1_); // showing the game's position is no scroll
        vScroll1_->setEnabled(game_.VScroll1Enabled);
        vScroll1_->setMaximum(game_.VScroll1Max);
        vScroll1_->setValue(game_.VScroll1Value);
    }
    const QString text = QString::fromStdString(game_.Label1Caption);
    if (label1_->text() != text) {
        label1_->setText(text);
        label1_->adjustSize();
    }
    label1_->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        label1_->move(game_.Label1X, game_.Label1Y);
    if (!game_.GalleryShown && isVisible())
        done(QDialog::Accepted);
}

bool AllShapes::event(QEvent* event)
{
    // Shown, or the program's active window again: the scroll bar fits the collection.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        game_.AllShapes_Activate();
    return QDialog::event(event);
}

bool AllShapes::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == page_ && event->type() == QEvent::Wheel)
        return QCoreApplication::sendEvent(vScroll1_, event);
    if (watched == label1_) {
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const float tx = screen_.TwipsPerPixelX(), ty = screen_.TwipsPerPixelY();
            game_.Label1_MouseUp(MouseButtonCode(mouse->button()), ShiftMaskOf(mouse->modifiers()),
                                 static_cast<float>(mouse->position().x() * tx),
                                 static_cast<float>(mouse->position().y() * ty));
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void AllShapes::keyPressEvent(QKeyEvent* event)
{
    // Escape hides the gallery through the game, as a right-click does.
    game_.AllShapes_KeyDown(VirtualKeyOf(*event), ShiftMaskOf(event->modifiers()));
}

} // namespace kalido
