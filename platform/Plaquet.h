// A picture button: a face colour, a picture, a latched or released look with a 3-D bevel, and
// pointer-moved, pressed and released events that carry its index.
#pragma once

#include "platform/Colour.h"

#include <QIcon>
#include <QWidget>

#include <functional>

namespace kalido {

class Plaquet : public QWidget {
public:
    Plaquet(int index, QWidget* parent);

    Colour FaceColor() const { return face_; }
    void SetFaceColor(Colour face);
    void ShowPressed() { setLatched(true); }
    void ShowReleased() { setLatched(false); }
    bool Latched() const { return latched_; }
    void SetPicture(const QIcon& picture);
    // The tooltip also names the button for screen readers.
    void SetToolTipText(const QString& text);

    using MouseHandler = std::function<void(int index, int button, int shift, float x, float y)>;
    MouseHandler MouseMove, MouseDown, MouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setLatched(bool latched);
    void forward(const MouseHandler& handler, int button, QMouseEvent* event);
    bool over(QMouseEvent* event) const;

    int index_;
    Colour face_ = Rgb(0xEF, 0xEF, 0xEF);
    bool latched_ = false;
    bool pressed_ = false; // a mouse button went down on it and is not yet released
    bool held_ = false;    // pressed with the pointer on it: it looks pressed
    QIcon picture_;
};

} // namespace kalido
