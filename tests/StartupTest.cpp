// Start-up: the file that cannot be used, the first figure, the screen's scale, and shutdown.
#include "TestHost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <fstream>

using namespace kalido;
using namespace kalido::test;

TEST(Startup, aMissingEmptyOrUnreadableShapesFileIsNotFoundAndNothingStarts)
{
    const std::vector<std::pair<const char*, std::function<void(GameFixture&)>>> cases = {
        {"missing", [](GameFixture& f) { QFile::remove(QString::fromStdString(f.Path("KALIDO.kal"))); }},
        {"empty", [](GameFixture& f) { f.WriteShapes(""); }},
        {"a folder",
         [](GameFixture& f) {
             QFile::remove(QString::fromStdString(f.Path("KALIDO.kal")));
             QDir(f.dir.path()).mkdir("KALIDO.kal");
         }},
    };
    for (const auto& [name, spoil] : cases) {
        GameFixture f;
        spoil(f);
        EXPECT_FALSE(f.Load()) << name;
        ASSERT_EQ(f.fake.dialogs.shown.size(), 1u) << name;
        EXPECT_EQ(f.fake.dialogs.shown[0].text, "Kalido shapes file not found:\n\rKALIDO.kal") << name;
        EXPECT_EQ(f.fake.dialogs.shown[0].buttons, MsgButtons::Ok);
    }
}

TEST(Startup, aShapesFileWithoutReadPermissionIsNotFound)
{
    GameFixture f;
    QFile::setPermissions(QString::fromStdString(f.Path("KALIDO.kal")), QFileDevice::WriteOwner);
    if (std::ifstream(f.Path("KALIDO.kal")))
        GTEST_SKIP() << "this user reads files without read permission (root)";
    EXPECT_FALSE(f.Load());
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Kalido shapes file not found:\n\rKALIDO.kal");
}

TEST(Startup, theWorkingDirectoryGetsExactlyOneTrailingSeparator)
{
    for (const std::string ending : {"", "/"}) {
        GameFixture f;
        f.fake.process.directory = f.dir.path().toStdString() + ending;
        ASSERT_TRUE(f.Load());
        EXPECT_EQ(f.game->AppDir, f.dir.path().toStdString() + "/");
    }
}

TEST(Startup, theFirstFigureIsDrawnFromTheWholeCollectionAfterReseedingFromTheClock)
{
    for (const auto& [r, expected] : std::vector<std::pair<double, int>>{{0.0, 1}, {0.5, 2}, {0.99999, 3}}) {
        GameFixture f;
        f.fake.chance.time = 3600.25;
        f.fake.chance.draws = {r};
        ASSERT_TRUE(f.Load());
        EXPECT_EQ(f.game->CurrentFigure, expected) << "r = " << r;
        EXPECT_EQ(f.fake.chance.seeds, std::vector<double>{3600.25});
    }
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
