// Qt widget over a Surface.
#include "platform/PictureBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace kalido {

int MouseButtonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int ShiftMaskOf(Qt::KeyboardModifiers modifiers)
{
    int mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= 1;
    if (modifiers & Qt::ControlModifier)
        mask |= 2;
    if (modifiers & Qt::AltModifier)
        mask |= 4;
    return mask;
}

int VirtualKeyOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return 96 + (key - Qt::Key_0);
    }
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab arrives as Backtab
        return 9;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    default:
        return 0;
    }
}

PictureBox::PictureBox(Surface& surface, QWidget* parent)
    : QWidget(parent),
      surface_(surface)
{
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(surface.Width(), surface.Height());
    surface_.OnRefresh = [this](const QRect& dirty) { update(dirty); };
}

PictureBox::~PictureBox() { surface_.OnRefresh = nullptr; }

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, surface_.Image(), dirty);
}

void PictureBox::forward(const MouseHandler& handler, int button, QMouseEvent* event)
{
    if (!handler)
        return;
    const QPointF p = event->position();
    handler(button, ShiftMaskOf(event->modifiers()), static_cast<float>(std::floor(p.x())),
            static_cast<float>(std::floor(p.y())));
}

void PictureBox::mousePressEvent(QMouseEvent* event) { forward(MouseDown, MouseButtonCode(event->button()), event); }

void PictureBox::mouseMoveEvent(QMouseEvent* event) { forward(MouseMove, MouseButtonCode(event->buttons()), event); }

void PictureBox::mouseReleaseEvent(QMouseEvent* event) { forward(MouseUp, MouseButtonCode(event->button()), event); }

void PictureBox::keyPressEvent(QKeyEvent* event)
{
    if (KeyDown)
        KeyDown(VirtualKeyOf(*event), ShiftMaskOf(event->modifiers()));
}

bool PictureBox::focusNextPrevChild(bool next)
{
    // Tab turns a piece on the board instead of moving the focus.
    return KeyDown ? false : QWidget::focusNextPrevChild(next);
}

} // namespace kalido
