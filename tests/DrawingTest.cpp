// Drawing the pieces: what the player sees and the key colours of the hit-test image.
#include "TestHost.h"

#include <gtest/gtest.h>

using namespace kalido;
using namespace kalido::test;

class Drawing : public LoadedGame {};

TEST_F(Drawing, everyPieceLiesInTheHitImageInExactlyItsKeyColour)
{
    for (int i = 0; i < 7; ++i) {
        const auto [x, y] = InsidePiece(g(), i);
        EXPECT_EQ(g().HitImage.Point(static_cast<int>(x), static_cast<int>(y)), g().PieceColor[i]) << "piece " << i;
        EXPECT_EQ(g().HitTest(x, y), i);
    }
    // Nothing but key colours, the rims' board colour and the window's background is ever painted.
    std::set<Colour> seen;
    for (int y = 0; y < g().HitImage.Height(); ++y)
        for (int x = 0; x < g().HitImage.Width(); ++x)
            seen.insert(g().HitImage.Point(x, y));
    std::set<Colour> allowed(g().PieceColor.begin(), g().PieceColor.end());
    allowed.insert(g().BoardBackColor);
    allowed.insert(g().HitImage.BackColor);
    for (Colour c : seen)
        EXPECT_TRUE(allowed.count(c)) << std::hex << c;
    // A press on a piece's rim, or beside the board, selects nothing.
    const int left = g().OriginX + g().PieceX[3], top = g().OriginY + g().PieceY[3];
    EXPECT_EQ(g().HitTest(static_cast<float>(left + 20), static_cast<float>(top)), NoPiece);
    EXPECT_EQ(g().HitTest(-5, 400), NoPiece);
}

TEST_F(Drawing, theDifficultyAndDesignModeDecideAPiecesFillAndRim)
{
    struct Case {
        int difficulty;
        bool placed, design;
        Colour fill, rim; // of the square: inside, and on its top edge
    };
    const Colour board = g().BoardBackColor;
    for (const Case& c : {Case{3, true, false, QBColor(0), board}, Case{2, false, false, QBColor(0), board},
                          Case{2, true, false, QBColor(3), board}, Case{1, false, false, QBColor(9), board},
                          Case{3, false, true, QBColor(0), QBColor(0)}}) {
        g().Difficulty = static_cast<std::int16_t>(c.difficulty);
        g().Placed[3] = c.placed ? 1 : 0;
        g().DesignMode = c.design ? 1 : 0;
        g().Picture1.Cls();
        g().DrawBoard();
        const auto [x, y] = InsidePiece(g(), 3);
        const int left = g().OriginX + g().PieceX[3], top = g().OriginY + g().PieceY[3];
        EXPECT_EQ(g().Picture1.Point(static_cast<int>(x), static_cast<int>(y)), c.fill) << c.difficulty << c.placed;
        EXPECT_EQ(g().Picture1.Point(left + 20, top), c.rim) << c.difficulty << c.design;
    }
}

TEST_F(Drawing, whereTwoPiecesOverlapTheHigherIndexOrTheLastDrawnIsHit)
{
    // Put piece 1 exactly on piece 6's place.
    g().PieceX[1] = g().PieceX[6];
    g().PieceY[1] = g().PieceY[6];
    g().DrawBoard();
    const auto [x, y] = InsidePiece(g(), 6);
    EXPECT_EQ(g().HitTest(x, y), 6);
    g().DrawPiece(1);
    EXPECT_EQ(g().HitTest(x, y), 1);
}
