// The program's own windows behind the forms seam.
#include "app/AppHost.h"

#include "app/AboutForm.h"
#include "app/KalidoWindows.h"
#include "gallery/AllShapes.h"
#include "platform/PictureBox.h"

#include <QGroupBox>
#include <QScreen>

namespace kalido {

void QtForms::ShowAboutForm()
{
    if (!windows_)
        return;
    AboutForm about(*screen_, &windows_->Frame());
    about.exec();
}

void QtForms::ShowAllShapes()
{
    if (!windows_)
        return;
    MDIForm1& frame = windows_->Frame();
    AllShapes gallery(*game_, *screen_, &frame);
    // The window manager frames the gallery as it frames the frame window.
    const QRect outer = frame.frameGeometry(), inner = frame.geometry();
    const QMargins decorations(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                               outer.bottom() - inner.bottom());
    const QRect target(frame.TarKal().mapToGlobal(QPoint(0, 0)), frame.TarKal().size());
    gallery.move(GalleryPlace(outer, target, gallery.size().grownBy(decorations), frame.screen()->availableGeometry()));
    gallery.exec();
}

void QtForms::FocusBoard()
{
    if (!windows_)
        return;
    windows_->Board().activateWindow();
    windows_->Board().Picture1().setFocus();
}

} // namespace kalido
