// Surface on a QImage painted without antialiasing.
#include "platform/Surface.h"

#include <QPainter>
#include <QVarLengthArray>

#include <algorithm>

namespace kalido {

namespace {

QColor toQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// The pen and the brush are set only when they change: making either costs an allocation, and
// setting either makes the painter prepare its filling again.
void setPen(QPainter& painter, Colour c)
{
    const QPen& now = painter.pen();
    if (now.style() == Qt::SolidLine && now.width() == 0 && now.color() == toQColor(c))
        return;
    QPen pen(toQColor(c));
    pen.setWidth(0); // cosmetic one-pixel line
    painter.setPen(pen);
}

void setBrush(QPainter& painter, bool solid, Colour c)
{
    const QBrush& now = painter.brush();
    if (solid ? now.style() == Qt::SolidPattern && now.color() == toQColor(c) : now.style() == Qt::NoBrush)
        return;
    painter.setBrush(solid ? QBrush(toQColor(c)) : QBrush(Qt::NoBrush));
}

} // namespace

Surface::Surface(int width, int height, Colour backColor)
    : BackColor(backColor),
      size_(width, height),
      unmade_(backColor)
{
    Cls();
}

const QImage& Surface::Image() const
{
    if (image_.isNull()) {
        image_ = QImage(size_, QImage::Format_RGB32);
        image_.fill(toQColor(unmade_));
    }
    return image_;
}

Surface::~Surface() = default;
Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;

Surface::Painting::Painting(Surface& surface)
    : surface_(surface),
      owner_(!surface.painter_)
{
    if (!owner_)
        return;       // inside another painting, which keeps its painter and its clip
    surface_.Image(); // made before the painter takes it
    surface_.painter_ = std::make_unique<QPainter>(&surface_.image_);
}

void Surface::Painting::Clip(const QRect& clip)
{
    surface_.clip_ = clip;
    if (clip.isNull())
        surface_.painter_->setClipping(false);
    else
        surface_.painter_->setClipRect(clip);
}

Surface::Painting::~Painting()
{
    if (!owner_)
        return;
    surface_.painter_.reset();
    surface_.clip_ = QRect();
}

template <class Draw> void Surface::paint(Draw draw)
{
    if (painter_)
        return draw(*painter_);
    Image();
    QPainter painter(&image_);
    draw(painter);
}

void Surface::Cls()
{
    if (painter_)
        painter_->fillRect(image_.rect(), toQColor(BackColor));
    else if (image_.isNull())
        unmade_ = BackColor;
    else
        image_.fill(toQColor(BackColor));
    touch(QRect(QPoint(0, 0), size_));
}

Colour Surface::Point(int x, int y) const
{
    if (x < 0 || y < 0 || x >= size_.width() || y >= size_.height())
        return NoColour;
    if (image_.isNull())
        return unmade_;
    const QRgb p = reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]; // RGB32: one word a pixel
    return Rgb(qRed(p), qGreen(p), qBlue(p));
}

void Surface::Line(int x1, int y1, int x2, int y2, Colour colour)
{
    paint([&](QPainter& painter) {
        setPen(painter, colour);
        painter.drawLine(x1, y1, x2, y2);
    });
    touch(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))));
}

void Surface::Box(int x1, int y1, int x2, int y2, Colour colour, bool filled)
{
    const QRect r(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    paint([&](QPainter& painter) {
        if (clip_.isNull() && image_.rect().contains(r)) {
            // Filled rectangles give exactly the pixels of the outlined one and cost far less;
            // where the box is cut off by the image's edge the pen's own pixels are kept.
            const QColor c = toQColor(colour);
            if (filled) {
                painter.fillRect(r, c);
            } else {
                painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
                painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
                painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
                painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
            }
            return;
        }
        setPen(painter, colour);
        setBrush(painter, filled, colour);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    });
    touch(r);
}

void Surface::Polygon(const PolyPoint* points, int count)
{
    QVarLengthArray<QPoint, 8> polygon; // no allocation for the four points every caller passes
    QRect box;
    for (int i = 0; i < count; ++i) {
        polygon.append(QPoint(points[i].x, points[i].y));
        box |= QRect(polygon.back(), QSize(1, 1));
    }
    paint([&](QPainter& painter) {
        setPen(painter, ForeColor);
        setBrush(painter, FillStyle == Fill::Solid, FillColor);
        painter.drawPolygon(polygon.data(), static_cast<int>(polygon.size()), Qt::OddEvenFill);
    });
    touch(box.adjusted(-1, -1, 1, 1));
}

void Surface::BitBlt(int x, int y, int width, int height, const Surface& source, int sourceX, int sourceY)
{
    paint([&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(x, y), source.Image(), QRect(sourceX, sourceY, width, height));
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    });
    touch(QRect(x, y, width, height));
}

void Surface::Refresh()
{
    const QRect dirty = dirty_ & QRect(QPoint(0, 0), size_);
    dirty_ = QRect();
    if (OnRefresh && !dirty.isEmpty())
        OnRefresh(dirty);
}

} // namespace kalido
