// The frame window: the command panel with its seventeen picture buttons, and the target view.
#pragma once

#include <QWidget>

#include <array>

class QGroupBox;

namespace kalido {

class Game;
class PictureBox;
class Plaquet;
class ScreenMetrics;

class MDIForm1 : public QWidget {
public:
    MDIForm1(Game& game, const ScreenMetrics& screen);

    QGroupBox& TarKal() { return *tarKal_; }
    PictureBox& TargetView() { return *targetView_; }
    Plaquet& MenuButx(int index) { return *menuButx_.at(static_cast<std::size_t>(index)); }
    // Takes over the target's caption and the buttons' faces and latches from the game.
    void Sync();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Game& game_;
    QWidget* panel_;
    std::array<QGroupBox*, 5> mFrame_{};
    QGroupBox* tarKal_;
    PictureBox* targetView_;
    std::array<Plaquet*, 17> menuButx_{};
};

} // namespace kalido
