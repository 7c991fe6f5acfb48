// The seven pieces: where each lies, how it is turned, where it lives, and its outline per orientation.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kalido {

class SequentialFile;
struct ReadError;

inline constexpr int PieceCount = 7;
inline constexpr int OrientCount = 8;
inline constexpr int SquarePiece = 3; // the one piece with only two orientations in play

template <typename T> using PerPiece = std::array<T, PieceCount>;
template <typename T> using PerOrient = std::array<std::array<T, OrientCount>, PieceCount>;

// Pieces 0 and 1 are congruent, and so are pieces 2 and 4: in a figure they may swap places.
struct PieceModel {
    // Reference point of each piece, relative to the board origin. While a piece is dragged its
    // entries hold the offset of the reference point from the pointer instead.
    PerPiece<int> PieceX{}, PieceY{};
    PerPiece<int> PieceOrient{};
    PerPiece<int> HomeX{}, HomeY{};
    PerPiece<std::int16_t> HomeOrient{};
    // Five outline vertices x1, y1 .. x5, y5 at elements 1..10, offsets from the reference point.
    PerOrient<std::array<std::int16_t, 11>> ShapeVerts{};
    // Added to the position when a piece turns into an orientation, so that it turns in place.
    PerOrient<int> TurnShiftX{}, TurnShiftY{};
    PerOrient<int> PieceExtentX{}, PieceExtentY{};
    PerPiece<std::int16_t> Placed{};

    int GridUnit = 24;
    int DiagUnit = 34;
    int OriginX = 10, OriginY = 10;
};

// Reads the piece definitions at the head of a shapes file into the model and puts every piece
// at home. Throws ReadError when a value is missing or malformed.
void ReadPieceShapes(SequentialFile& file, PieceModel& model);

// The next orientation code of a turn.
inline int NextOrient(int piece, int orient)
{
    const int next = orient + 1;
    return next > (piece == SquarePiece ? 1 : 7) ? 0 : next;
}

} // namespace kalido
