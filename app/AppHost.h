// The Qt side of every seam, as the program uses it, with the windows that only the program knows.
#pragma once

#include "platform/Host.h"
#include "platform/QtHost.h"

namespace kalido {

class Game;
class KalidoWindows;

// The About box and the gallery open over the frame window; the board window takes the keys.
class QtForms : public Forms {
public:
    void Attach(KalidoWindows* windows, Game* game, const ScreenMetrics* screen)
    {
        windows_ = windows;
        game_ = game;
        screen_ = screen;
    }
    void ShowAboutForm() override;
    void ShowAllShapes() override;
    void FocusBoard() override;

private:
    KalidoWindows* windows_ = nullptr;
    Game* game_ = nullptr;
    const ScreenMetrics* screen_ = nullptr;
};

struct AppHost {
    QtDialogs dialogs;
    QtMediaControl media;
    SystemChance chance;
    QtScreenMetrics screen;
    QtProcess process{media};
    QtForms forms;
    QtHelpViewer help;
    QtFileWriter files;
    Host host{dialogs, media, chance, screen, process, forms, help, files};
};

} // namespace kalido
