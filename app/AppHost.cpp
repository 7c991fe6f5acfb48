// The program's own windows behind the forms seam.
#include "app/AppHost.h"

#include "app/AboutForm.h"
#include "app/KalidoWindows.h"
#include "platform/PictureBox.h"

namespace kalido {

void QtForms::ShowAboutForm()
{
    if (!windows_)
        return;
    AboutForm about(*screen_, &windows_->Frame());
    about.exec();
}

// The gallery window comes with the thumbnails; until then the command opens nothing.
void QtForms::ShowAllShapes() {}

void QtForms::FocusBoard()
{
    if (!windows_)
        return;
    windows_->Board().activateWindow();
    windows_->Board().Picture1().setFocus();
}

} // namespace kalido
