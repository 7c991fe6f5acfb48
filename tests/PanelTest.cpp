// The command panel: hover highlighting, the dispatcher and what each command does, and the
// difficulty levels.
#include "TestHost.h"

#include "app/DisplayPlatform.h"
#include "app/PanelLayout.h"

#include <QDir>

using namespace kalido;
using namespace kalido::test;

namespace {

constexpr Colour Face = Rgb(0xEF, 0xEF, 0xEF);

int buttonOf(const std::string& word)
{
    for (std::size_t i = 0; i < PanelButtons.size(); ++i)
        if (word == PanelButtons[i].word)
            return static_cast<int>(i);
    throw std::invalid_argument(word);
}

} // namespace

class Panel : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUpMenuButtons(g(), Face);
        ASSERT_TRUE(f.Load());
    }
    Game& g() { return *f.game; }
    std::string play(const std::string& name) { return "play " + g().AppDir + name + ".wav"; }
    // The pointer moves onto the button, and a mouse button is pressed and released there.
    void use(const std::string& word, int button = LeftButton)
    {
        const int i = buttonOf(word);
        g().MenuButx_MouseMove(i, 0, 0, 5, 5);
        g().MenuButx_MouseDown(i, button, 0, 5, 5);
        g().MenuButx_MouseUp(i, button, 0, 5, 5);
    }
    // What the player heard and saw open, in that order of kinds: sounds, file dialogs, the first
    // lines of messages, windows, help files.
    std::string trace()
    {
        std::string t;
        auto add = [&](const std::string& s) { t += (t.empty() ? "" : " ") + s; };
        for (const auto& command : f.fake.media.commands)
            add(command.substr(command.rfind('/') + 1, command.size() - command.rfind('/') - 5));
        for (auto mode : f.fake.dialogs.fileDialogs)
            add(mode == FileDialogMode::Open ? "open-dialog" : "save-dialog");
        for (const auto& m : f.fake.dialogs.shown)
            add(m.text.substr(0, m.text.find('\n')));
        for (const auto& form : f.fake.forms.shown)
            add(form);
        for (const auto& file : f.fake.help.shown)
            add(file.substr(g().AppDir.size()));
        return t;
    }

    GameFixture f;
};

TEST_F(Panel, eachCommandDoesWhatItsWordSaysAndGivesTheKeysBackToTheBoard)
{
    struct Case {
        int from; // the figure shown before, with a piece moved, in design mode, sound on
        const char* word;
        int button, figure;
        const char* pieces; // "home", "figure" (laid out as the figure) or "moved" (as they were)
        int design;
        std::string trace;
    };
    const int L = LeftButton, R = RightButton;
    for (const Case& c : {Case{2, "First", L, 1, "home", 0, "whoosh1"},
                          Case{2, "Left", L, 1, "home", 0, "whoosh1"},
                          Case{1, "Left", L, 1, "moved", 1, ""},
                          Case{2, "Right", R, 3, "home", 0, "whoosh1"},
                          Case{3, "Right", L, 3, "moved", 1, ""},
                          Case{3, "Last", L, 3, "home", 0, "whoosh1"},
                          Case{2, "Random", L, 3, "home", 0, "whoosh1"},
                          Case{2, "Random", R, 2, "moved", 1, "AllShapes"},
                          Case{2, "Reset", L, 2, "home", 1, "whoosh1"},
                          Case{2, "Copy", R, 2, "figure", 1, "whoosh1"},
                          Case{2, "Open new Kalido file", L, 2, "moved", 1, "click2 open-dialog"},
                          Case{2, "Save Kalido file as", L, 2, "moved", 1, "click2 save-dialog"},
                          Case{2, "Remove existing Kalido", L, 2, "moved", 1, "Remove this Kalido ( 2) ?"},
                          Case{2, "Append existing Kalido", L, 2, "moved", 1, "click2 Kalido is too wide or too tall"},
                          Case{2, "Help", L, 2, "moved", 1, "kalido.html"},
                          Case{2, "About", L, 2, "moved", 1, "click2 About"},
                          Case{2, "Sound", R, 2, "moved", 1, ""},
                          Case{2, "Normal", L, 2, "moved", 1, ""},
                          Case{2, "Easy", L, 2, "moved", 1, "click2"},
                          Case{2, "Very easy", L, 2, "moved", 1, "GiveUp"}}) {
        g().GoToFigure(c.from);
        g().DesignMode = 1;
        g().PieceX[3] += 20;
        g().SoundOn = 1;
        f.fake.media.commands.clear();
        f.fake.dialogs.shown.clear();
        f.fake.dialogs.fileDialogs.clear();
        f.fake.dialogs.answers = {MsgAnswer::Cancel};
        f.fake.forms.shown.clear();
        f.fake.help.shown.clear();
        f.fake.chance.draws = {0.99999};
        const int focused = f.fake.forms.boardFocused;
        use(c.word, c.button);
        const int n = g().CurrentFigure;
        const char* pieces = g().PieceX == g().HomeX                ? "home"
                             : g().PieceX[3] == g().FigX[n][3] + 50 ? "figure"
                                                                    : "moved";
        EXPECT_EQ(std::tuple(n, std::string(pieces), g().DesignMode, trace()),
                  std::tuple(c.figure, std::string(c.pieces), c.design, c.trace))
            << c.word << " from " << c.from;
        EXPECT_EQ(f.fake.forms.boardFocused, focused + 1) << c.word;
        EXPECT_EQ(g().SoundOn == 1, c.word != std::string("Sound")) << c.word;
        EXPECT_EQ(g().MenuButx[buttonOf("Sound")].Latched, false) << "latched only by a press of its own";
    }
    g().SoundOn = 0;
    use("Sound");
    EXPECT_TRUE(g().MenuButx[buttonOf("Sound")].Latched) << "latched while on";
}

