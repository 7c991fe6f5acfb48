// Layout of the frame window, in twips converted to the screen's pixels.
#include "app/MDIForm1.h"

#include "app/PanelLayout.h"

#include "board/Game.h"
#include "platform/Host.h"
#include "platform/PictureBox.h"
#include "platform/Plaquet.h"

#include <QCloseEvent>
#include <QGroupBox>

namespace kalido {

MDIForm1::MDIForm1(Game& game, const ScreenMetrics& screen)
    : game_(game)
{
    setWindowTitle(QStringLiteral("Make this Kalido"));
    setFixedSize(screen.PixelsX(4044), screen.PixelsY(6144));
    // The buttons' names show whenever the pointer rests on one, also while the board window is
    // active, as it is after every command.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    panel_ = new QWidget(this);
    panel_->setGeometry(Pixels(screen, {0, 0, 4044, 6135}));
    // A frame's border runs through the middle of its caption, so that what lies in the frame at
    // its place in twips lies inside the border; the captions are small, as the frames are narrow.
    panel_->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
                                         "QGroupBox::title { subcontrol-origin: margin; left: 4px; padding: 0 1px; }"));
    QFont captions = panel_->font();
    captions.setPointSizeF(7.5);
    panel_->setFont(captions);
    for (std::size_t i = 0; i < PanelFrames.size(); ++i) {
        mFrame_[i] = new QGroupBox(QString::fromUtf8(PanelFrames[i].caption), panel_);
        mFrame_[i]->setGeometry(Pixels(screen, PanelFrames[i].place));
    }
    const QColor face = palette().color(QPalette::Button);
    SetUpMenuButtons(game, Rgb(face.red(), face.green(), face.blue()));
    for (std::size_t i = 0; i < PanelButtons.size(); ++i) {
        auto* button = new Plaquet(static_cast<int>(i), mFrame_.at(static_cast<std::size_t>(PanelButtons[i].frame)));
        button->setGeometry(Pixels(screen, PanelButtons[i].place));
        button->SetPicture(QIcon(QString::fromUtf8(PanelButtons[i].icon)));
        button->SetToolTipText(QString::fromStdString(game.MenuButx[i].ToolTipText));
        button->MouseMove = [&game](int n, int b, int s, float x, float y) { game.MenuButx_MouseMove(n, b, s, x, y); };
        button->MouseDown = [&game](int n, int b, int s, float x, float y) { game.MenuButx_MouseDown(n, b, s, x, y); };
        button->MouseUp = [&game](int n, int b, int s, float x, float y) { game.MenuButx_MouseUp(n, b, s, x, y); };
        menuButx_[i] = button;
    }

    tarKal_ = new QGroupBox(QString::fromStdString(game.TarKalCaption), panel_);
    tarKal_->setGeometry(Pixels(screen, {60, 1500, 3885, 4515}));
    targetView_ = new PictureBox(game.TargetKal[1], tarKal_);
    targetView_->move(screen.PixelsX(120), screen.PixelsY(240));
    targetView_->MouseUp = [&game](int b, int s, float x, float y) { game.TargetKal_MouseUp(1, b, s, x, y); };
    Sync();
}

void MDIForm1::Sync()
{
    tarKal_->setTitle(QString::fromStdString(game_.TarKalCaption));
    for (std::size_t i = 0; i < menuButx_.size(); ++i) {
        menuButx_[i]->SetFaceColor(game_.MenuButx[i].FaceColor);
        if (game_.MenuButx[i].Latched)
            menuButx_[i]->ShowPressed();
        else
            menuButx_[i]->ShowReleased();
    }
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    game_.MDIForm_Unload();
}

} // namespace kalido
