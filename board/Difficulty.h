// The three difficulty levels: how much the target and the board help the player.
#pragma once

#include <cstdint>

namespace kalido {

inline constexpr std::int16_t VeryEasyLevel = 1; // the target shows each piece in its colour
inline constexpr std::int16_t EasyLevel = 2;     // correctly turned pieces are shown in cyan
inline constexpr std::int16_t NormalLevel = 3;   // no help

} // namespace kalido
