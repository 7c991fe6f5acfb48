// The Qt side of every seam: message boxes, sound, the clock, the screen, the process.
#pragma once

#include "platform/Host.h"
#include "platform/SoundBackend.h"

#include <QDeadlineTimer>

#include <memory>
#include <random>

class QWidget;

namespace kalido {

class QtDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(const std::string& text, MsgStyle style, const std::string& title) override;
    std::string ShowFileDialog(FileDialogMode mode, const std::string& filter, const std::string& initialName) override;
    // Dialogs open over the window the player is using, or over this one when none is active.
    void SetOwner(QWidget* owner) { owner_ = owner; }
    static constexpr int MessageMinimumWidth = 280; // pixels

private:
    QWidget* parent() const;
    QWidget* owner_ = nullptr;
};

// Help files are HTML, shown in a window of their own that stays open beside the game.
class QtHelpViewer : public HelpViewer {
public:
    QtHelpViewer();
    ~QtHelpViewer() override;
    void ShowContents(const std::string& helpFile) override;
    static constexpr int HelpMargin = 14; // pixels

private:
    std::unique_ptr<QWidget> window_;
};

// Sound comes from a module of its own (QSoundEffect underneath), loaded by the first "play": a
// game that stays silent never maps the multimedia libraries. Without the module, or without an
// audio device, every sound is silent.
class QtMediaControl : public MediaControl {
public:
    QtMediaControl();
    ~QtMediaControl() override;
    void SendString(const std::string& command) override;
    // How long the sounds started so far still play, in milliseconds, as their files give it.
    int RemainingMilliseconds() const;
    // True once every open sound has loaded or failed to: none is still being read.
    bool Settled() const;
    // True when sounds can be heard: the module is loaded and the machine has an audio output.
    bool Audible() const;
    // Whether the sound module has been loaded.
    bool ModuleLoaded() const { return backend_ != nullptr; }

private:
    SoundBackend* backend(); // loads the module the first time, null when it cannot be loaded

    std::unique_ptr<SoundBackend> backend_;
    bool tried_ = false;
    QDeadlineTimer playing_;
};

// The playing time of a wave file from its header, in milliseconds; 0 when it is not a readable
// wave file.
int WaveMilliseconds(const std::string& path);

class QtFileWriter : public FileWriter {
public:
    std::string Replace(const std::string& path, const std::string& content) override;
};

class SystemChance : public Chance {
public:
    double Timer() override;
    void Randomize(double seed) override;
    double Rnd() override;

private:
    std::mt19937 generator_{0};
};

class QtScreenMetrics : public ScreenMetrics {
public:
    float TwipsPerPixelX() const override;
    float TwipsPerPixelY() const override;
};

class QtProcess : public Process {
public:
    explicit QtProcess(const QtMediaControl& media)
        : media_(media)
    {
    }
    std::string CurrentDirectory() const override;
    // The windows vanish at once; the process lingers until the last sound (the farewell) has
    // played, two seconds at most.
    void End() override;
    static constexpr int LongestFarewell = 2000; // milliseconds
    static constexpr int FarewellStartUp = 250;  // loading the sound and starting the output

private:
    const QtMediaControl& media_;
};

} // namespace kalido
