// Recognition, the drop and its consequences, the layouts of the pieces and the target view.
#include "TestHost.h"

#include <gtest/gtest.h>

using namespace kalido;
using namespace kalido::test;

class Play : public LoadedGame {};

TEST_F(Play, theTwinRuleCreditsTheLowerNumberWhenBothCouldOnlyTakeOnePlace)
{
    g().FigOrient[1][0] = 1;
    g().FigOrient[1][1] = 3;
    // Orientations of pieces 0 and 1, and the flags they earn.
    for (auto [o0, o1, placed0, placed1] :
         {std::tuple{1, 3, 1, 1}, {3, 1, 1, 1}, {1, 1, 1, 0}, {3, 3, 1, 0}, {0, 1, 0, 1}, {5, 3, 0, 1}}) {
        g().PieceOrient[0] = o0;
        g().PieceOrient[1] = o1;
        g().CheckPiecePlaced(1);
        EXPECT_EQ(g().Placed[0], placed0) << o0 << "," << o1;
        EXPECT_EQ(g().Placed[1], placed1) << o0 << "," << o1;
    }
    g().Placed[0] = 1;
    g().PieceOrient[0] = g().PieceOrient[1] = 6;
    g().CheckPiecePlaced(1);
    EXPECT_EQ(g().Placed[1], 0);
    EXPECT_EQ(g().Placed[0], 1) << "when no row holds, the other flag keeps its value";
}

// At EASY a piece is cyan exactly while it has its place's orientation (twins either place), also
// after the layouts that turn pieces without a turn: reset, navigation, copy. Leaving VERY EASY
// shows the figure again, which clears the flags; the EASY command computes them.
TEST_F(Play, atEasyThePiecesTurnedAsTheirPlacesAreCyanAfterEveryLayout)
{
    auto cyan = [&] {
        PerPiece<std::int16_t> shown{};
        for (int i = 0; i < 7; ++i) {
            const auto [x, y] = InsidePiece(g(), i);
            shown[i] = g().Picture1.Point(static_cast<int>(x), static_cast<int>(y)) == QBColor(3);
        }
        return shown;
    };
    g().VeryEasy_Play();
    g().TurnPiece(3); // the square as figure 1 has it; piece 2 at home is turned as place 4 is
    g().Normal_Play();
    EXPECT_EQ(g().Placed, (PerPiece<std::int16_t>{}));
    g().Easy_Play();
    EXPECT_EQ(cyan(), (PerPiece<std::int16_t>{0, 0, 1, 1, 0, 0, 0}));
    g().ResetPieces();
    EXPECT_EQ(cyan(), (PerPiece<std::int16_t>{0, 0, 1, 0, 0, 0, 0}));
    g().GoToFigure(2);
    EXPECT_EQ(cyan(), (PerPiece<std::int16_t>{1, 1, 0, 1, 1, 0, 0}));
    g().CopyFigure();
    EXPECT_EQ(cyan(), (PerPiece<std::int16_t>{1, 1, 1, 1, 1, 1, 1}));
}

TEST(HomeLayoutFigure, waitsForThePlayersOwnMoveBeforeItCountsAsSolved)
{
    GameFixture probe;
    ASSERT_TRUE(probe.Load());
    GameFixture f(ShapesWithRecords({RecordOf(*probe.game, 1)}));
    Game& g = *f.game;
    ASSERT_TRUE(f.Load());
    const PerPiece<std::int16_t> allPlaced{1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(g.Placed, allPlaced) << "the flags still follow the pieces";
    g.Difficulty = 2;
    g.ShowFigure();
    EXPECT_EQ(g.Placed, allPlaced);
    EXPECT_TRUE(g.Picture1Enabled);
    EXPECT_TRUE(f.fake.dialogs.shown.empty()) << "neither start-up nor showing it at EASY completes the figure";

    // The player turns the square round: that turn completes the figure, and the restart brings
    // it back without counting it solved again.
    g.SoundOn = 1;
    g.TurnPiece(3);
    g.TurnPiece(3);
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "You got it - congratulations");
    const std::string dir = "play " + g.AppDir;
    EXPECT_EQ(f.fake.media.commands,
              (std::vector<std::string>{dir + "Click.wav", dir + "Click.wav", dir + "clap4.wav", dir + "whoosh1.wav"}));
    EXPECT_TRUE(g.Picture1Enabled);
}

// A figure whose stored pieces overlap (the designer lets a little through) is solved as stored,
// but not with the piece that the others cover lying elsewhere: every piece needs a place.
TEST(OverlappingFigure, isSolvedAsStoredButNotWithTheCoveredPieceElsewhere)
{
    GameFixture f(ShapesWithRecords({"1,60,60,5,60,60,3,60,60,1,60,162,1,94,128,1,60,162,7,128,128,7,162,60"}));
    ASSERT_TRUE(f.Load());
    for (int away : {0, 100}) {
        PlaceAsFigure(*f.game, 1, 50, 50);
        f.game->PieceX[2] += away;
        f.game->CheckSolved();
        EXPECT_EQ(f.game->FigureSolved, away == 0) << away;
    }
}

