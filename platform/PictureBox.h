// A picture box: shows a Surface and hands its mouse and key events on in the game's terms.
#pragma once

#include "platform/Surface.h"

#include <QWidget>

#include <functional>

class QKeyEvent;

namespace kalido {

// Buttons 1 left, 2 right, 4 middle; shift mask 1 Shift, 2 Ctrl, 4 Alt.
int MouseButtonCode(Qt::MouseButtons buttons);
int ShiftMaskOf(Qt::KeyboardModifiers modifiers);
// The virtual-key code of a key event (arrows 37..40, keypad digits 96..105, Tab 9, Escape 27), or 0.
int VirtualKeyOf(const QKeyEvent& event);

class PictureBox : public QWidget {
public:
    PictureBox(Surface& surface, QWidget* parent);
    ~PictureBox() override;

    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;
    MouseHandler MouseDown, MouseMove, MouseUp;
    std::function<void(int keyCode, int shift)> KeyDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void forward(const MouseHandler& handler, int button, QMouseEvent* event);

    Surface& surface_;
};

} // namespace kalido
