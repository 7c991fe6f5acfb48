// Whether seven pieces, each moved a little, cover a figure's silhouette: the game's judge.
#pragma once

#include "board/PieceModel.h"

namespace kalido {

// A piece's orientation code and the place of its reference point.
struct Placing {
    int orient = 0, x = 0, y = 0;
};

// True when the pieces, each moved by at most `tolerance` pixels on each axis and kept in its
// orientation, cover the silhouette of `figure` (the union of its stored pieces, which may lie
// anywhere) without overlapping. Any tiling counts, not only the stored one: mirror images and
// other places for any piece. Outlines are rounded to whole pixels, so edges may disagree by about
// a pixel.
bool JudgeArrangement(const PieceModel& shapes, const PerPiece<Placing>& figure, const PerPiece<Placing>& pieces,
                      int tolerance);

} // namespace kalido
