// The whole game through its real windows: Qt mouse and key events solve a bundled figure.
#include "TestHost.h"

#include "app/AboutForm.h"
#include "app/KalidoWindows.h"
#include "platform/PictureBox.h"
#include "platform/Plaquet.h"
#include "platform/QtHost.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace kalido;
using namespace kalido::test;

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.fake.chance.draws = {0.0}; // figure 1 first
        windows = std::make_unique<KalidoWindows>(*f.game, f.fake.screen);
        titleBeforeStart = windows->Board().windowTitle();
        ASSERT_TRUE(windows->Start());
    }
    Game& g() { return *f.game; }
    PictureBox& board() { return windows->Board().Picture1(); }

    QPoint visible(int i)
    {
        const auto [x, y] = VisiblePoint(g(), i);
        return {static_cast<int>(x), static_cast<int>(y)};
    }

    GameFixture f;
    std::unique_ptr<KalidoWindows> windows;
    QString titleBeforeStart;
};

TEST_F(EndToEnd, startUpShowsBothWindowsWithTheirCaptionsAndTheTarget)
{
    EXPECT_EQ(windows->Frame().pos(), QPoint(0, 0));
    EXPECT_EQ(windows->Board().x(), windows->Frame().frameGeometry().right() + 1);
    EXPECT_EQ(titleBeforeStart, "Kalido");
    EXPECT_EQ(windows->Board().windowTitle().toStdString(), "File: " + f.Path("KALIDO.kal"));
    EXPECT_EQ(windows->Board().frameGeometry().size(), QSize(373, 442)) << "5600 x 6624 twips, decorations included";
    EXPECT_EQ(windows->Frame().TarKal().title(), "Kalido (1 of 3)");
    EXPECT_EQ(windows->Board().PStandard().text(), "Play difficulty: NORMAL");
    EXPECT_EQ(windows->Board().PStandard().grab().toImage().pixel(2, 2), qRgb(0xC0, 0, 0)) << "on red";
    const QImage target = windows->Frame().TargetView().grab().toImage();
    EXPECT_EQ(target.pixel(target.width() / 2, target.height() / 2), qRgb(0, 0, 0)) << "the square in the middle";
}

