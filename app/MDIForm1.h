// The frame window: the command panel's frames and the target view.
#pragma once

#include <QWidget>

#include <array>

class QGroupBox;

namespace kalido {

class Game;
class PictureBox;
class ScreenMetrics;

class MDIForm1 : public QWidget {
public:
    MDIForm1(Game& game, const ScreenMetrics& screen);

    QGroupBox& TarKal() { return *tarKal_; }
    PictureBox& TargetView() { return *targetView_; }
    void Sync();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Game& game_;
    QWidget* panel_;
    std::array<QGroupBox*, 5> mFrame_{};
    QGroupBox* tarKal_;
    PictureBox* targetView_;
};

} // namespace kalido
