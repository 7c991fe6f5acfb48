// Reading the piece geometry from the head of the shapes file.
#include "board/PieceModel.h"

#include "platform/SequentialFile.h"

#include <cmath>

namespace kalido {

namespace {

// The whole part of a measure; a value too large for a 16-bit whole number is a damaged file.
int floorToInt(double value, const SequentialFile& file)
{
    if (const auto whole = ToInteger(std::floor(value)))
        return *whole;
    throw ReadError{file.ItemLine(), "a measure does not fit a 16-bit whole number"};
}

} // namespace

void ReadPieceShapes(SequentialFile& file, PieceModel& m)
{
    m.GridUnit = 24;
    m.DiagUnit = 34;
    // Home positions are read against a provisional origin of 100, 100.
    m.OriginX = 100;
    m.OriginY = 100;

    for (int i = 0; i < PieceCount; ++i) {
        const double a = file.Number();
        const double b = file.Number();
        const auto x = ToInteger(m.OriginX + m.GridUnit * a);
        const auto y = ToInteger(m.OriginY + m.GridUnit * b);
        if (!x || !y)
            throw ReadError{file.ItemLine(), "the home position of piece " + std::to_string(i) + " is out of range"};
        m.PieceX[i] = m.HomeX[i] = *x;
        m.PieceY[i] = m.HomeY[i] = *y;
        m.PieceOrient[i] = m.HomeOrient[i] = 0;
    }
    m.PieceOrient[1] = m.HomeOrient[1] = 2;
    m.PieceOrient[2] = m.HomeOrient[2] = 1;

    for (int i = 0; i < PieceCount; ++i) {
        for (int j = 0; j < OrientCount; ++j) {
            file.Item(); // value 1: a label, not used
            const double selector = file.Number();
            const double width = file.Number();
            const double height = file.Number();
            file.Item(); // values 5 and 6: notes, not used
            file.Item();
            std::array<std::int16_t, 11> verts{};
            for (int k = 1; k <= 10; ++k)
                verts[k] = file.Integer();
            const double shiftX = file.Number();
            const float shiftY = file.Single();

            // Outlines turned by 45 degrees are measured in diagonal units.
            const int unit = selector < 0 ? m.DiagUnit : m.GridUnit;
            m.PieceExtentX[i][j] = floorToInt(width * unit, file);
            m.PieceExtentY[i][j] = floorToInt(height * unit, file);
            m.TurnShiftX[i][j] = floorToInt(shiftX * 24, file);
            m.TurnShiftY[i][j] = floorToInt(static_cast<double>(shiftY * 24.0f), file);
            for (int k = 1; k <= 10; ++k) {
                const auto scaled = ToInteger(verts[k] * unit);
                if (!scaled)
                    throw ReadError{file.ItemLine(), "a vertex of piece " + std::to_string(i) + " orientation " +
                                                         std::to_string(j) + " does not fit a 16-bit whole number"};
                m.ShapeVerts[i][j][k] = *scaled;
            }
        }
    }
}

} // namespace kalido
