// The command panel: hover highlighting, the dispatcher, and the difficulty levels.
#include "TestHost.h"

#include "app/DisplayPlatform.h"
#include "app/PanelLayout.h"

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

    GameFixture f;
};

TEST_F(Panel, theHoveredButtonLightsUpAndStaysLitUntilThePointerReachesAnother)
{
    for (const auto& button : PanelButtons)
        EXPECT_TRUE(Game::IsCommandWord(button.word)) << button.word << " would do nothing";
    EXPECT_EQ(g().MenuButx[0].Tag, " 12632256") << "the hover colour, light grey, as text";
    EXPECT_EQ(g().MenuButx[1].Tag, " " + std::to_string(Face));
    g().MenuButx_MouseUp(buttonOf("Right"), LeftButton, 0, 5, 5);
    EXPECT_EQ(g().CurrentFigure, 1) << "a release before any hover does nothing";
    EXPECT_EQ(f.fake.forms.boardFocused, 0);
    g().MenuButx_MouseMove(6, 0, 0, 1, 1);
    g().MenuButx_MouseMove(7, 0, 0, 1, 1);
    EXPECT_EQ(g().MenuButx[6].FaceColor, Face);
    EXPECT_EQ(g().MenuButx[7].FaceColor, QBColor(7));
    EXPECT_EQ(g().HotButton, 7);
}

TEST_F(Panel, navigationNeverWrapsAndEveryFigureShownSendsThePiecesHome)
{
    struct Case {
        int from;
        const char* word;
        int button, to;
        bool shown;
    };
    for (const Case& c : {Case{1, "Left", LeftButton, 1, false}, Case{3, "Right", LeftButton, 3, false},
                          Case{1, "Right", LeftButton, 2, true}, Case{3, "Left", RightButton, 2, true},
                          Case{3, "Last", LeftButton, 3, true}, Case{2, "First", RightButton, 1, true},
                          Case{1, "Random", LeftButton, 3, true}}) {
        g().GoToFigure(c.from);
        g().DesignMode = 1;
        g().PieceX[3] += 20;
        g().SoundOn = 1;
        f.fake.media.commands.clear();
        f.fake.chance.draws = {0.99999};
        const int focused = f.fake.forms.boardFocused;
        use(c.word, c.button);
        g().SoundOn = 0;
        EXPECT_EQ(g().CurrentFigure, c.to) << c.word << " from " << c.from;
        EXPECT_EQ(g().PieceX[3] == g().HomeX[3], c.shown) << c.word << " from " << c.from;
        EXPECT_EQ(g().DesignMode, c.shown ? 0 : 1) << c.word << " from " << c.from;
        EXPECT_EQ(f.fake.media.commands,
                  c.shown ? std::vector<std::string>{play("whoosh1")} : std::vector<std::string>{});
        EXPECT_EQ(f.fake.forms.boardFocused, focused + 1) << "the board takes the keys after every command";
    }
}

TEST_F(Panel, randomWithTheRightButtonOpensTheGalleryAtItsFirstPageAndTheTargetAtThePageLastShown)
{
    g().GalleryOffset = 40;
    g().TargetKal_MouseUp(1, LeftButton, 0, 5, 5);
    g().TargetKal_MouseUp(1, RightButton, 0, 5, 5);
    EXPECT_EQ(g().GalleryOffset, 40);
    use("Random", RightButton);
    EXPECT_EQ(g().GalleryOffset, 0);
    EXPECT_EQ(f.fake.forms.shown, (std::vector<std::string>{"AllShapes", "AllShapes"}));
    EXPECT_EQ(g().CurrentFigure, 1);
}

TEST_F(Panel, soundLatchesWhileOnAboutAndHelpOpenTheirWindows)
{
    use("Sound");
    EXPECT_EQ(g().SoundOn, 1);
    EXPECT_TRUE(g().MenuButx[buttonOf("Sound")].Latched);
    int focusedWhileOpen = -1;
    f.fake.forms.whileOpen = [&] { focusedWhileOpen = f.fake.forms.boardFocused; };
    use("About");
    EXPECT_EQ(f.fake.forms.shown, std::vector<std::string>{"About"});
    EXPECT_EQ(f.fake.forms.boardFocused, focusedWhileOpen + 1) << "the focus returns once the box is closed";
    use("Help");
    EXPECT_EQ(f.fake.help.shown, std::vector<std::string>{g().AppDir + "kalido.html"});
    use("Sound");
    EXPECT_EQ(g().SoundOn, 0);
    EXPECT_FALSE(g().MenuButx[buttonOf("Sound")].Latched);
    EXPECT_EQ(f.fake.media.commands, std::vector<std::string>{play("click2")}) << "only the About box clicks";
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
        const std::string label = g().PStandardCaption;
        use(c.to);
        const bool changed = *c.sound != 0;
        EXPECT_EQ(f.fake.media.commands, changed ? std::vector<std::string>{play(c.sound)} : std::vector<std::string>{})
            << c.from << " to " << c.to;
        EXPECT_EQ(targetShown > 0, c.targetRedrawn) << c.from << " to " << c.to;
        EXPECT_EQ(boardShown > 0, changed) << c.from << " to " << c.to;
        EXPECT_EQ(g().Picture1Enabled, changed) << c.from << " to " << c.to;
        EXPECT_TRUE(changed || g().PStandardCaption == label) << "the label stays";
        for (const char* word : {"Normal", "Easy", "Very easy"})
            EXPECT_EQ(g().MenuButx[buttonOf(word)].Latched, std::string(word) == c.to) << "latched: " << word;
    }
    EXPECT_EQ(g().PStandardCaption, "Play difficulty: NORMAL");
    use("Easy");
    EXPECT_EQ(g().PStandardCaption, "Play difficulty: EASY");
    use("Very easy");
    EXPECT_EQ(g().PStandardCaption, "Play difficulty: VERY EASY");
}

TEST_F(Panel, atEasyAFigureShownOnPiecesThatAlreadyLieAsItStaysPlayable)
{
    use("Easy");
    for (const char* word : {"Right", "Last", "First", "Random"}) {
        const int next = word == std::string("Right") ? g().CurrentFigure + 1 : word == std::string("Last") ? 3 : 1;
        f.fake.chance.draws = {0.0};
        PlaceAsFigure(g(), next, 100, 100);
        use(word);
        EXPECT_EQ(g().CurrentFigure, next) << word;
        EXPECT_TRUE(g().Picture1Enabled) << word;
        EXPECT_TRUE(f.fake.dialogs.shown.empty()) << word;
    }
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
