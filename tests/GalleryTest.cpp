// The gallery: its page of thumbnails, the scroll bar, the number under the pointer, picking, and
// where its window opens.
#include "TestHost.h"

#include "gallery/AllShapes.h"
#include "platform/PictureBox.h"

#include <QScrollBar>
#include <QTest>

using namespace kalido;
using namespace kalido::test;

namespace {

// n copies of the square, each its own figure.
std::string squares(int n)
{
    return ShapesWithRecords(std::vector<std::string>(
        static_cast<std::size_t>(n), "1,60,60,5,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60"));
}

} // namespace

TEST(Gallery, theScrollBarMovesARowAtATimeAndAShrunkCollectionMovesThePageBackWithIt)
{
    GameFixture f(squares(120));
    ASSERT_TRUE(f.Load());
    Game& g = *f.game;
    for (auto [count, enabled, max] : {std::tuple{64, false, 0}, {65, true, 8}, {120, true, 56}, {500, true, 440}}) {
        g.FigureCount = count;
        g.AllShapes_Activate();
        EXPECT_EQ(std::tuple(g.VScroll1Enabled, g.VScroll1Max), std::tuple(enabled, max)) << count;
    }
    g.FigureCount = 72;
    g.VScroll1_Change(8);
    g.FigureCount = 64; // a figure file of 64 opened while the gallery was closed
    g.TargetKal_MouseUp(1, RightButton, 0, 5, 5);
    EXPECT_EQ(std::tuple(g.GalleryOffset, g.VScroll1Value, g.VScroll1Enabled), std::tuple(0, 0, false));
    g.AllShapes_MouseMove(0, 0, 100, 100);
    EXPECT_EQ(g.Label1Caption, "    1") << "the page begins with the first figure";
    EXPECT_EQ(f.fake.forms.boardFocused, 1) << "the board takes the keys once the gallery is closed";
    // Scrolled down and hidden, the gallery opened from "Random" is at its top again.
    g.FigureCount = 120;
    g.VScroll1_Change(56);
    g.ShowGallery(true);
    EXPECT_EQ(std::tuple(g.GalleryOffset, g.VScroll1Value), std::tuple(0, 0));
}

TEST(Gallery, thePageDrawsFiguresUpToTheLastOneInTheirSquaresAtAnyScreenScale)
{
    // The silhouettes advance 49.5 pixels a column at 15 twips per pixel (61.875 at 12), from
    // 100 twips in: the eighth square's figure starts at 7 x 49.5 + 6.67, at 7 x 61.875 + 8.33.
    for (auto [twips, eighthStart] : {std::pair{15.0f, 353}, {12.0f, 441}}) {
        GameFixture f(squares(10));
        f.fake.screen.twips = twips;
        f.game = std::make_unique<Game>(f.fake.host);
        ASSERT_TRUE(f.Load());
        Game& g = *f.game;
        const auto board = g.Picture1.Image();
        g.AllShapesPicture.Cls();
        g.DrawGalleryPage();
        const Surface& page = g.AllShapesPicture;
        const int cell = f.fake.screen.PixelsX(720);
        // Square r, c (from 0): its silhouette near the corner, its white top edge, its grey shadow.
        auto square = [&](int r, int c) {
            return std::tuple(page.Point(c * cell + cell / 2, r * cell + cell / 2), page.Point(c * cell + cell / 2, 0),
                              page.Point(c * cell + cell / 2, f.fake.screen.PixelsY(8 * g.ScaleX)));
        };
        EXPECT_EQ(square(0, 7), std::tuple(QBColor(0), QBColor(15), QBColor(8))) << twips;
        int start = page.Width();
        for (int y = 2; y < cell; ++y)
            for (int x = 7 * cell + 2; x < page.Width(); ++x)
                if (page.Point(x, y) == QBColor(0))
                    start = std::min(start, x);
        EXPECT_EQ(start, eighthStart) << twips;
        EXPECT_EQ(std::get<0>(square(1, 1)), QBColor(0)) << "figure 10, the last" << twips;
        EXPECT_EQ(std::get<0>(square(1, 2)), QBColor(7)) << "no figure 11" << twips;
        g.GalleryOffset = 10;
        g.AllShapesPicture.Cls();
        g.DrawGalleryPage();
        EXPECT_EQ(CountColour(page, QBColor(7)), page.Width() * page.Height()) << "nothing past the last figure";
        EXPECT_EQ(g.Picture1.Image(), board) << "drawing the page leaves the board alone";
    }
}

TEST(Gallery, theNumberFollowsThePointerAndAClickOnTheSquareOrTheNumberPicksBehindTheOpenGallery)
{
    GameFixture f(squares(80));
    ASSERT_TRUE(f.Load());
    Game& g = *f.game;
    g.AllShapesPicture.Cls();
    g.DrawGalleryPage();
    const auto page = g.AllShapesPicture.Image();
    // Row 2, column 4 is figure 12; beside the eighth column and under the eighth row is no square.
    for (auto [x, y, label] : {std::tuple{3 * 720 + 100, 720 + 100, "    12"}, {5770, 100, ""}, {100, 5765, ""}}) {
        g.AllShapes_MouseMove(0, 0, static_cast<float>(x), static_cast<float>(y));
        EXPECT_EQ(g.Label1Caption, label) << x << "," << y;
        g.GalleryShown = true;
        g.AllShapes_MouseUp(LeftButton, 0, static_cast<float>(x), static_cast<float>(y));
        EXPECT_EQ(g.CurrentFigure, 12) << x << "," << y;
    }
    g.GoToFigure(1);
    g.AllShapes_MouseMove(0, 0, 3 * 720 + 100, 720 + 100);
    g.DesignMode = 1;
    g.PieceX[3] += 30;
    g.Label1_MouseUp(LeftButton, 0, 5, 5); // the pointer on the number itself
    EXPECT_EQ(g.TarKalCaption, "Kalido (12 of 80)");
    EXPECT_EQ(std::tuple(g.PieceX, g.DesignMode, g.GalleryShown), std::tuple(g.HomeX, 0, true));
    EXPECT_EQ(g.AllShapesPicture.Image(), page) << "the page stays as it was";
    g.Label1_MouseUp(RightButton, 0, 5, 5);
    EXPECT_FALSE(g.GalleryShown);
    g.GalleryShown = true;
    g.AllShapes_MouseUp(RightButton, 0, 100, 100);
    EXPECT_FALSE(g.GalleryShown);
}

TEST(Gallery, opensBesideTheFrameWindowOrElseWhereItLeavesTheTargetInSight)
{
    const QRect frame(0, 0, 272, 432), target(5, 145, 260, 300);
    const QSize outer(403, 406);
    for (auto [screen, place] : {std::pair{QRect(0, 0, 1280, 1024), QPoint(272, 0)},
                                 {QRect(0, 0, 600, 1024), QPoint(5, 445)}, // under the target
                                 {QRect(0, 0, 500, 500), QPoint(97, 0)}})  // no room: as far right as it goes
        EXPECT_EQ(GalleryPlace(frame, target, outer, screen), place) << screen.width() << "x" << screen.height();
}
