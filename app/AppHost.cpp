// The program's own windows behind the forms seam.
#include "app/AppHost.h"

#include "app/AboutForm.h"
#include "app/KalidoWindows.h"
#include "gallery/AllShapes.h"
#include "platform/PictureBox.h"

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
    AllShapes gallery(*game_, *screen_, &windows_->Frame());
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
