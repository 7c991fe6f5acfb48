// Drawing and events of the picture button.
#include "platform/Plaquet.h"

#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace kalido {

namespace {

QColor toQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

} // namespace

Plaquet::Plaquet(int index, QWidget* parent)
    : QWidget(parent),
      index_(index)
{
    setMouseTracking(true); // pointer moves arrive without a button held
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Plaquet::SetFaceColor(Colour face)
{
    if (face_ != face) {
        face_ = face;
        update();
    }
}

void Plaquet::setLatched(bool latched)
{
    if (latched_ != latched) {
        latched_ = latched;
        update();
    }
}

void Plaquet::SetPicture(const QIcon& picture)
{
    picture_ = picture;
    update();
}

void Plaquet::SetToolTipText(const QString& text)
{
    setToolTip(text);
    setAccessibleName(text);
}

void Plaquet::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, toQColor(face_));
    // Two-pixel bevel: light above and left, dark below and right; swapped when pressed in.
    const bool in = latched_ || held_;
    const QColor outerLight = in ? QColor(0x40, 0x40, 0x40) : QColor(Qt::white);
    const QColor innerLight = in ? QColor(0x80, 0x80, 0x80) : toQColor(face_).lighter(108);
    const QColor outerDark = in ? QColor(Qt::white) : QColor(0x40, 0x40, 0x40);
    const QColor innerDark = in ? toQColor(face_).lighter(108) : QColor(0x80, 0x80, 0x80);
    auto bevel = [&](int inset, const QColor& light, const QColor& dark) {
        const QRect b = r.adjusted(inset, inset, -inset, -inset);
        painter.setPen(light);
        painter.drawLine(b.topLeft(), b.topRight());
        painter.drawLine(b.topLeft(), b.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(b.bottomLeft(), b.bottomRight());
        painter.drawLine(b.topRight(), b.bottomRight());
    };
    bevel(0, outerLight, outerDark);
    bevel(1, innerLight, innerDark);
    // The picture sits inside the bevel and moves one pixel down and right when pressed.
    const int margin = std::max(3, width() / 8);
    QRect picture = r.adjusted(margin, margin, -margin, -margin);
    if (in)
        picture.translate(1, 1);
    picture_.paint(&painter, picture);
}

void Plaquet::forward(const MouseHandler& handler, int button, QMouseEvent* event)
{
    if (!handler)
        return;
    const QPointF p = event->position();
    handler(index_, button, ShiftMaskOf(event->modifiers()), static_cast<float>(std::floor(p.x())),
            static_cast<float>(std::floor(p.y())));
}

bool Plaquet::over(QMouseEvent* event) const { return rect().contains(event->position().toPoint()); }

void Plaquet::mouseMoveEvent(QMouseEvent* event)
{
    // While a mouse button is held the button keeps the pointer, wherever it goes; it looks
    // pressed only while the pointer is on it, and only there is the pointer over it.
    if (pressed_ && held_ != over(event)) {
        held_ = !held_;
        update();
    }
    if (over(event))
        forward(MouseMove, MouseButtonCode(event->buttons()), event);
}

void Plaquet::mousePressEvent(QMouseEvent* event)
{
    pressed_ = held_ = true;
    update();
    forward(MouseDown, MouseButtonCode(event->button()), event);
}

void Plaquet::mouseReleaseEvent(QMouseEvent* event)
{
    pressed_ = held_ = false;
    update();
    // The release runs the command only over the button that was pressed: sliding off cancels.
    if (over(event))
        forward(MouseUp, MouseButtonCode(event->button()), event);
}

} // namespace kalido