TEST_F(Panel, aDifficultyRedrawsWhatItChangesAndUnlocksTheBoardButTheLevelInForceChangesNothing)
{
    struct Case {
        const char* from; // the level chosen first, then `to`
        const char* to;
        const char* sound; // nothing when empty
        bool targetRedrawn;
    };
    int targetShown = 0, boardShown = 0;
    g().TargetKal[1].OnRefresh = [&](const QRect&) { ++targetShown; };
    g().Picture1.OnRefresh = [&](const QRect&) { ++boardShown; };
    g().SoundOn = 1;
    for (const Case& c : {Case{"Normal", "Normal", "", false}, Case{"Normal", "Easy", "click2", false},
                          Case{"Easy", "Normal", "click2", false}, Case{"Normal", "Very easy", "GiveUp", true},
                          Case{"Very easy", "Easy", "click2", true}, Case{"Very easy", "Very easy", "", false},
                          Case{"Very easy", "Normal", "click2", true}}) {
        use(c.from);
        g().SetPicture1Enabled(false);
        f.fake.media.commands.clear();
        targetShown = boardShown = 0;
        use(c.to);
        const bool changed = *c.sound != 0;
        EXPECT_EQ(f.fake.media.commands, changed ? std::vector<std::string>{play(c.sound)} : std::vector<std::string>{})
            << c.from << " to " << c.to;
        EXPECT_EQ(targetShown > 0, c.targetRedrawn) << c.from << " to " << c.to;
        EXPECT_EQ(boardShown > 0, changed) << c.from << " to " << c.to;
        EXPECT_EQ(g().Picture1Enabled, changed) << c.from << " to " << c.to;
        EXPECT_EQ(g().PStandardCaption, "Play difficulty: " + QString(c.to).toUpper().toStdString());
        for (const char* word : {"Normal", "Easy", "Very easy"})
            EXPECT_EQ(g().MenuButx[buttonOf(word)].Latched, std::string(word) == c.to) << "latched: " << word;
    }
}

TEST_F(Panel, aPatternIsNoFileToOpenOrSaveAndACopyNamedWithoutExtensionIsAShapesFile)
{
    f.WriteShapes(ShapesWithRecords({}), "*.kal"); // as an earlier version could write it
    for (const std::string& pick : {std::string("*.kal"), f.Path("*.kal"), f.Path("a?.kal")}) {
        f.fake.dialogs.picks = {pick, pick};
        use("Save Kalido file as");
        use("Open new Kalido file");
    }
    EXPECT_EQ(std::tuple(g().ShapesFile, g().FigureCount), std::tuple(std::string("KALIDO.kal"), 3));
    EXPECT_EQ(trace(), "save-dialog open-dialog save-dialog open-dialog save-dialog open-dialog");
    EXPECT_EQ(QDir(f.dir.path()).entryList(QDir::Files).size(), 2) << "nothing written";
    f.fake.dialogs.picks = {f.Path("copy")};
    use("Save Kalido file as");
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "KALIDO.kal\n\rcopied as:\n\r" + f.Path("copy.kal"));
    EXPECT_EQ(ReadWholeFile(f.Path("copy.kal")), ReadWholeFile(f.Path("KALIDO.kal")));
}

TEST(DisplayPlatform, aWaylandSessionThatOffersAnXServerRunsOnItUnlessThePlayerChoseAPlatform)
{
    const struct {
        DisplayEnvironment env; // QT_QPA_PLATFORM, WAYLAND_DISPLAY, XDG_SESSION_TYPE, DISPLAY
        QByteArray expected;
    } rows[] = {
        {{"", "wayland-0", "wayland", ":0"}, "xcb;wayland"},
        {{"", "", "wayland", ":1"}, "xcb;wayland"},
        {{"", "wayland-0", "", ":0"}, "xcb;wayland"},
        {{"wayland", "wayland-0", "wayland", ":0"}, ""}, // the player's choice stands
        {{"", "wayland-0", "wayland", ""}, ""},          // no X server: Qt's own choice
        {{"", "", "x11", ":0"}, ""},                     // an X session needs nothing
    };
    for (const auto& row : rows)
        EXPECT_EQ(PlatformToRequest(row.env), row.expected)
            << row.env.qpaPlatform.data() << "|" << row.env.waylandDisplay.data() << "|" << row.env.sessionType.data()
            << "|" << row.env.x11Display.data();
}
