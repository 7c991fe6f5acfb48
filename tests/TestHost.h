// Scripted doubles for the platform seams, and a game started on a shapes file in a scratch folder.
#pragma once

#include "board/Game.h"
#include "platform/Host.h"
#include "platform/QtHost.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kalido::test {

struct ShownMessage {
    std::string text;
    MsgStyle style;
    std::string title;
};

class ScriptedDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(const std::string& text, MsgStyle style, const std::string& title) override;
    std::string ShowFileDialog(FileDialogMode mode, const std::string& filter, const std::string& initialName) override;
    std::vector<ShownMessage> shown;
    std::deque<MsgAnswer> answers;           // taken in turn; OK when empty
    std::function<void()> whileOpen;         // runs while a box is "open", before it is answered
    std::deque<std::string> picks;           // the files chosen in the file dialog, in turn; cancelled when empty
    std::vector<FileDialogMode> fileDialogs; // the modes the file dialog was shown in
};

// Records what the game opens; `whileOpen` runs while a modal window is "open".
class RecordingForms : public Forms {
public:
    void ShowAboutForm() override { opened("About"); }
    void ShowAllShapes() override { opened("AllShapes"); }
    void FocusBoard() override { ++boardFocused; }
    std::vector<std::string> shown;
    std::function<void()> whileOpen;
    int boardFocused = 0;

private:
    void opened(const std::string& form)
    {
        shown.push_back(form);
        if (whileOpen)
            whileOpen();
    }
};

// Writes through the real file writer, unless told to fail with a reason.
class ScriptedFiles : public FileWriter {
public:
    std::string Replace(const std::string& path, const std::string& content) override
    {
        return failWith.empty() ? real.Replace(path, content) : failWith;
    }
    QtFileWriter real;
    std::string failWith;
};

class RecordingHelp : public HelpViewer {
public:
    void ShowContents(const std::string& helpFile) override { shown.push_back(helpFile); }
    std::vector<std::string> shown;
};

class RecordingMedia : public MediaControl {
public:
    void SendString(const std::string& command) override { commands.push_back(command); }
    std::vector<std::string> commands;
};

class ScriptedChance : public Chance {
public:
    double Timer() override { return time; }
    void Randomize(double seed) override { seeds.push_back(seed); }
    double Rnd() override;
    double time = 43200.5;
    std::deque<double> draws; // taken in turn; 0 when empty
    std::vector<double> seeds;
};

class FixedScreen : public ScreenMetrics {
public:
    float TwipsPerPixelX() const override { return twips; }
    float TwipsPerPixelY() const override { return twips; }
    float twips = 15;
};

class FakeProcess : public Process {
public:
    std::string CurrentDirectory() const override { return directory; }
    void End() override { ++ends; }
    std::string directory;
    int ends = 0;
};

struct FakeHost {
    ScriptedDialogs dialogs;
    RecordingMedia media;
    ScriptedChance chance;
    FixedScreen screen;
    FakeProcess process;
    RecordingForms forms;
    RecordingHelp help;
    ScriptedFiles files;
    Host host{dialogs, media, chance, screen, process, forms, help, files};
};

// The bundled shapes file's text.
std::string BundledShapes();
// The bundled header (lines 1 to 65, each ending CR LF) followed by the given records.
std::string ShapesWithRecords(const std::vector<std::string>& records);
// A small collection of three figures: 1 is a square of all seven pieces (136 pixels a side).
std::string ThreeFigures();
// The record of the pieces as they lie now, as figure n.
std::string RecordOf(const Game& game, int n = 1);

// A scratch folder holding KALIDO.kal, a fake host working there, and a game not yet loaded.
class GameFixture {
public:
    explicit GameFixture(const std::string& shapes = ThreeFigures());
    bool Load() { return game->Form_Load(); }
    void WriteShapes(const std::string& content, const std::string& name = "KALIDO.kal");
    std::string Path(const std::string& name) const;

    QTemporaryDir dir;
    FakeHost fake;
    std::unique_ptr<Game> game;
};

// A game loaded on ThreeFigures, showing figure 1.
class LoadedGame : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.Load()); }
    Game& g() { return *f.game; }
    std::string play(const std::string& name) { return "play " + g().AppDir + name + ".wav"; }
    // Both images drawn afresh from the pieces as they lie.
    void redraw()
    {
        g().Picture1.Cls();
        g().HitImage.Cls();
        g().DrawBoard();
    }
    std::string shapes() { return *ReadWholeFile(f.Path("KALIDO.kal")); }
    std::vector<std::string> said() // the messages shown so far, first lines only
    {
        std::vector<std::string> texts;
        for (const auto& m : f.fake.dialogs.shown)
            texts.push_back(m.text.substr(0, m.text.find('\n')));
        return texts;
    }

    GameFixture f;
};

// The number of pixels of a surface that have the colour c.
int CountColour(const Surface& surface, Colour c);
// A point well inside piece i where it lies now: the centre of its first three corners.
std::pair<float, float> InsidePiece(const Game& game, int i);
// A point where piece i can be picked: its key colour lies there in the hit-test image.
std::pair<float, float> VisiblePoint(const Game& game, int i);
// A left-button drag of piece i that moves its reference point by (dx, dy), through the board's
// event procedures: press, a first move one pixel on, the final move, and the release.
void DragBy(Game& game, int i, int dx, int dy);
// Lays the pieces out exactly as figure n with its corner at (x, y), by setting the model.
void PlaceAsFigure(Game& game, int n, int x, int y);

} // namespace kalido::test