TEST_F(Play, dropBoundsHoldAtTwentyAndAtThreeHundredThirtyAndSixtyFive)
{
    const int p = 3, ext = g().PieceExtentX[p][0]; // the square, 48 pixels a side
    g().SoundOn = 1;
    for (auto [x, y, kept] : {std::tuple{20, 200, true},
                              {19, 200, false},
                              {150, 20, true},
                              {150, 19, false},
                              {330 - ext, 200, true},
                              {331 - ext, 200, false},
                              {150, 365 - ext, true},
                              {150, 366 - ext, false}}) {
        g().ResetPieces();
        const int fromX = g().PieceX[p], fromY = g().PieceY[p];
        f.fake.media.commands.clear();
        DragBy(g(), p, x - fromX, y - fromY);
        EXPECT_EQ(g().PieceX[p], kept ? x : fromX) << x << "," << y;
        EXPECT_EQ(g().PieceY[p], kept ? y : fromY) << x << "," << y;
        EXPECT_EQ(f.fake.media.commands, std::vector<std::string>{play(kept ? "Slide" : "Error")});
        EXPECT_EQ(g().HitTest(VisiblePoint(g(), p).first, VisiblePoint(g(), p).second), p);
    }
}

TEST_F(Play, aSolvingDropShowsTheFigureExactlyOnALockedBoardApplaudsAndMovesOnToARandomFigure)
{
    PlaceAsFigure(g(), 1, 120, 150);
    g().PieceX[5] += 7;  // within tolerance, but drawn where the figure has it
    g().PieceX[6] -= 40; // out of place; the drop puts it in
    redraw();
    g().SoundOn = 1;
    f.fake.chance.draws = {0.5}; // the next figure: Int(3 * 0.5 + 1) = 2
    f.fake.dialogs.whileOpen = [&] {
        EXPECT_FALSE(g().Picture1Enabled);
        // The square of 136 pixels, black inside grey edges, with its corner at the arrangement's.
        EXPECT_GT(CountColour(g().Picture1, QBColor(8)), 400);
        EXPECT_EQ(g().Picture1.Point(g().OriginX + 120 + 20, g().OriginY + 150 + 5), QBColor(0));
        EXPECT_EQ(g().Picture1.Point(g().OriginX + 120 + 140, g().OriginY + 150 + 2), g().BoardBackColor);
    };
    f.fake.chance.time = 777.25;
    DragBy(g(), 6, 40, 0);

    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "You got it - congratulations");
    EXPECT_EQ(f.fake.dialogs.shown[0].style.Buttons, MsgButtons::Ok);
    EXPECT_EQ(f.fake.dialogs.shown[0].title, "Kalido");
    EXPECT_EQ(f.fake.media.commands, (std::vector<std::string>{play("clap4"), play("whoosh1")}));
    EXPECT_EQ(g().PieceX, g().HomeX);
    EXPECT_EQ(f.fake.chance.seeds.back(), 777.25) << "reseeded from the time of day before the choice";
    EXPECT_EQ(g().TarKalCaption, "Kalido (2 of 3)");
    EXPECT_TRUE(g().Picture1Enabled);
    EXPECT_EQ(f.fake.forms.boardFocused, 1) << "the board has the keys again";
}

TEST_F(Play, copyLaysTheFigureOutForFreeArrangementAndResetBringsThePiecesHome)
{
    g().CopyFigure();
    for (int i = 0; i < 7; ++i) // the figure itself, 50 pixels from the corner
        EXPECT_EQ(std::tuple(g().PieceX[i], g().PieceY[i]), std::tuple(g().FigX[1][i] + 50, g().FigY[1][i] + 50));
    DragBy(g(), 5, 30, 0);
    DragBy(g(), 5, -30, 0); // back in place: in design mode nothing is recognised
    EXPECT_TRUE(f.fake.dialogs.shown.empty());
    g().ResetPieces();
    EXPECT_EQ(g().PieceX, g().HomeX);
    EXPECT_EQ(g().DesignMode, 1) << "reset leaves design mode alone";
}

TEST_F(Play, theTargetIsCentredByItsFarEdgesAndCutOffWhereItDoesNotFit)
{
    // The square reaches x = 5 + 136 and y = 14 + 136 in the buffer: it lands Int((233.3 - 141) /
    // 2) = 46 right and (240 - 150) / 2 = 45 down. With the parallelogram (34 wide) moved to 230 it
    // would reach 269, past the buffer's edge at 245, and lands Int((233.3 - 269) / 2) = -18.
    for (auto [parallelogramX, offX, cut] : {std::tuple{102, 46, false}, {230, -18, true}}) {
        g().FigX[1][6] = static_cast<std::int16_t>(parallelogramX);
        g().ShowFigure();
        const Surface &view = g().TargetKal[1], &buffer = g().TargetKal[0];
        const int right = std::min(233, 245 + offX); // where the copy ends: the view's or the buffer's edge
        int mismatches = 0, blackAtLeft = 0, blackAtRight = 0;
        for (int y = 0; y < view.Height(); ++y) {
            blackAtLeft += view.Point(0, y) == QBColor(0);
            blackAtRight += view.Point(right - 1, y) == QBColor(0);
            for (int x = 0; x < view.Width(); ++x) {
                const bool copied = x >= offX && x < right && y >= 45 && y < 240;
                mismatches += view.Point(x, y) != (copied ? buffer.Point(x - offX, y - 45) : QBColor(7));
            }
        }
        EXPECT_EQ(mismatches, 0) << parallelogramX;
        EXPECT_EQ(blackAtLeft > 50 && blackAtRight > 50, cut) << parallelogramX;
    }
    EXPECT_EQ(g().TarKalCaption, "Kalido (1 of 3)");
}
