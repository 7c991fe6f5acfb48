// The piece model as read from the head of a shapes file.
#include "TestHost.h"

#include "platform/SequentialFile.h"

#include <gtest/gtest.h>

using namespace kalido;

namespace {

// A header whose pieces all sit at home (3, 2) and whose orientation lines all read `line`,
// except the first, of piece 0 in orientation 0.
PieceModel read(const std::string& first, const std::string& line = "x,1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,0,0")
{
    std::string text;
    for (int i = 0; i < 7; ++i)
        text += "3,2\r\n";
    for (int n = 0; n < 56; ++n)
        text += (n == 0 ? first : line) + "\r\n";
    SequentialFile file(text + "line 64\r\n\"figures\"\r\n");
    PieceModel model;
    ReadPieceShapes(file, model);
    return model;
}

} // namespace

TEST(PieceModel, homesAreGridPlacesFromAProvisionalOriginAndThreePiecesStartTurned)
{
    const PieceModel m = read("x,1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,0,0");
    EXPECT_EQ(m.HomeX[4], 172); // board pixel 182 once the origin is (10, 10)
    EXPECT_EQ(m.HomeY[4], 148);
    EXPECT_EQ(m.PieceX[4], 172);
    EXPECT_EQ(m.PieceOrient, (PerPiece<int>{0, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(m.HomeOrient, (PerPiece<std::int16_t>{0, 2, 1, 0, 0, 0, 0}));
}

TEST(PieceModel, aNegativeSelectorMeasuresOutlinesInDiagonalUnitsButShiftsAlwaysInGridUnits)
{
    struct Case {
        const char* line;
        int vertexX, extentX, extentY, shiftX, shiftY;
    };
    for (const Case& c : {Case{"x,-1,2,1,0,0,1,0,2,1,0,1,0,1,1,0,0.5,-0.3", 34, 68, 34, 12, -8},
                          Case{"x,0,2,1,0,0,1,0,2,1,0,1,0,1,1,0,-0.3,0.5", 24, 48, 24, -8, 12},
                          Case{"x,1,2,1,0,0,1,0,2,1,0,1,0,1,1,0,0,0", 24, 48, 24, 0, 0},
                          Case{"x,-1,1.5,0.99,0,0,1,0,2,1,0,1,0,1,1,0,0,0", 34, 51, 33, 0, 0}}) {
        const PieceModel m = read(c.line);
        EXPECT_EQ(m.ShapeVerts[0][0][1], c.vertexX) << c.line;
        EXPECT_EQ(m.PieceExtentX[0][0], c.extentX) << c.line;
        EXPECT_EQ(m.PieceExtentY[0][0], c.extentY) << c.line; // the floor: 33.66 gives 33
        EXPECT_EQ(m.TurnShiftX[0][0], c.shiftX) << c.line;    // and -7.2 gives -8
        EXPECT_EQ(m.TurnShiftY[0][0], c.shiftY) << c.line;
    }
}
