// Drawing the pieces, and the board's press, drag, turn and key handling.
#include "TestHost.h"

#include <QRegion>

#include <functional>
#include <optional>

using namespace kalido;
using namespace kalido::test;

class Board : public LoadedGame {};

TEST_F(Board, aRightPressTurnsThePieceUnderItThroughEveryCodeTheSquareThroughTwo)
{
    g().SoundOn = 1;
    std::vector<int> square, large;
    for (int n = 0; n < 8; ++n)
        for (auto [piece, codes] : {std::pair{3, &square}, {0, &large}}) {
            const auto [x, y] = VisiblePoint(g(), piece);
            g().Picture1_MouseDown(RightButton, 0, x, y);
            codes->push_back(g().PieceOrient[piece]);
        }
    EXPECT_EQ(square, (std::vector<int>{1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(large, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0}));
    EXPECT_EQ(std::tuple(g().PieceX[0], g().SelectedPiece), std::tuple(g().HomeX[0], NoPiece));
    g().Picture1_MouseDown(RightButton, 0, 2, 2); // nothing there
    EXPECT_EQ(f.fake.media.commands, std::vector<std::string>(16, "play " + g().AppDir + "Click.wav"));
}

TEST_F(Board, eachMoveTakesThePiecesWhereItSaysAndLeavesBothImagesAsDrawingThemAfreshWould)
{
    using Moved = std::optional<std::tuple<int, int, int>>; // piece 6 across and down, piece 2 down
    struct Case {
        const char* what;
        std::function<void()> move;
        Moved moved;
    };
    // Piece 6, the key piece here, lies on top whichever way the pieces are drawn, so a fresh
    // drawing stacks them alike. A turn shifts it as its new orientation's line says.
    const std::vector<Case> moves = {
        {"a right-click turn",
         [&] { g().Picture1_MouseDown(RightButton, 0, VisiblePoint(g(), 6).first, VisiblePoint(g(), 6).second); },
         std::tuple(31, -27, 0)},
        {"Tab, whatever the modifiers", [&] { g().Picture1_KeyDown(KeyTab, ShiftMask | CtrlMask); },
         std::tuple(-7, 3, 0)},
        {"a drop", [&] { DragBy(g(), 6, -40, -70); }, std::tuple(-40, -70, 0)},
        {"a refused drop", [&] { DragBy(g(), 6, -300, 0); }, std::tuple(0, 0, 0)},
        {"Shift+Right", [&] { g().Picture1_KeyDown(KeyRight, ShiftMask); }, std::tuple(5, 0, 0)},
        {"keypad 4", [&] { g().Picture1_KeyDown(KeyPad4, 0); }, std::tuple(-1, 0, 0)},
        {"Ctrl+Up: all seven", [&] { g().Picture1_KeyDown(KeyUp, CtrlMask); }, std::tuple(0, -1, -1)},
        {"Ctrl+Shift: the key piece, by one", [&] { g().Picture1_KeyDown(KeyPad2, CtrlMask | ShiftMask); },
         std::tuple(0, 1, 0)},
        {"a drop and a reset",
         [&] {
             DragBy(g(), 6, 0, 60);
             g().ResetPieces();
         },
         std::nullopt},
        {"a copy", [&] { g().CopyFigure(); }, std::nullopt},
    };
    auto pieces = [&] { // the hit-test image, with the board colour of erased places as background
        std::vector<Colour> under;
        for (int y = 0; y < g().HitImage.Height(); ++y)
            for (int x = 0; x < g().HitImage.Width(); ++x) {
                const Colour c = g().HitImage.Point(x, y);
                under.push_back(c == g().BoardBackColor ? g().HitImage.BackColor : c);
            }
        return under;
    };
    g().KeyPiece = 6;
    for (const Case& c : moves) {
        const int x6 = g().PieceX[6], y6 = g().PieceY[6], y2 = g().PieceY[2];
        c.move();
        EXPECT_TRUE(!c.moved || std::tuple(g().PieceX[6] - x6, g().PieceY[6] - y6, g().PieceY[2] - y2) == *c.moved)
            << c.what << ": " << g().PieceX[6] - x6 << "," << g().PieceY[6] - y6 << "," << g().PieceY[2] - y2;
        const QImage board = g().Picture1.Image().copy();
        const std::vector<Colour> hit = pieces();
        redraw();
        EXPECT_TRUE(pieces() == hit) << c.what;
        EXPECT_TRUE(g().Picture1.Image() == board) << c.what;
    }
}

TEST_F(Board, theKeyPieceIsPieceZeroAtFirstThenChosenByAClickAndByEveryDrop)
{
    g().Picture1_KeyDown(KeyTab, ShiftMask | CtrlMask);
    EXPECT_EQ(g().PieceOrient[0], 1) << "Tab turns the key piece whatever the modifiers";
    g().Picture1_MouseDown(RightButton, 0, VisiblePoint(g(), 2).first, VisiblePoint(g(), 2).second);
    EXPECT_EQ(g().KeyPiece, 0) << "a right-click turn does not choose the key piece";
    const auto [x, y] = VisiblePoint(g(), 4);
    g().Picture1_MouseDown(LeftButton, 0, x, y);
    g().Picture1_MouseUp(LeftButton, 0, x, y);
    EXPECT_EQ(g().KeyPiece, 4);
    EXPECT_EQ(g().SelectedPiece, NoPiece);
    g().Picture1_MouseDown(LeftButton, 0, 2, 2);
    g().Picture1_MouseUp(LeftButton, 0, 2, 2);
    EXPECT_EQ(g().KeyPiece, 4) << "a click on no piece keeps the key piece";
    DragBy(g(), 6, 0, -60);
    EXPECT_EQ(g().KeyPiece, 6);
    DragBy(g(), 5, -100, 0); // refused: still the key piece
    EXPECT_EQ(g().KeyPiece, 5);
}

TEST_F(Board, theDragOffsetIsTakenAtTheFirstMoveAndOnlyTheLeftButtonDrags)
{
    const auto [x, y] = VisiblePoint(g(), 3);
    const int fromX = g().PieceX[3];
    g().Picture1_MouseDown(MiddleButton, 0, x, y);
    g().Picture1_MouseUp(MiddleButton, 0, x + 30, y);
    g().Picture1_MouseDown(LeftButton, 0, x, y);
    g().Picture1_MouseMove(LeftButton, 0, x + 10, y); // lifts here
    g().Picture1_MouseMove(LeftButton, 0, x - 20, y + 30);
    EXPECT_EQ(g().Picture1.Point(static_cast<int>(x), static_cast<int>(y)), g().BoardBackColor)
        << "the piece is lifted";
    EXPECT_EQ(CountColour(g().Picture1, QBColor(15)), 4 * 48) << "a one-pixel white outline of the square";
    g().Picture1_MouseDown(RightButton, 0, x - 20, y + 30); // ignored during a drag
    g().Picture1_MouseUp(RightButton, 0, x - 20, y + 30);   // and so is its release
    g().Picture1_KeyDown(KeyTab, 0);                        // and so are the keys
    g().Picture1_KeyDown(KeyRight, CtrlMask);
    g().Picture1_MouseUp(LeftButton, 0, x - 20, y + 30);
    EXPECT_EQ(std::tuple(g().PieceX[3], g().PieceOrient[3], g().PieceX[0]), std::tuple(fromX - 30, 0, g().HomeX[0]));
    // Let go away from the press with no move between: the piece moves by the pointer's travel.
    g().Picture1_MouseDown(LeftButton, 0, x - 30, y + 30);
    g().Picture1_MouseUp(LeftButton, 0, x - 50, y + 30);
    EXPECT_EQ(g().PieceX[3], fromX - 50);
    EXPECT_EQ(g().HitTest(x - 50, y + 30), 3);
}

TEST_F(Board, aDragEndedWithoutADropPutsThePieceBackWhereItBegan)
{
    // Released on its starting pixel, or never released at all (the release went to a modal
    // window) and followed by a press on the square.
    for (bool releasedAtStart : {true, false}) {
        g().ResetPieces();
        const auto [x, y] = VisiblePoint(g(), 6);
        const int fromX = g().PieceX[6], fromY = g().PieceY[6];
        g().Picture1_MouseDown(LeftButton, 0, x, y);
        g().Picture1_MouseMove(LeftButton, 0, x + 25, y + 5);
        if (releasedAtStart) {
            g().Picture1_MouseMove(LeftButton, 0, x, y);
            g().Picture1_MouseUp(LeftButton, 0, x, y);
            EXPECT_EQ(g().KeyPiece, 6);
        } else {
            g().Picture1_MouseMove(LeftButton, 0, x - 40, y + 30);
            const auto [sx, sy] = VisiblePoint(g(), 3);
            g().Picture1_MouseDown(LeftButton, 0, sx, sy);
            EXPECT_EQ(g().SelectedPiece, 3);
            g().Picture1_MouseUp(LeftButton, 0, sx, sy);
        }
        EXPECT_EQ(g().PieceX[6], fromX);
        EXPECT_EQ(g().PieceY[6], fromY);
        EXPECT_EQ(g().SelectedPiece, NoPiece);
        EXPECT_EQ(g().Picture1.Point(static_cast<int>(x), static_cast<int>(y)), QBColor(0)) << "drawn again";
        EXPECT_EQ(CountColour(g().Picture1, QBColor(15)), 0) << "no outline left behind";
        DragBy(g(), 6, 0, -30);
        EXPECT_EQ(g().PieceY[6], fromY - 30) << "the next drag starts from the true place";
    }
}

TEST(DragRepaint, paintsExactlyWhatRepaintingEveryPieceWouldAndPresentsEveryPixelItChanges)
{
    GameFixture partial, full;
    ASSERT_TRUE(partial.Load() && full.Load());
    full.game->RepairOnlyWhatMoved = false;
    Game& g = *partial.game;
    QRegion presented;
    g.Picture1.OnRefresh = [&](const QRect& r) { presented += r; };
    int calls = 0;
    // Runs one call on both games, then compares their images and what the board presented.
    auto both = [&](const std::function<void(Game&)>& call) {
        SCOPED_TRACE("call " + std::to_string(++calls));
        const QImage before = g.Picture1.Image().copy();
        presented = QRegion();
        call(*full.game);
        call(g);
        for (auto [a, b] : {std::pair{&g.Picture1, &full.game->Picture1},
                            {&g.HitImage, &full.game->HitImage},
                            {&g.TargetKal[1], &full.game->TargetKal[1]}})
            ASSERT_TRUE(a->Image() == b->Image());
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                ASSERT_TRUE(before.pixel(x, y) == g.Picture1.Image().pixel(x, y) || presented.contains(QPoint(x, y)))
                    << x << "," << y << " changed but not shown";
    };
    // A drag of piece i that zigzags across the board to (dx, dy) from the press, and its release.
    auto drag = [&](int i, int dx, int dy, int zigzag = 9) {
        const auto [x, y] = VisiblePoint(g, i);
        both([&](Game& game) { game.Picture1_MouseDown(LeftButton, 0, x, y); });
        for (int s = 1; s <= 12; ++s) {
            const float jog = s == 12 ? 0.0f : static_cast<float>(s % 2 ? zigzag : -zigzag);
            const float px = x + static_cast<float>(dx * s / 12) + jog, py = y + static_cast<float>(dy * s / 12) - jog;
            both([&](Game& game) { game.Picture1_MouseMove(LeftButton, 0, px, py); });
        }
        both([&](Game& game) {
            game.Picture1_MouseUp(LeftButton, 0, x + static_cast<float>(dx), y + static_cast<float>(dy));
        });
    };
    drag(4, -60, -40); // across its neighbours, dropped
    drag(0, -300, 0);  // refused: back where it came from
    const auto [tx, ty] = VisiblePoint(g, 2);
    both([&](Game& game) { // a turn, all seven nudged, a new level
        game.Picture1_MouseDown(RightButton, 0, tx, ty);
        game.Picture1_KeyDown(KeyRight, CtrlMask);
        game.Easy_Play();
    });
    drag(3, 40, 30, 20); // onto piece 5: they overlap
    drag(5, 0, 0);       // and back to where it began: a click
    both([](Game& game) { game.VeryEasy_Play(); });
    drag(6, -150, -120, 30); // far across the board
    both([](Game& game) { game.CopyFigure(); });
    drag(1, 50, 60, 15); // in design mode
}

class Drawing : public LoadedGame {};

TEST_F(Drawing, eachPieceHasItsOwnColourInTheHitImageAndAtVeryEasyOnTheBoardAndInTheTarget)
{
    const PerPiece<int> palette = {5, 14, 2, 9, 4, 11, 12}; // purple, yellow, green, blue, dark red, cyan, red
    g().VeryEasy_Play();
    for (int i = 0; i < 7; ++i) {
        const auto [x, y] = InsidePiece(g(), i);
        const Colour own = QBColor(palette[i]);
        EXPECT_EQ(g().HitImage.Point(static_cast<int>(x), static_cast<int>(y)), own) << "piece " << i;
        EXPECT_EQ(g().HitTest(x, y), i);
        EXPECT_EQ(g().Picture1.Point(static_cast<int>(x), static_cast<int>(y)), own) << "piece " << i;
        EXPECT_GT(CountColour(g().TargetKal[1], own), 100) << "piece " << i << " in the target";
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
