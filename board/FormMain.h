// The board window: the board, the difficulty label under it, and behind them the hit-test image.
#pragma once

#include <QWidget>

class QLabel;

namespace kalido {

class Game;
class PictureBox;
class ScreenMetrics;

class FormMain : public QWidget {
public:
    FormMain(Game& game, const ScreenMetrics& screen);

    PictureBox& Picture1() { return *picture1_; }
    QLabel& PStandard() { return *pStandard_; }
    // Takes over the captions and the board's enabled state from the game.
    void Sync();
    // The window's size counts its decorations: the client area is what they leave of it.
    void FitDecorations(const QMargins& decorations);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Game& game_;
    PictureBox* picture1_;
    QLabel* pStandard_;
    QSize outerSize_;
};

} // namespace kalido
