// The gallery window's events: opening, scrolling, the number under the pointer, and picking.
#include "board/Game.h"

#include <algorithm>
#include <cmath>

namespace kalido {

namespace {

constexpr int PageFigures = GalleryRows * GalleryColumns, RowFigures = GalleryColumns;

} // namespace

void Game::ShowGallery(bool firstPage)
{
    if (firstPage)
        GalleryOffset = 0;
    AllShapes_Activate(); // the scroll bar where the page is; a shrunk collection moves both back
    AllShapesPicture.Cls();
    DrawGalleryPage();
    Label1Caption.clear();
    GalleryShown = true;
    host_.forms.ShowAllShapes(); // returns when the gallery is hidden or closed
    GalleryShown = false;
}

void Game::AllShapes_Activate()
{
    VScroll1Enabled = FigureCount > PageFigures;
    if (VScroll1Enabled) {
        const int rows = (FigureCount + RowFigures - 1) / RowFigures;
        VScroll1Max = RowFigures * rows - PageFigures; // the last row at the bottom of the page
    }
    // The page and the scroll bar agree, also when the window was closed and is opened anew or
    // the collection has shrunk since the page was shown.
    GalleryOffset = static_cast<std::int16_t>(std::clamp<int>(GalleryOffset, 0, VScroll1Enabled ? VScroll1Max : 0));
    VScroll1Value = GalleryOffset;
    NotifyUi();
}

void Game::VScroll1_Change(int value)
{
    Label1Caption.clear();
    GalleryOffset = static_cast<std::int16_t>(value);
    VScroll1Value = value;
    AllShapesPicture.Cls();
    DrawGalleryPage();
    NotifyUi();
}

namespace {

// The figure in the square under (X, Y), in twips; it may lie outside the collection. The strips
// right of the last column and under the last row are no square: 0.
int figureAt(int offset, float X, float Y)
{
    const int row = static_cast<int>(std::floor(Y / GalleryPitch)),
              column = static_cast<int>(std::floor(X / GalleryPitch));
    if (row >= GalleryRows || column >= GalleryColumns)
        return 0;
    return offset + RowFigures * row + column + 1;
}

} // namespace

void Game::AllShapes_MouseMove(int /*Button*/, int /*Shift*/, float X, float Y)
{
    const int n = figureAt(GalleryOffset, X, Y);
    if (n < 1 || n > FigureCount) {
        Label1Caption.clear();
    } else {
        Label1X = host_.screen.PixelsX(X);
        Label1Y = host_.screen.PixelsY(Y);
        Label1Caption = "   " + Str(n);
    }
    NotifyUi();
}

void Game::AllShapes_MouseUp(int Button, int /*Shift*/, float X, float Y)
{
    if (Button == RightButton)
        return HideGallery();
    const int n = figureAt(GalleryOffset, X, Y);
    if (n < 1 || n > FigureCount) {
        Label1Caption.clear();
        NotifyUi();
        return;
    }
    GoToFigure(n); // behind the gallery, which stays open on its page
}

void Game::Label1_MouseUp(int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (!Label1Caption.empty() && Button != RightButton)
        GoToFigure(std::stoi(Label1Caption));
    else
        HideGallery();
}

void Game::AllShapes_KeyDown(int KeyCode, int /*Shift*/)
{
    if (KeyCode == KeyEscape)
        HideGallery();
}

void Game::HideGallery()
{
    GalleryShown = false;
    NotifyUi();
}

} // namespace kalido
