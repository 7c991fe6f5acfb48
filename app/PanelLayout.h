// The command panel's layout in twips: its five frames, and for each of the seventeen buttons its
// frame, place, size, command word (also its tooltip) and icon.
#pragma once

#include "board/Game.h"
#include "platform/Host.h"

#include <QRect>

#include <array>

namespace kalido {

struct TwipRect {
    int left, top, width, height;
};

// A control's place and size on the screen.
inline QRect Pixels(const ScreenMetrics& screen, TwipRect r)
{
    return {screen.PixelsX(r.left), screen.PixelsY(r.top), screen.PixelsX(r.width), screen.PixelsY(r.height)};
}

struct FrameLayout {
    const char* caption;
    TwipRect place; // in the panel
};

struct ButtonLayout {
    int frame;
    TwipRect place; // in its frame
    const char* word;
    const char* icon; // in the program's resources
};

inline constexpr std::array<FrameLayout, 5> PanelFrames = {{
    {"Kalido", {48, 30, 2520, 672}},
    {"Play difficulty", {2592, 30, 1332, 672}},
    {"Select", {48, 744, 2124, 684}},
    {"Sound", {2208, 744, 684, 684}},
    {"Help", {2928, 744, 984, 684}},
}};

inline constexpr std::array<ButtonLayout, MenuButtonCount> PanelButtons = {{
    {0, {72, 216, 396, 396}, "Open new Kalido file", ":/icons/open.png"},
    {0, {468, 216, 396, 396}, "Save Kalido file as", ":/icons/saveas.png"},
    {0, {864, 216, 396, 396}, "Remove existing Kalido", ":/icons/remove.png"},
    {0, {1260, 216, 396, 396}, "Append existing Kalido", ":/icons/append.png"},
    {0, {1656, 216, 396, 396}, "Reset", ":/icons/reset.png"},
    {0, {2052, 216, 396, 396}, "Copy", ":/icons/copy.png"},
    {2, {72, 216, 396, 396}, "First", ":/icons/first.png"},
    {2, {468, 216, 396, 396}, "Left", ":/icons/left.png"},
    {2, {864, 216, 396, 396}, "Right", ":/icons/right.png"},
    {2, {1260, 216, 396, 396}, "Last", ":/icons/last.png"},
    {2, {1656, 216, 396, 396}, "Random", ":/icons/random.png"},
    {3, {150, 210, 390, 390}, "Sound", ":/icons/sound.png"},
    {4, {96, 210, 396, 396}, "Help", ":/icons/help.png"},
    {4, {492, 210, 396, 396}, "About", ":/icons/about.png"},
    {1, {72, 216, 396, 396}, "Normal", ":/icons/normal.png"},
    {1, {468, 216, 396, 396}, "Easy", ":/icons/easy.png"},
    {1, {864, 216, 396, 396}, "Very easy", ":/icons/veryeasy.png"},
}};

// Gives the game's buttons their command words and the face colour they start with.
inline void SetUpMenuButtons(Game& game, Colour face)
{
    for (std::size_t i = 0; i < PanelButtons.size(); ++i) {
        game.MenuButx[i].ToolTipText = PanelButtons[i].word;
        game.MenuButx[i].FaceColor = face;
    }
}

} // namespace kalido
