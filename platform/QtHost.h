// The Qt side of every seam: message boxes, QSoundEffect sound, the clock, the screen, the process.
#pragma once

#include "platform/Host.h"

#include <QObject>

#include <map>
#include <memory>
#include <random>

class QSoundEffect;

namespace kalido {

class QtDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title) override;
};

class QtMediaControl : public MediaControl {
public:
    QtMediaControl();
    ~QtMediaControl() override;
    void SendString(const std::string& command) override;
    // How many wave files are open: each is opened once and kept until "close all".
    std::size_t OpenSounds() const { return sounds_.size(); }

private:
    std::map<std::string, std::unique_ptr<QSoundEffect>> sounds_;
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
    std::string CurrentDirectory() const override;
    void End() override;
};

// All of them together, as the program uses them.
struct QtHost {
    QtDialogs dialogs;
    QtMediaControl media;
    SystemChance chance;
    QtScreenMetrics screen;
    QtProcess process;
    Host host{dialogs, media, chance, screen, process};
};

} // namespace kalido
