// Recognition, the drop and its consequences, the target view and the sound cues.
#include "TestHost.h"

#include <gtest/gtest.h>

using namespace kalido;
using namespace kalido::test;

class Play : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.fake.chance.draws = {0.0}; // start on figure 1, the square
        ASSERT_TRUE(f.Load());
        ASSERT_EQ(g().CurrentFigure, 1);
    }
    Game& g() { return *f.game; }
    std::string play(const std::string& name) { return "play " + g().AppDir + name + ".wav"; }

    GameFixture f;
};

TEST_F(Play, aDeviationOfFifteenPixelsOnEitherAxisIsAcceptedAndSixteenIsNot)
{
    PlaceAsFigure(g(), 1, 100, 100);
    for (int piece : {5, 0, 4}) {
        for (auto [dx, dy] : {std::pair{15, 0}, {0, 15}, {-15, 15}, {16, 0}, {0, 16}, {0, -16}}) {
            // Move the piece's place in the figure rather than the piece, so that the
            // arrangement's corner stays where it is whatever the direction.
            g().FigX[1][piece] -= dx;
            g().FigY[1][piece] -= dy;
            g().CheckSolved();
            g().FigX[1][piece] += dx;
            g().FigY[1][piece] += dy;
            const bool accepted = std::abs(dx) <= 15 && std::abs(dy) <= 15;
            EXPECT_EQ(g().FigureSolved, accepted ? 1 : 0) << "piece " << piece << " off by " << dx << "," << dy;
        }
    }
}

TEST_F(Play, theSameArrangementAnywhereOnTheBoardIsAccepted)
{
    for (auto [x, y] : {std::pair{20, 20}, {150, 200}, {-40, 300}}) {
        PlaceAsFigure(g(), 1, x, y);
        g().CheckSolved();
        EXPECT_EQ(g().FigureSolved, 1) << x << "," << y;
    }
}

TEST_F(Play, twinsMaySwapPlacesInBothStages)
{
    PlaceAsFigure(g(), 1, 100, 100);
    std::swap(g().PieceX[0], g().PieceX[1]);
    std::swap(g().PieceY[0], g().PieceY[1]);
    std::swap(g().PieceOrient[0], g().PieceOrient[1]);
    std::swap(g().PieceX[2], g().PieceX[4]);
    std::swap(g().PieceY[2], g().PieceY[4]);
    std::swap(g().PieceOrient[2], g().PieceOrient[4]);
    g().CheckSolved();
    EXPECT_EQ(g().FigureSolved, 1);
    g().CheckPiecePlaced(0);
    EXPECT_EQ(g().Placed[0] + g().Placed[1], 2);
    g().CheckPiecePlaced(4);
    EXPECT_EQ(g().Placed[2] + g().Placed[4], 2);
    // A unique piece 16 pixels off fails whatever the twins do.
    g().PieceX[6] += 16;
    g().CheckSolved();
    EXPECT_EQ(g().FigureSolved, 0);
}

TEST_F(Play, theTwinRuleCreditsTheLowerNumberWhenBothCouldOnlyTakeOnePlace)
{
    g().FigOrient[1][0] = 1;
    g().FigOrient[1][1] = 3;
    auto flags = [&](int o0, int o1) {
        g().PieceOrient[0] = o0;
        g().PieceOrient[1] = o1;
        g().CheckPiecePlaced(1);
        return std::pair{g().Placed[0], g().Placed[1]};
    };
    EXPECT_EQ(flags(1, 3), (std::pair<std::int16_t, std::int16_t>{1, 1})); // row 1
    EXPECT_EQ(flags(3, 1), (std::pair<std::int16_t, std::int16_t>{1, 1})); // row 3: swapped
    EXPECT_EQ(flags(1, 1), (std::pair<std::int16_t, std::int16_t>{1, 0})); // both on place 0: piece 0 credited
    EXPECT_EQ(flags(3, 3), (std::pair<std::int16_t, std::int16_t>{1, 0})); // both on place 1: piece 0 again
    EXPECT_EQ(flags(0, 1), (std::pair<std::int16_t, std::int16_t>{0, 1})); // row 6
    EXPECT_EQ(flags(5, 3), (std::pair<std::int16_t, std::int16_t>{0, 1})); // row 5
    g().Placed[0] = 1;
    g().PieceOrient[0] = 6;
    g().PieceOrient[1] = 6;
    g().CheckPiecePlaced(1);
    EXPECT_EQ(g().Placed[1], 0);
    EXPECT_EQ(g().Placed[0], 1) << "when no row holds, the other flag keeps its value";
}

