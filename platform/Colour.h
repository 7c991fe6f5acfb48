// Colours as the game stores them: 32-bit values laid out &H00BBGGRR, and the 16-colour palette.
#pragma once

#include <array>
#include <cstdint>

namespace kalido {

using Colour = std::uint32_t;

// What a pixel read returns outside a surface; no drawn colour has the top byte set.
inline constexpr Colour NoColour = 0xFFFFFFFFu;

constexpr Colour Rgb(int r, int g, int b)
{
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// The classic 16-colour palette, by index 0..15.
constexpr Colour QBColor(int index)
{
    constexpr std::array<Colour, 16> palette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    return palette.at(static_cast<std::size_t>(index & 15));
}

constexpr int RedOf(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

} // namespace kalido
