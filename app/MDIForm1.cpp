// Layout of the frame window, in twips converted to the screen's pixels.
#include "app/MDIForm1.h"

#include "board/Game.h"
#include "platform/Host.h"
#include "platform/PictureBox.h"

#include <QCloseEvent>
#include <QGroupBox>

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
    auto place = [&screen](QWidget* w, TwipRect r) {
        w->setGeometry(screen.PixelsX(r.left), screen.PixelsY(r.top), screen.PixelsX(r.width),
                       screen.PixelsY(r.height));
    };

    setWindowTitle(QStringLiteral("Make this Kalido"));
    setFixedSize(screen.PixelsX(4044), screen.PixelsY(6144));

    panel_ = new QWidget(this);
    place(panel_, {0, 0, 4044, 6135});
    // A frame's border runs through the middle of its caption, so that what lies in the frame at
    // its place in twips lies inside the border; the captions are small, as the frames are narrow.
    panel_->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                                         "QGroupBox::title { subcontrol-origin: margin; left: 4px; padding: 0 1px; }"));
    QFont captions = panel_->font();
    captions.setPointSizeF(7.5);
    panel_->setFont(captions);
    for (std::size_t i = 0; i < Frames.size(); ++i) {
        mFrame_[i] = new QGroupBox(QString::fromUtf8(Frames[i].caption), panel_);
        place(mFrame_[i], Frames[i].place);
    }

    tarKal_ = new QGroupBox(QString::fromStdString(game.TarKalCaption), panel_);
    place(tarKal_, {60, 1500, 3885, 4515});
    targetView_ = new PictureBox(game.TargetKal[1], tarKal_);
    targetView_->move(screen.PixelsX(120), screen.PixelsY(240));
}

void MDIForm1::Sync() { tarKal_->setTitle(QString::fromStdString(game_.TarKalCaption)); }

void MDIForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    game_.MDIForm_Unload();
}

} // namespace kalido
