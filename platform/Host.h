// The seams through which the game reaches its platform; tests replace each with a scripted double.
#pragma once

#include <cmath>
#include <string>

namespace kalido {

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// How a message box looks: its buttons, its icon, and which button is the default (0 the first,
// 1 the second).
struct MsgStyle {
    MsgStyle(MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None, int defaultButton = 0)
        : Buttons(buttons),
          Icon(icon),
          DefaultButton(defaultButton)
    {
    }
    MsgButtons Buttons;
    MsgIcon Icon;
    int DefaultButton;
};

enum class FileDialogMode { Open, Save };

// Modal message boxes and the common file dialog.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer MsgBox(const std::string& text, MsgStyle style, const std::string& title) = 0;
    // The file the player chose, or initialName unchanged when the dialog was cancelled.
    virtual std::string ShowFileDialog(FileDialogMode mode, const std::string& filter,
                                       const std::string& initialName) = 0;
};

// The program's own modal windows, and the keyboard focus of the board.
class Forms {
public:
    virtual ~Forms() = default;
    virtual void ShowAboutForm() = 0; // returns when the About box is closed
    virtual void ShowAllShapes() = 0; // returns when the gallery is closed
    virtual void FocusBoard() = 0;
};

// The help viewer: shows a help file's contents page on its own; the game does not wait for it.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void ShowContents(const std::string& helpFile) = 0;
};

// The multimedia command interface: "play <file>" starts a wave file without waiting,
// "close all" stops and releases every sound. Failures are silent.
class MediaControl {
public:
    virtual ~MediaControl() = default;
    virtual void SendString(const std::string& command) = 0;
};

// Time of day and the random-number generator.
class Chance {
public:
    virtual ~Chance() = default;
    virtual double Timer() = 0; // seconds since midnight
    virtual void Randomize(double seed) = 0;
    virtual double Rnd() = 0; // the next number in [0, 1)
};

// Window and control geometry is given in twips; the screen says how many make a pixel.
class ScreenMetrics {
public:
    virtual ~ScreenMetrics() = default;
    virtual float TwipsPerPixelX() const = 0;
    virtual float TwipsPerPixelY() const = 0;
    // Twips to the nearest whole pixel.
    int PixelsX(double twips) const { return static_cast<int>(std::lround(twips / TwipsPerPixelX())); }
    int PixelsY(double twips) const { return static_cast<int>(std::lround(twips / TwipsPerPixelY())); }
};

// Writing files: the new content is complete on disk before it takes the file's place, so a
// failure leaves the file as it was. Returns an empty text on success, else what went wrong.
class FileWriter {
public:
    virtual ~FileWriter() = default;
    virtual std::string Replace(const std::string& path, const std::string& content) = 0;
};

// The running process: its working directory and its end.
class Process {
public:
    virtual ~Process() = default;
    virtual std::string CurrentDirectory() const = 0;
    virtual void End() = 0;
};

struct Host {
    Dialogs& dialogs;
    MediaControl& media;
    Chance& chance;
    ScreenMetrics& screen;
    Process& process;
    Forms& forms;
    HelpViewer& help;
    FileWriter& files;
};

} // namespace kalido