TEST_F(Play, anAcceptedArrangementIsDrawnExactlyAndLocksTheBoard)
{
    PlaceAsFigure(g(), 1, 100, 100);
    g().PieceX[5] += 7; // within tolerance, but drawn where the figure has it
    g().CheckSolved();
    ASSERT_EQ(g().FigureSolved, 1);
    EXPECT_FALSE(g().Picture1Enabled);
    // The square of 136 pixels, black inside grey edges, with its corner at the arrangement's.
    const int black = CountColour(g().Picture1, QBColor(0));
    EXPECT_GT(black, 15000);
    EXPECT_LT(black, 136 * 136);
    EXPECT_GT(CountColour(g().Picture1, QBColor(8)), 400);
    EXPECT_EQ(g().Picture1.Point(g().OriginX + 100 + 20, g().OriginY + 100 + 5), QBColor(0));
    EXPECT_EQ(g().Picture1.Point(g().OriginX + 100 + 140, g().OriginY + 100 + 2), g().BoardBackColor);
    // Only a picture: the hit-test image still has the pieces where the player left them.
    EXPECT_EQ(g().PieceX[5], 100 + g().FigX[1][5] + 7);
}

TEST(HomeLayoutFigure, waitsForThePlayersOwnMoveBeforeItCountsAsSolved)
{
    GameFixture probe;
    ASSERT_TRUE(probe.Load());
    GameFixture f(ShapesWithRecords(
        {"1,60,60,5,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60", RecordOf(*probe.game, 2)}));
    Game& g = *f.game;
    f.fake.chance.draws = {0.99999};
    ASSERT_TRUE(f.Load());
    ASSERT_EQ(g.CurrentFigure, 2);
    EXPECT_EQ(g.Placed, (PerPiece<std::int16_t>{1, 1, 1, 1, 1, 1, 1})) << "the flags still follow the pieces";
    g.Difficulty = 2;
    g.ShowFigure();
    EXPECT_EQ(g.Placed, (PerPiece<std::int16_t>{1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(g.Picture1Enabled);
    EXPECT_TRUE(f.fake.dialogs.shown.empty()) << "neither start-up nor showing it at EASY completes the figure";

    // The player turns the square round: the turn completes the figure, and the restart brings
    // the same figure back without counting it solved again.
    f.fake.chance.draws = {0.99999};
    g.TurnPiece(3);
    EXPECT_EQ(g.Placed[3], 0);
    g.TurnPiece(3);
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "You got it - congratulations");
    EXPECT_EQ(g.CurrentFigure, 2);
    EXPECT_TRUE(g.Picture1Enabled);
    g.Difficulty = 3;
    g.ShowFigure();
    EXPECT_EQ(g.Placed, (PerPiece<std::int16_t>{})) << "a figure shown at NORMAL starts with no piece placed";
}

TEST_F(Play, dropBoundsHoldAtTwentyAndAtThreeHundredThirtyAndSixtyFive)
{
    const int p = 3; // the square: 48 x 48
    const int ext = g().PieceExtentX[p][0];
    struct Case {
        int x, y;
        bool kept;
    };
    for (const Case& c : {Case{20, 200, true}, Case{19, 200, false}, Case{150, 20, true}, Case{150, 19, false},
                          Case{330 - ext, 200, true}, Case{331 - ext, 200, false}, Case{150, 365 - ext, true},
                          Case{150, 366 - ext, false}}) {
        g().ResetPieces();
        const int fromX = g().PieceX[p], fromY = g().PieceY[p];
        f.fake.media.commands.clear();
        g().SoundOn = 1;
        DragBy(g(), p, c.x - fromX, c.y - fromY);
        g().SoundOn = 0;
        EXPECT_EQ(g().PieceX[p], c.kept ? c.x : fromX) << c.x << "," << c.y;
        EXPECT_EQ(g().PieceY[p], c.kept ? c.y : fromY) << c.x << "," << c.y;
        EXPECT_EQ(g().SelectedPiece, NoPiece);
        EXPECT_EQ(f.fake.media.commands, std::vector<std::string>{play(c.kept ? "Slide" : "Error")});
        EXPECT_EQ(g().HitTest(VisiblePoint(g(), p).first, VisiblePoint(g(), p).second), p);
    }
}

TEST_F(Play, aPieceDroppedOnAnotherIsKeptAndLiesOnTop)
{
    // Drop the square onto the parallelogram, which has the higher index.
    const float x6 = static_cast<float>(g().OriginX + g().PieceX[6] + 24),
                y6 = static_cast<float>(g().OriginY + g().PieceY[6] + 10);
    ASSERT_EQ(g().HitTest(x6, y6), 6);
    DragBy(g(), 3, g().PieceX[6] - g().PieceX[3], g().PieceY[6] - g().PieceY[3]);
    EXPECT_EQ(g().PieceX[3], g().PieceX[6]);
    EXPECT_EQ(g().HitTest(x6, y6), 3);
    EXPECT_EQ(g().KeyPiece, 3);
    // Its old place is free in both images.
    const float oldX = static_cast<float>(g().OriginX + g().HomeX[3] + 20),
                oldY = static_cast<float>(g().OriginY + g().HomeY[3] + 20);
    EXPECT_EQ(g().HitTest(oldX, oldY), NoPiece);
    EXPECT_EQ(g().Picture1.Point(static_cast<int>(oldX), static_cast<int>(oldY)), g().BoardBackColor);
}

TEST_F(Play, aSolvingDropApplaudsCongratulatesSendsThePiecesHomeAndShowsARandomFigure)
{
    PlaceAsFigure(g(), 1, 120, 150);
    g().PieceX[6] -= 40; // one piece out of place; the drop puts it in
    g().Picture1.Cls();
    g().HitImage.Cls();
    g().DrawBoard();
    g().SoundOn = 1;
    f.fake.chance.draws = {0.5}; // the next figure: Int(3 * 0.5 + 1) = 2
    bool lockedWhileOpen = false;
    int exactEdges = 0;
    f.fake.dialogs.whileOpen = [&] {
        lockedWhileOpen = !g().Picture1Enabled;
        exactEdges = CountColour(g().Picture1, QBColor(8)); // the exact figure's grey edges
    };
    DragBy(g(), 6, 40, 0);

    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "You got it - congratulations");
    EXPECT_EQ(f.fake.dialogs.shown[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(lockedWhileOpen);
    EXPECT_GT(exactEdges, 400) << "the board shows the figure exactly while the message is open";
    EXPECT_EQ(f.fake.media.commands, (std::vector<std::string>{play("clap4"), play("whoosh1")}));
    EXPECT_EQ(g().PieceX, g().HomeX);
    EXPECT_EQ(g().PieceY, g().HomeY);
    EXPECT_EQ(g().CurrentFigure, 2);
    EXPECT_EQ(g().TarKalCaption, "Kalido (2 of 3)");
    EXPECT_TRUE(g().Picture1Enabled);
    EXPECT_EQ(g().FigureSolved, 1);
}

TEST_F(Play, inDesignModeACompletingDropIsNotRecognised)
{
    g().CopyFigure();
    EXPECT_EQ(g().DesignMode, 1);
    g().SoundOn = 1;
    DragBy(g(), 5, 30, 0);
    DragBy(g(), 5, -30, 0);
    EXPECT_TRUE(f.fake.dialogs.shown.empty());
    EXPECT_EQ(f.fake.media.commands.back(), play("Slide"));
}

TEST_F(Play, copyLaysTheFigureOutFiftyPixelsFromTheCornerAndResetBringsThePiecesHome)
{
    g().SoundOn = 1;
    g().CopyFigure();
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(g().PieceX[i], g().FigX[1][i] + 50);
        EXPECT_EQ(g().PieceOrient[i], g().FigOrient[1][i]);
        const auto [x, y] = InsidePiece(g(), i);
        EXPECT_EQ(g().HitTest(x, y), i);
        EXPECT_EQ(g().Picture1.Point(static_cast<int>(x), static_cast<int>(y)), QBColor(0));
    }
    g().ResetPieces();
    EXPECT_EQ(g().PieceX, g().HomeX);
    EXPECT_EQ(g().PieceOrient, (PerPiece<int>{0, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(g().DesignMode, 1) << "reset leaves design mode alone";
    EXPECT_EQ(f.fake.media.commands, (std::vector<std::string>{play("whoosh1"), play("whoosh1")}));
}

TEST_F(Play, theTargetIsCentredByItsFarEdgesAndNamedInTheCaption)
{
    EXPECT_EQ(g().TarKalCaption, "Kalido (1 of 3)");
    const Surface& view = g().TargetKal[1];
    int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
    for (int y = 0; y < view.Height(); ++y)
        for (int x = 0; x < view.Width(); ++x)
            if (view.Point(x, y) == QBColor(0)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    // The square: 136 pixels drawn 5 right of and 14 below the buffer's corner.
    const double W = 3500 / 15.0, H = 240;
    const int offX = static_cast<int>(std::nearbyint((W - 141) / 2)),
              offY = static_cast<int>(std::nearbyint((H - 150) / 2));
    EXPECT_NEAR(minX, offX + 5, 1);
    EXPECT_NEAR(maxX, offX + 141, 1);
    EXPECT_NEAR(minY, offY + 14, 1);
    EXPECT_NEAR(maxY, offY + 150, 1);
}

TEST_F(Play, aFigureWiderThanTheViewIsCentredByItsFarEdgesAndCutOffOnBothSides)
{
    // The parallelogram (34 pixels wide here) far to the right: the figure would reach x = 230 +
    // 5 + 34 = 269 in the buffer, which ends at 245, and lands Int((233.3 - 269) / 2) = -18 pixels
    // to the left; its tallest pieces reach y = 14 + 136 = 150, so it lands (240 - 150) / 2 = 45
    // lower.
    g().FigX[1][6] = 230;
    g().ShowFigure();
    const Surface& view = g().TargetKal[1];
    const Surface& buffer = g().TargetKal[0];
    int blackAtLeft = 0, blackAtRight = 0, beyond = 0, mismatches = 0;
    for (int y = 0; y < view.Height(); ++y) {
        blackAtLeft += view.Point(0, y) == QBColor(0);
        blackAtRight += view.Point(245 - 18 - 1, y) == QBColor(0);
        for (int x = 245 - 18; x < view.Width(); ++x)
            beyond += view.Point(x, y) != QBColor(7);
        for (int x = 0; x < 245 - 18 && y >= 45; ++x)
            mismatches += view.Point(x, y) != buffer.Point(x + 18, y - 45);
    }
    EXPECT_GT(blackAtLeft, 50) << "the left of the figure is cut off at the view's left edge";
    EXPECT_GT(blackAtRight, 50) << "the parallelogram is cut off where the buffer ends";
    EXPECT_EQ(beyond, 0);
    EXPECT_EQ(mismatches, 0);
}

TEST_F(Play, atVeryEasyTheTargetShowsEachPieceInItsColour)
{
    g().Difficulty = 1;
    g().ShowFigure();
    for (int i = 0; i < 7; ++i)
        EXPECT_GT(CountColour(g().TargetKal[1], QBColor(g().PieceQBColor[i])), 500) << i;
    EXPECT_EQ(CountColour(g().TargetKal[1], QBColor(0)), 0);
}

TEST(EmptyCollection, showsNothingCountsZeroOfZeroAndKeepsPlaying)
{
    GameFixture f(ShapesWithRecords({}));
    ASSERT_TRUE(f.Load());
    Game& g = *f.game;
    EXPECT_EQ(g.FigureCount, 0);
    EXPECT_EQ(g.CurrentFigure, 1);
    EXPECT_EQ(g.TarKalCaption, "Kalido (0 of 0)");
    EXPECT_EQ(CountColour(g.TargetKal[1], QBColor(7)), g.TargetKal[1].Width() * g.TargetKal[1].Height());
    for (int i = 0; i < 7; ++i)
        g.TurnPiece(i); // would compare with a figure row that was never loaded
    EXPECT_EQ(g.Placed, (PerPiece<std::int16_t>{}));
    g.CopyFigure();
    EXPECT_EQ(g.DesignMode, 0);
    DragBy(g, 3, 10, 10);
    EXPECT_EQ(g.FigureSolved, 0);
    EXPECT_TRUE(f.fake.dialogs.shown.empty());
}
