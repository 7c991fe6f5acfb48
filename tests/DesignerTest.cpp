// The designer: the checks an arrangement passes before it is appended to the shapes file.
#include "TestHost.h"

#include <functional>

using namespace kalido;
using namespace kalido::test;

class Designer : public LoadedGame {};

TEST_F(Designer, asksAboutWhatLooksWrongAndAppendsOnlyPastEveryQuestionAndTheConfirmation)
{
    using Arrange = std::function<void(Game&)>;
    const int corner = g().OriginX + 40;      // of the square laid out at (40, 40)
    auto sixAt = [&](int width, int height) { // piece 6 moved so that the box is this wide and tall
        return [=](Game& game) {
            game.PieceX[6] = corner + width - game.PieceExtentX[6][game.PieceOrient[6]] - game.OriginX;
            game.PieceY[6] = corner + height - game.PieceExtentY[6][game.PieceOrient[6]] - game.OriginY;
        };
    };
    const int side = 136; // of the square, figure 1
    auto swapTwins = [](Game& game) {
        for (auto [a, b] : {std::pair{0, 1}, std::pair{2, 4}}) {
            std::swap(game.PieceX[a], game.PieceX[b]);
            std::swap(game.PieceY[a], game.PieceY[b]);
            std::swap(game.PieceOrient[a], game.PieceOrient[b]);
        }
        for (int i = 0; i < 7; ++i)
            game.PieceX[i] += 31;
    };
    auto piles = [](Game& game) { // pieces 0 to 3 on each other, and 4 to 6 far from them: sparse
        for (int i = 0; i < 7; ++i)
            game.PieceX[i] = game.PieceY[i] = i < 4 ? 30 : 230;
    };
    const std::string twice = "This Kalido is already in the file as number 1.", append = "Append this Kalido to file:";
    const MsgAnswer Ok = MsgAnswer::Ok, Cancel = MsgAnswer::Cancel;
    struct Case {
        const char* what;
        Arrange arrange;
        std::deque<MsgAnswer> answers;
        std::vector<std::string> said;
        bool appended = false;
    };
    for (const Case& c :
         {Case{"321 wide", sixAt(321, side), {}, {"Kalido is too wide or too tall"}},
          Case{"321 tall", sixAt(side, 321), {}, {"Kalido is too wide or too tall"}},
          Case{"a lone piece", sixAt(320, 320), {Cancel}, {"A block appears isolated !"}},
          Case{"two groups",
               [](Game& game) { game.PieceX[0] += 150, game.PieceX[1] += 150; },
               {Cancel},
               {"A cluster of blocks appear isolated !"}},
          Case{"two piles",
               piles,
               {Ok, Cancel},
               {"A cluster of blocks appear isolated !", "Kalido appears sparse; may be too easy to solve !"}},
          Case{"figure 1 as it is", [](Game&) {}, {Cancel}, {twice}},
          Case{"figure 1 elsewhere, twins swapped", swapTwins, {Ok, Cancel}, {twice, append}},
          Case{"figure 1 with piece 6 turned half round",
               [](Game& game) { game.PieceOrient[6] ^= 4; },
               {Cancel},
               {append}},
          Case{"a lone piece, overruled", sixAt(320, side), {Ok, Ok}, {"A block appears isolated !", append}, true}}) {
        PlaceAsFigure(g(), 1, 40, 40);
        c.arrange(g());
        redraw();
        const std::string before = shapes();
        f.fake.dialogs.shown.clear();
        f.fake.dialogs.answers = c.answers;
        g().AppendFigure();
        EXPECT_EQ(said(), c.said) << c.what;
        EXPECT_EQ(shapes() != before, c.appended) << c.what;
        EXPECT_EQ(g().FigureCount, c.appended ? 4 : 3) << c.what;
        EXPECT_EQ(CountColour(g().Picture1, QBColor(14)), 0) << c.what << ": the board is drawn again";
        for (const ShownMessage& m : f.fake.dialogs.shown) {
            const bool question = m.style.Buttons == MsgButtons::OkCancel;
            EXPECT_EQ(std::tuple(m.style.Icon, m.title),
                      std::tuple(question ? MsgIcon::Information : MsgIcon::None, std::string("Kalido")))
                << m.text;
        }
    }
    g().FigureCount = MaxFigures;
    g().AppendFigure();
    EXPECT_EQ(said().back(), "The collection already holds 500 figures; no more can be added.");
}

TEST_F(Designer, aLonePieceIsNamedByTheLowestNumberAndShownInItsOwnColourWhileAsked)
{
    PlaceAsFigure(g(), 1, 40, 40);
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
    EXPECT_EQ(lonePiece, QBColor(g().PieceQBColor[2]));
    EXPECT_EQ(g().Difficulty, NormalLevel) << "the level is back once the question is answered";
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
