// The gallery window: a page of thumbnails, a scroll bar that moves a row at a time, and a label
// with the number of the figure under the pointer.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QScrollBar;

namespace kalido {

class Game;
class PictureBox;
class ScreenMetrics;

// Where the gallery's outer top-left corner goes: right of the frame window (over the board
// window), or else wherever on the screen it leaves the target view and its caption in sight, so a
// pick visibly changes the figure. All rectangles are outer ones, in screen pixels.
QPoint GalleryPlace(const QRect& frame, const QRect& target, const QSize& outer, const QRect& screen);

class AllShapes : public QDialog {
public:
    AllShapes(Game& game, const ScreenMetrics& screen, QWidget* parent);
    ~AllShapes() override;

    QScrollBar& VScroll1() { return *vScroll1_; }
    PictureBox& Page() { return *page_; }
    // Takes over the scroll bar, the label and whether the gallery is still shown from the game.
    void Sync();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Game& game_;
    const ScreenMetrics& screen_;
    PictureBox* page_;
    QScrollBar* vScroll1_;
    QLabel* label1_;
    std::function<void()> previousSync_;
};

} // namespace kalido
