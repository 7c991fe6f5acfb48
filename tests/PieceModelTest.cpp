// The piece model as read from the head of a shapes file, and turning through the orientations.
#include "TestHost.h"

#include "platform/SequentialFile.h"

#include <gtest/gtest.h>

using namespace kalido;
using namespace kalido::test;

namespace {

// A header whose pieces all sit at home (a, b) = (3, 2) and whose orientation lines all read
// `line`, except the one given for piece 0 orientation 0.
std::string header(const std::string& firstOrientation, const std::string& line = "x,1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,0,0")
{
    std::string text;
    for (int i = 0; i < 7; ++i)
        text += "3,2\r\n";
    for (int n = 0; n < 56; ++n)
        text += (n == 0 ? firstOrientation : line) + "\r\n";
    return text + "line 64\r\n\"figures\"\r\n";
}

PieceModel read(const std::string& text)
{
    SequentialFile file(text);
    PieceModel model;
    ReadPieceShapes(file, model);
    return model;
}

} // namespace

TEST(PieceModel, homeValuesArePlacesInGridUnitsFromAProvisionalOrigin)
{
    const PieceModel m = read(header("x,1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,0,0"));
    EXPECT_EQ(m.HomeX[4], 172);
    EXPECT_EQ(m.HomeY[4], 148);
    EXPECT_EQ(m.PieceX[4], 172);
    // After start-up the origin is (10, 10): the reference point is board pixel (182, 158).
    EXPECT_EQ(m.PieceOrient, (PerPiece<int>{0, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(m.HomeOrient, (PerPiece<std::int16_t>{0, 2, 1, 0, 0, 0, 0}));
}

TEST(PieceModel, aNegativeSelectorMeasuresInDiagonalUnits)
{
    const PieceModel diag = read(header("x,-1,2,1,0,0,1,0,2,1,0,1,0,1,1,0,0,0"));
    EXPECT_EQ(diag.ShapeVerts[0][0][1], 34);
    EXPECT_EQ(diag.ShapeVerts[0][0][3], 68);
    EXPECT_EQ(diag.PieceExtentX[0][0], 68);
    EXPECT_EQ(diag.PieceExtentY[0][0], 34);

    for (const char* selector : {"0", "1"}) {
        const PieceModel grid = read(header(std::string("x,") + selector + ",2,1,0,0,1,0,2,1,0,1,0,1,1,0,0,0"));
        EXPECT_EQ(grid.ShapeVerts[0][0][1], 24) << "selector " << selector;
        EXPECT_EQ(grid.PieceExtentX[0][0], 48);
    }
}

TEST(PieceModel, turnShiftsAlwaysUseTheGridUnitAndRoundTowardMinusInfinity)
{
    const PieceModel diag = read(header("x,-1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,0.5,-0.3"));
    EXPECT_EQ(diag.TurnShiftX[0][0], 12);
    EXPECT_EQ(diag.TurnShiftY[0][0], -8); // floor of -7.2
    const PieceModel grid = read(header("x,1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,-0.3,0.5"));
    EXPECT_EQ(grid.TurnShiftX[0][0], -8);
    EXPECT_EQ(grid.TurnShiftY[0][0], 12);
    const PieceModel extent = read(header("x,-1,1.5,0.99,0,0,0,0,2,0,2,2,0,2,0,0,0,0"));
    EXPECT_EQ(extent.PieceExtentX[0][0], 51);
    EXPECT_EQ(extent.PieceExtentY[0][0], 33); // floor of 33.66
}
