// The designer: the checks an arrangement passes before it is appended to the shapes file.
#include "TestHost.h"

using namespace kalido;
using namespace kalido::test;

class Designer : public LoadedGame {
protected:
    std::string shapes() { return *ReadWholeFile(f.Path("KALIDO.kal")); }
    std::vector<std::string> said() // the messages shown so far, first lines only
    {
        std::vector<std::string> texts;
        for (const auto& m : f.fake.dialogs.shown)
            texts.push_back(m.text.substr(0, m.text.find('\n')));
        return texts;
    }
};

TEST_F(Designer, theDesignerRefusesWhatIsTooBigOrAFullCollectionAndCancelChangesNothing)
{
    const std::string before = shapes();
    PlaceAsFigure(g(), 1, 40, 40);
    const int o6 = g().PieceOrient[6];
    const int left = g().OriginX + 40;
    struct Case {
        int width; // of the bounding box; 0 leaves the square as it is
        std::deque<MsgAnswer> answers;
        std::vector<std::string> expected;
    };
    for (const Case& c : {Case{321, {}, {"Kalido is too wide or too tall"}},
                          Case{320, {MsgAnswer::Cancel}, {"A block appears isolated !"}},
                          Case{0, {MsgAnswer::Cancel}, {"Append this Kalido to file:"}}}) {
        if (c.width)
            g().PieceX[6] = left + c.width - g().PieceExtentX[6][o6] - g().OriginX;
        redraw();
        f.fake.dialogs.shown.clear();
        f.fake.dialogs.answers = c.answers;
        g().AppendFigure();
        EXPECT_EQ(said(), c.expected) << c.width;
        EXPECT_EQ(shapes(), before);
        EXPECT_EQ(g().FigureCount, 3);
        EXPECT_EQ(CountColour(g().Picture1, QBColor(14)), 0) << "the board is drawn again";
        PlaceAsFigure(g(), 1, 40, 40);
    }
    g().FigureCount = MaxFigures;
    g().AppendFigure();
    EXPECT_EQ(said().back(), "The collection already holds 500 figures; no more can be added.");
    EXPECT_EQ(shapes(), before);
}

TEST_F(Designer, aLonePieceIsNamedByTheLowestNumberAndShownInItsColourAndTwoGroupsAreACluster)
{
    PlaceAsFigure(g(), 1, 40, 40);
    redraw();
    EXPECT_EQ(g().FindIsolation(), -1) << "the square hangs together";
    g().PieceX[5] += 120; // two pieces apart, each on its own: the lower number is named
    g().PieceY[2] += 120;
    redraw();
    Colour lonePiece = 0;
    f.fake.dialogs.whileOpen = [&] {
        const auto [x, y] = InsidePiece(g(), 2);
        lonePiece = g().Picture1.Point(static_cast<int>(x), static_cast<int>(y));
    };
    f.fake.dialogs.answers = {MsgAnswer::Cancel};
    g().AppendFigure();
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "A block appears isolated !\n\rProceed anyway ?");
    EXPECT_EQ(f.fake.dialogs.shown[0].style.Buttons, MsgButtons::OkCancel);
    EXPECT_EQ(lonePiece, QBColor(g().PieceQBColor[2]));
    EXPECT_EQ(g().Difficulty, NormalLevel) << "the level is back once the question is answered";

    PlaceAsFigure(g(), 1, 40, 40);
    g().PieceX[0] += 200; // the two large triangles, still touching each other, apart from the rest
    g().PieceX[1] += 200;
    redraw();
    EXPECT_EQ(g().FindIsolation(), -99);
}

TEST_F(Designer, coverageCountsWhatIsNotBoardBackgroundSoTwentyOneOfAHundredIsTwentyPercent)
{
    // Of a box of 10 x 10 points: two rows, a block of 3 x 7, everything.
    for (auto [right, bottom, percent] : {std::tuple{9, 1, 19}, {2, 6, 20}, {9, 9, 99}}) {
        g().Picture1.Cls();
        g().Picture1.Box(0, 0, right, bottom, QBColor(0), true);
        EXPECT_EQ(g().CoveragePercent(0, 0, 9, 9), percent) << right << "," << bottom;
    }
}
