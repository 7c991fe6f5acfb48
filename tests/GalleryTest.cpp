// The gallery: its page of thumbnails, the scroll bar, the number under the pointer and picking.
#include "TestHost.h"

#include "gallery/AllShapes.h"
#include "platform/PictureBox.h"

#include <QLabel>
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

TEST(Gallery, theScrollBarMovesARowAtATimeThroughWhatThePageCannotShow)
{
    GameFixture f(squares(3));
    ASSERT_TRUE(f.Load());
    Game& g = *f.game;
    for (auto [count, enabled, max] : {std::tuple{64, false, 0}, {65, true, 8}, {120, true, 56}, {500, true, 440}}) {
        g.FigureCount = count;
        g.AllShapes_Activate();
        EXPECT_EQ(g.VScroll1Enabled, enabled) << count;
        EXPECT_EQ(g.VScroll1Max, max) << count;
    }
    // Opened anew at the page last shown, the scroll bar stands where the page is, within its range.
    g.GalleryOffset = 56;
    g.AllShapes_Activate();
    EXPECT_EQ(g.VScroll1Value, 56);
    g.FigureCount = 70;
    g.AllShapes_Activate();
    EXPECT_EQ(g.VScroll1Value, 8);
    EXPECT_EQ(g.GalleryOffset, 56);
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
        EXPECT_EQ(g.CurrentFigure, 1);
    }
}

TEST(Gallery, theNumberFollowsThePointerAndAClickPicksTheFigureBehindTheOpenGallery)
{
    GameFixture f(squares(20));
    ASSERT_TRUE(f.Load());
    Game& g = *f.game;
    g.AllShapesPicture.Cls();
    g.DrawGalleryPage();
    const auto page = g.AllShapesPicture.Image();
    g.AllShapes_MouseMove(0, 0, 3 * 720 + 100, 720 + 100); // row 2, column 4: figure 12
    EXPECT_EQ(g.Label1Caption, "    12");
    g.AllShapes_MouseMove(0, 0, 5 * 720 + 100, 2 * 720 + 100); // figure 22 is not there
    EXPECT_EQ(g.Label1Caption, "");
    g.DesignMode = 1;
    g.PieceX[3] += 30;
    g.GalleryShown = true;
    g.AllShapes_MouseUp(LeftButton, 0, 3 * 720 + 100, 720 + 100);
    EXPECT_EQ(g.TarKalCaption, "Kalido (12 of 20)");
    EXPECT_EQ(g.PieceX, g.HomeX);
    EXPECT_EQ(g.DesignMode, 0);
    EXPECT_TRUE(g.GalleryShown);
    EXPECT_EQ(g.AllShapesPicture.Image(), page) << "the page stays as it was";
    g.AllShapes_MouseUp(RightButton, 0, 100, 100);
    EXPECT_FALSE(g.GalleryShown);
}

TEST(Gallery, theWheelScrollsThePageAndEscapeHidesTheWindow)
{
    GameFixture f(squares(120));
    ASSERT_TRUE(f.Load());
    Game& g = *f.game;
    g.GalleryShown = true;
    AllShapes gallery(g, f.fake.screen, nullptr);
    gallery.show();
    g.AllShapes_Activate();
    QWheelEvent down(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&gallery.Page(), &down);
    EXPECT_EQ(g.GalleryOffset, 8) << "a notch of the wheel moves a row";
    EXPECT_EQ(gallery.VScroll1().value(), g.GalleryOffset);
    QTest::keyClick(&gallery, Qt::Key_Escape);
    EXPECT_FALSE(g.GalleryShown);
    EXPECT_FALSE(gallery.isVisible());
}
