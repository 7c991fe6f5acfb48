// A persistent raster image, the picture box of the game: what is drawn stays until cleared.
#pragma once

#include "platform/Colour.h"

#include <QImage>
#include <QRect>

#include <cstdint>
#include <functional>
#include <memory>

class QPainter;

namespace kalido {

struct PolyPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const PolyPoint&) const = default;
};

enum class Fill { Solid, Transparent };

// Drawing never blends: no antialiasing and an exact 32-bit image, so a pixel read gives back
// exactly the colour painted there. The hit test relies on that. The image is made when it is
// first drawn on or shown: a surface that is only ever cleared (the gallery's page until the
// gallery opens) costs no memory.
class Surface {
public:
    Surface(int width, int height, Colour backColor);
    ~Surface();
    Surface(Surface&&) noexcept;
    Surface& operator=(Surface&&) noexcept;

    // Keeps one painter open on the image while it lasts, so that a run of drawing calls does not
    // pay for a painter each; Clip limits drawing to the pixels inside a rectangle. A painting
    // begun inside another one shares its painter.
    class Painting {
    public:
        explicit Painting(Surface& surface);
        ~Painting();
        Painting(const Painting&) = delete;
        Painting& operator=(const Painting&) = delete;
        void Clip(const QRect& clip); // a null rectangle lifts the clip

    private:
        Surface& surface_;
        bool owner_;
    };

    int Width() const { return size_.width(); }
    int Height() const { return size_.height(); }

    Colour BackColor;
    Colour FillColor = 0;
    Fill FillStyle = Fill::Transparent;
    Colour ForeColor = 0; // the pen

    void Cls();
    Colour Point(int x, int y) const;
    void Line(int x1, int y1, int x2, int y2, Colour colour);
    void Box(int x1, int y1, int x2, int y2, Colour colour, bool filled);
    // A closed polygon filled by the alternate rule and outlined with a one-pixel pen.
    void Polygon(const PolyPoint* points, int count);
    // Copies a block of another surface here (a plain SRCCOPY); parts outside either image are cut off.
    void BitBlt(int x, int y, int width, int height, const Surface& source, int sourceX, int sourceY);

    // Presents what was drawn since the last refresh to whoever shows this surface.
    void Refresh();
    std::function<void(const QRect& dirty)> OnRefresh;

    const QImage& Image() const;

private:
    void touch(const QRect& area) { dirty_ |= clip_.isNull() ? area : area & clip_; }
    template <class Draw> void paint(Draw draw);

    QSize size_;
    mutable QImage image_;  // null until first needed
    mutable Colour unmade_; // the colour the image starts with when it is made
    QRect dirty_;
    std::unique_ptr<QPainter> painter_; // while a Painting lasts
    QRect clip_;
};

} // namespace kalido
