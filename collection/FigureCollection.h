// The figure collection: up to 500 figures, each the orientation and place of the seven pieces.
#pragma once

#include "board/PieceModel.h"

#include <array>
#include <cstdint>
#include <string>

namespace kalido {

inline constexpr int MaxFigures = 500;
inline constexpr int HeaderLines = 64;
inline constexpr int RecordValues = 24;

// Row n (1..FigureCount) is the n-th counted record; positions are relative to the top-left
// corner of the figure's own bounding box. Row 0 is never used.
struct FigureCollection {
    int FigureCount = 0;
    std::array<PerPiece<std::int16_t>, MaxFigures + 1> FigOrient{}, FigX{}, FigY{};
};

// A number as messages and tags show it: with a blank before it unless it is negative.
inline std::string Str(long long value)
{
    std::string text(value < 0 ? 0 : 1, ' ');
    return text.append(std::to_string(value));
}

// One figure record as the game writes it: whole numbers joined by commas, and a line end.
std::string FormatRecord(const std::array<double, RecordValues>& values);

// The whole shapes file again, without its n-th figure (the n-th record numbered above 0, as the
// loader counts) and with the other figures numbered 1, 2, 3 ... in file order; records numbered 0
// or below keep their number. A title with a comma or a line break keeps its quotes. Throws ReadError (at
// the line of the file read), or TooManyFigures.
std::string WithoutRecord(SequentialFile& file, int n);

// Thrown by ReadFigureSection at the 501st counted record.
struct TooManyFigures {};

// Reads the figure section of a shapes file from its start: skips the 64 header lines and the
// item of line 65, then takes records of 24 values to the end. A record whose first value is not
// above 0 is read and skipped. Throws ReadError or TooManyFigures.
void ReadFigureSection(SequentialFile& file, FigureCollection& collection);

} // namespace kalido
