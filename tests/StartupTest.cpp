// Start-up: the missing-file message, the state the game starts in, and the first figure.
#include "TestHost.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace kalido;
using namespace kalido::test;

TEST(Startup, withoutAShapesFileTheMessageNamesItAndTheProgramEnds)
{
    GameFixture f;
    QFile::remove(QString::fromStdString(f.Path("KALIDO.kal")));
    EXPECT_FALSE(f.Load());
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Kalido shapes file not found:\n\rKALIDO.kal");
    EXPECT_EQ(f.fake.dialogs.shown[0].buttons, MsgButtons::Ok);
}

TEST(Startup, anEmptyShapesFileCountsAsMissing)
{
    GameFixture f("");
    EXPECT_FALSE(f.Load());
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Kalido shapes file not found:\n\rKALIDO.kal");
}

TEST(Startup, theGameStartsSilentAtNormalWithNothingSelected)
{
    GameFixture f;
    ASSERT_TRUE(f.Load());
    const Game& g = *f.game;
    EXPECT_TRUE(f.fake.dialogs.shown.empty());
    EXPECT_EQ(g.SoundOn, g.NoValue);
    EXPECT_EQ(g.Difficulty, 3);
    EXPECT_EQ(g.PStandardCaption, "Play difficulty: NORMAL");
    EXPECT_EQ(g.SelectedPiece, NoPiece);
    EXPECT_EQ(g.DesignMode, g.NoValue);
    EXPECT_EQ(g.KeyPiece, 0);
    EXPECT_EQ(g.OriginX, 10);
    EXPECT_EQ(g.CrLf, "\n\r");
    EXPECT_EQ(g.PieceColor, (PerPiece<Colour>{0x800080, 0x00FFFF, 0x008000, 0xFF0000, 0x000080, 0xFFFF00, 0x0000FF}));
    EXPECT_EQ(g.BoardBackColor, 0xC0C0C0u);
    EXPECT_TRUE(f.fake.media.commands.empty()) << "nothing plays while sound is off";
    EXPECT_EQ(g.FormMainCaption, "File: " + f.Path("KALIDO.kal"));
}

TEST(Startup, theWorkingDirectoryGetsExactlyOneTrailingSeparator)
{
    GameFixture f;
    f.fake.process.directory = f.dir.path().toStdString() + "/";
    ASSERT_TRUE(f.Load());
    EXPECT_EQ(f.game->AppDir, f.dir.path().toStdString() + "/");
    GameFixture plain;
    ASSERT_TRUE(plain.Load());
    EXPECT_EQ(plain.game->AppDir, plain.dir.path().toStdString() + "/");
}

TEST(Startup, theFirstFigureIsDrawnFromTheWholeCollectionAfterReseedingFromTheClock)
{
    for (const auto& [r, expected] : std::vector<std::pair<double, int>>{{0.0, 1}, {0.5, 12}, {0.99999, 22}}) {
        GameFixture f;
        f.fake.chance.time = 3600.25;
        f.fake.chance.draws = {r};
        ASSERT_TRUE(f.Load());
        EXPECT_EQ(f.game->FigureCount, 22);
        EXPECT_EQ(f.game->CurrentFigure, expected) << "r = " << r;
        EXPECT_EQ(f.fake.chance.seeds, std::vector<double>{3600.25});
    }
}

TEST(Startup, atLargeFontsTheScaleFollowsTheScreenAndTheBoardKeepsItsSize)
{
    GameFixture f;
    f.fake.screen.twips = 12;
    f.game = std::make_unique<Game>(f.fake.host);
    ASSERT_TRUE(f.Load());
    EXPECT_FLOAT_EQ(f.game->ScaleX, 1.25f);
    EXPECT_FLOAT_EQ(f.game->ScaleY, 1.25f);
    EXPECT_EQ(f.game->Picture1.Width(), 350);
    EXPECT_EQ(f.game->Picture1.Height(), 390);
}

TEST(Startup, closingTheBoardWindowClosesTheSoundsSaysThanksWhenSoundIsOnAndEnds)
{
    GameFixture f;
    ASSERT_TRUE(f.Load());
    f.game->SoundOn = f.game->YesValue;
    f.game->Form_Unload();
    EXPECT_EQ(f.fake.media.commands, (std::vector<std::string>{"close all", "play " + f.game->AppDir + "thank.wav"}));
    EXPECT_EQ(f.fake.process.ends, 1);
}
