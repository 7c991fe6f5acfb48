// Layout of the frame window, in twips converted to the screen's pixels.
#include "app/MDIForm1.h"

#include "board/Game.h"
#include "platform/PictureBox.h"

#include <QCloseEvent>
#include <QGroupBox>

#include <cmath>

namespace kalido {

namespace {

struct TwipRect {
    int left, top, width, height;
};

struct FrameSpec {
    const char* caption;
    TwipRect place;
};

constexpr std::array<FrameSpec, 5> Frames = {{
    {"Kalido", {48, 30, 2520, 672}},
    {"Play difficulty", {2592, 30, 1332, 672}},
    {"Select", {48, 744, 2124, 684}},
    {"Sound", {2208, 744, 684, 684}},
    {"Help", {2928, 744, 984, 684}},
}};

} // namespace

MDIForm1::MDIForm1(Game& game, const ScreenMetrics& screen)
    : game_(game)
{
    const float tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
    auto place = [tx, ty](QWidget* w, TwipRect r) {
        w->setGeometry(static_cast<int>(std::lround(r.left / tx)), static_cast<int>(std::lround(r.top / ty)),
                       static_cast<int>(std::lround(r.width / tx)), static_cast<int>(std::lround(r.height / ty)));
    };

    setWindowTitle(QStringLiteral("Make this Kalido"));
    setFixedSize(static_cast<int>(std::lround(4044 / tx)), static_cast<int>(std::lround(6144 / ty)));

    panel_ = new QWidget(this);
    place(panel_, {0, 0, 4044, 6135});
    for (std::size_t i = 0; i < Frames.size(); ++i) {
        mFrame_[i] = new QGroupBox(QString::fromUtf8(Frames[i].caption), panel_);
        place(mFrame_[i], Frames[i].place);
    }

    tarKal_ = new QGroupBox(QString::fromStdString(game.TarKalCaption), panel_);
    place(tarKal_, {60, 1500, 3885, 4515});
    targetView_ = new PictureBox(game.TargetKal[1], tarKal_);
    targetView_->move(static_cast<int>(std::lround(120 / tx)), static_cast<int>(std::lround(240 / ty)));
}

void MDIForm1::Sync() { tarKal_->setTitle(QString::fromStdString(game_.TarKalCaption)); }

void MDIForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    game_.MDIForm_Unload();
}

} // namespace kalido