TEST_F(EndToEnd, aPlayerSolvesTheSquareFromTheHomePlacesWithTheMouse)
{
    const int cornerX = 100, cornerY = 130;
    f.fake.chance.draws = {0.95}; // the next figure: Int(3 * 0.95 + 1) = 3
    f.fake.dialogs.whileOpen = [&] {
        EXPECT_FALSE(board().isEnabled());
        const int dropped = g().KeyPiece; // the piece that completed the figure
        QTest::mouseClick(&board(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
        QTest::keyClick(&board(), Qt::Key_Tab);
        EXPECT_EQ(g().KeyPiece, dropped) << "the locked board ignores the player";
        EXPECT_EQ(g().PieceOrient[dropped], g().FigOrient[1][dropped]);
    };
    for (int i = 0; i < 7; ++i) {
        // Odd pieces are turned by the keys: a click chooses the piece, Tab turns it.
        if (i % 2)
            QTest::mouseClick(&board(), Qt::LeftButton, Qt::NoModifier, visible(i));
        for (int turns = 0; g().PieceOrient[i] != g().FigOrient[1][i]; ++turns) {
            ASSERT_LT(turns, 8);
            if (i % 2)
                QTest::keyClick(&board(), Qt::Key_Tab);
            else
                QTest::mouseClick(&board(), Qt::RightButton, Qt::NoModifier, visible(i));
        }
        const QPoint from = visible(i);
        const QPoint travel(cornerX + g().FigX[1][i] - g().PieceX[i], cornerY + g().FigY[1][i] - g().PieceY[i]);
        QTest::mousePress(&board(), Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(&board(), from + QPoint(1, 0));
        QTest::mouseMove(&board(), from + QPoint(1, 0) + travel / 2);
        QTest::mouseMove(&board(), from + QPoint(1, 0) + travel);
        QTest::mouseRelease(&board(), Qt::LeftButton, Qt::NoModifier, from + QPoint(1, 0) + travel);
    }
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "You got it - congratulations");
    EXPECT_EQ(windows->Frame().TarKal().title(), "Kalido (3 of 3)");
    EXPECT_TRUE(board().isEnabled());
}

TEST_F(EndToEnd, shiftArrowAndTheKeypadNudgeTheKeyPieceAndShiftTabTurnsIt)
{
    const int x = g().PieceX[0];
    QTest::keyClick(&board(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&board(), Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(g().PieceX[0], x - 4);
    QTest::keyClick(&board(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(g().PieceOrient[0], 1);
}

TEST_F(EndToEnd, aPictureButtonShowsItsNameAndRunsItsCommandOnlyWhenLetGoOverIt)
{
    Plaquet& right = windows->Frame().MenuButx(8);
    EXPECT_EQ(right.accessibleName(), "Right");
    QTest::mouseMove(&right, QPoint(5, 5));
    QTRY_COMPARE(QToolTip::text(), "Right");
    for (QPoint away : {QPoint(-30, 5), QPoint(5, 200)}) { // onto "Left", onto the target view
        QTest::mousePress(&right, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(&right, Qt::LeftButton, Qt::NoModifier, away);
    }
    EXPECT_EQ(windows->Frame().TarKal().title(), "Kalido (1 of 3)") << "slid off: nothing runs";
    QTest::mouseClick(&right, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(windows->Frame().TarKal().title(), "Kalido (2 of 3)");
    EXPECT_EQ(right.FaceColor(), QBColor(7)) << "lit while the pointer is on it";
    Plaquet& sound = windows->Frame().MenuButx(11);
    QTest::mouseMove(&sound, QPoint(5, 5));
    QTest::mouseClick(&sound, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(sound.Latched());
    EXPECT_EQ(right.FaceColor(), g().MenuButx[1].FaceColor) << "the light has moved on";
}

TEST_F(EndToEnd, closingEitherWindowClosesTheSoundsSaysThanksWhenSoundIsOnAndEnds)
{
    windows->Board().close();
    EXPECT_EQ(f.fake.process.ends, 1);
    EXPECT_EQ(f.fake.media.commands, std::vector<std::string>{"close all"}) << "silent: no thanks while sound is off";
    g().SoundOn = 1;
    windows->Frame().close();
    EXPECT_EQ(f.fake.process.ends, 2);
    EXPECT_EQ(f.fake.media.commands.back(), "play " + g().AppDir + "thank.wav");
}

TEST(AboutForm, closesOnOkOrOnAPressOfAnyButtonOnTheCreditText)
{
    FixedScreen screen;
    for (bool onText : {true, false}) {
        AboutForm about(screen, nullptr);
        about.show();
        QWidget* target = onText ? about.findChild<QPlainTextEdit*>()->viewport()
                                 : static_cast<QWidget*>(about.findChild<QPushButton*>());
        QTest::mouseClick(target, onText ? Qt::RightButton : Qt::LeftButton);
        EXPECT_FALSE(about.isVisible()) << (onText ? "text" : "OK");
        EXPECT_EQ(about.windowTitle(), "About Kalido");
        EXPECT_EQ(about.result(), QDialog::Accepted);
    }
}

TEST(QtHelpViewer, bringsAMinimisedOrClosedHelpWindowBackInFront)
{
    QtHelpViewer help;
    help.ShowContents("no-such-help.html");
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "Kalido Help")
            window = w;
    ASSERT_TRUE(window);
    for (auto put : {&QWidget::showMinimized, &QWidget::hide}) {
        (window->*put)();
        help.ShowContents("no-such-help.html");
        EXPECT_TRUE(window->isVisible() && !window->isMinimized());
    }
}

TEST(QtMediaControl, loadsItsSoundModuleWithTheFirstSoundAndKnowsHowLongItsSoundsPlay)
{
    const std::string data = std::string(KALIDO_DATA_DIR) + "/";
    EXPECT_EQ(WaveMilliseconds(data + "thank.wav"), 1656);
    EXPECT_EQ(WaveMilliseconds(data + "KALIDO.kal"), 0);
    EXPECT_EQ(WaveMilliseconds(data + "missing.wav"), 0);
    QtMediaControl media;
    media.SendString("play /no/such/clap4.wav"); // silent
    media.SendString("play " + data + "Click.wav");
    EXPECT_TRUE(media.ModuleLoaded()) << "the sound module lies beside the executable";
    EXPECT_GT(media.RemainingMilliseconds(), 0);
    EXPECT_LE(media.RemainingMilliseconds(), 35) << "never longer than the file plays";
    QTRY_VERIFY(media.Settled()); // Qt reads wave files in the background: let it finish
    media.SendString("close all");
    EXPECT_EQ(media.RemainingMilliseconds(), 0);
}
