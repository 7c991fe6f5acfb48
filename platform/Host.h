// The seams through which the game reaches its platform; tests replace each with a scripted double.
#pragma once

#include <cmath>
#include <string>

namespace kalido {

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Yes, No };

// Modal message boxes (and, later, the file dialogs).
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer MsgBox(const std::string& text, MsgButtons buttons, const std::string& title) = 0;
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
};

} // namespace kalido
