// The shapes file at start-up: whether it can be used, its reading rules, the piece model and the
// figures read from it, and what a damaged file does.
#include "TestHost.h"

#include "platform/SequentialFile.h"

#include <QDir>
#include <QFile>

#include <fstream>

using namespace kalido;
using namespace kalido::test;

namespace {

// A figure whose piece k sits at (bx + 10k, by + k) in orientation k % 2.
std::string record(int n, int bx = 60, int by = 60)
{
    std::string text = std::to_string(n) + "," + std::to_string(bx) + "," + std::to_string(by);
    for (int k = 0; k < 7; ++k)
        text += "," + std::to_string(k % 2) + "," + std::to_string(bx + 10 * k) + "," + std::to_string(by + k);
    return text;
}

FigureCollection read(const std::string& text)
{
    SequentialFile file(text);
    FigureCollection c;
    ReadFigureSection(file, c);
    return c;
}

// The shapes file with line n (1-based) replaced.
std::string withLine(std::string text, int n, const std::string& content)
{
    std::size_t at = 0;
    for (int line = 1; line < n; ++line)
        at = text.find("\r\n", at) + 2;
    return text.replace(at, text.find("\r\n", at) - at, content);
}

// A header whose pieces all sit at home (3, 2) and whose orientation lines all read `line`,
// except the first, of piece 0 in orientation 0.
PieceModel readPieces(const std::string& first, const std::string& line = "x,1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,0,0")
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

TEST(Startup, aMissingEmptyOrUnreadableShapesFileIsNotFoundAndNothingStarts)
{
    const QString name = QStringLiteral("KALIDO.kal");
    const std::vector<std::pair<const char*, std::function<void(GameFixture&)>>> cases = {
        {"missing", [&](GameFixture& f) { QDir(f.dir.path()).remove(name); }},
        {"empty", [](GameFixture& f) { f.WriteShapes(""); }},
        {"a folder", [&](GameFixture& f) { QDir(f.dir.path()).remove(name), QDir(f.dir.path()).mkdir(name); }},
        {"unreadable", [&](GameFixture& f) { QFile::setPermissions(f.dir.filePath(name), QFileDevice::WriteOwner); }},
    };
    for (const auto& [what, spoil] : cases) {
        GameFixture f;
        spoil(f);
        if (std::string(what) == "unreadable" && std::ifstream(f.Path("KALIDO.kal")))
            continue; // this user reads files without read permission (root)
        EXPECT_FALSE(f.Load()) << what;
        ASSERT_EQ(f.fake.dialogs.shown.size(), 1u) << what;
        EXPECT_EQ(f.fake.dialogs.shown[0].text, "Kalido shapes file not found:\n\rKALIDO.kal") << what;
        EXPECT_EQ(f.fake.dialogs.shown[0].style.Buttons, MsgButtons::Ok);
    }
}

TEST(SequentialFile, numbersAreDecimalAndIntegersRoundHalfToEvenWithinSixteenBits)
{
    for (const char* text : {"abc", "1.2.3", "1,,2", "1e999", "0x10", ""}) {
        SequentialFile file(text);
        EXPECT_THROW((file.Number(), file.Number()), ReadError) << '"' << text << '"';
    }
    SequentialFile file("2.5,3.5,-2.5,32767,32768");
    for (int expected : {2, 4, -2, 32767})
        EXPECT_EQ(file.Integer(), expected);
    EXPECT_THROW(file.Integer(), ReadError);
}

TEST(PieceModel, aNegativeSelectorMeasuresInDiagonalUnitsShiftsAlwaysInGridUnitsAndHomesAreGridPlaces)
{
    struct Case {
        const char* line;
        int vertexX, extentX, extentY, shiftX, shiftY;
    };
    for (const Case& c : {Case{"x,-1,2,1,0,0,1,0,2,1,0,1,0,1,1,0,0.5,-0.3", 34, 68, 34, 12, -8},
                          Case{"x,0,2,1,0,0,1,0,2,1,0,1,0,1,1,0,-0.3,0.5", 24, 48, 24, -8, 12},
                          Case{"x,1,2,1,0,0,1,0,2,1,0,1,0,1,1,0,0,0", 24, 48, 24, 0, 0},
                          Case{"x,-1,1.5,0.99,0,0,1,0,2,1,0,1,0,1,1,0,0,0", 34, 51, 33, 0, 0}}) {
        const PieceModel m = readPieces(c.line);
        EXPECT_EQ(m.ShapeVerts[0][0][1], c.vertexX) << c.line;
        EXPECT_EQ(m.PieceExtentX[0][0], c.extentX) << c.line;
        EXPECT_EQ(m.PieceExtentY[0][0], c.extentY) << c.line; // the floor: 33.66 gives 33
        EXPECT_EQ(m.TurnShiftX[0][0], c.shiftX) << c.line;    // and -7.2 gives -8
        EXPECT_EQ(m.TurnShiftY[0][0], c.shiftY) << c.line;
    }
    // Homes are grid places from a provisional origin: (182, 158) on the board.
    const PieceModel m = readPieces("x,1,2,2,0,0,0,0,2,0,2,2,0,2,0,0,0,0");
    EXPECT_EQ(std::tuple(m.HomeX[4], m.HomeY[4], m.PieceX[4]), std::tuple(172, 148, 172));
}

TEST(FigureSection, recordsLoadRelativeToTheirCornerAndOnlyPositiveNumbersCount)
{
    std::string broken = record(4, 1060, 560); // shifted as a whole, and broken over two lines
    broken.replace(broken.find(",0,"), 1, "\r\n");
    const FigureCollection c = read(ShapesWithRecords({record(1), record(0, 70), record(-4), broken, "", "  "}));
    ASSERT_EQ(c.FigureCount, 2);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(c.FigX[1][k], 10 * k);
        EXPECT_EQ(c.FigY[1][k], k);
        EXPECT_EQ(c.FigOrient[1][k], k % 2);
        EXPECT_EQ(c.FigX[2][k], c.FigX[1][k]);
        EXPECT_EQ(c.FigY[2][k], c.FigY[1][k]);
    }
}

TEST(FigureSection, lineSixtyFourIsNeverReadAndLineSixtyFiveIsOneItemEvenWhenEmpty)
{
    const std::string text = ShapesWithRecords({record(1)});
    for (const std::string& shapes : {withLine(text, 64, "\"unclosed, 1, 2, zz"), withLine(text, 65, ""),
                                      withLine(text, 65, "  "), withLine(text, 65, "\"Animals, people and boats\"")}) {
        FigureCollection c;
        ASSERT_NO_THROW(c = read(shapes)) << shapes.substr(shapes.find("\"Kalido pieces"), 60);
        EXPECT_EQ(c.FigureCount, 1);
        EXPECT_EQ(c.FigX[1][6], 60);
        SequentialFile pieces(shapes);
        PieceModel model;
        EXPECT_NO_THROW(ReadPieceShapes(pieces, model));
    }
}

TEST(FigureSection, theFiveHundredAndFirstCountedFigureIsRefused)
{
    std::vector<std::string> records;
    for (int n = 1; n <= 500; ++n)
        records.push_back(record(n));
    records.push_back(record(0)); // not counted
    EXPECT_EQ(read(ShapesWithRecords(records)).FigureCount, 500);
    records.push_back(record(501));
    EXPECT_THROW(read(ShapesWithRecords(records)), TooManyFigures);

    GameFixture f(ShapesWithRecords(records));
    EXPECT_FALSE(f.Load());
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Cannot handle more than 500 Kalido");
    EXPECT_EQ(f.fake.process.ends, 1);
}

TEST(LoadFigures, aDamagedFileIsNamedWithLineAndValueAndEndsTheStartCleanly)
{
    const std::string good = ShapesWithRecords({record(1)});
    std::string badVertex = good;
    badVertex.replace(badVertex.find("large0,1,4,4,0,0,0,0,4,"), 23, "large0,1,4,4,0,0,0,0,2000,");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {ShapesWithRecords({"1,60,60,0,x7,60"}), "Line 66: \"x7\" is not a number."},
        {ShapesWithRecords({record(1), "2,60,60,0,60,60"}), "Line 67: the record ends before its 24 values."},
        {good.substr(0, good.find("large2")), "Line 10: the file ends here."},
        {good.substr(0, good.find("\"Kalido figures\"")), "Line 65: the file ends here."},
        {badVertex, "Line 8: a vertex of piece 0 orientation 0 does not fit a 16-bit whole number."},
        {withLine(good, 8, "large0,1,1e9,4,0,0,0,0,4,0,0,4,0,4,0,0,0.5625,1.520833"),
         "Line 8: a measure does not fit a 16-bit whole number."},
        {withLine(good, 66, "1,60,60,9" + record(1).substr(9)),
         "Line 66: piece 0 has the orientation 9, which is not 0 to 7."},
    };
    for (const auto& [content, expected] : cases) {
        GameFixture f(content);
        EXPECT_FALSE(f.Load());
        ASSERT_EQ(f.fake.dialogs.shown.size(), 1u) << expected;
        EXPECT_EQ(f.fake.dialogs.shown[0].text,
                  "Kalido shapes file cannot be used:\n\r" + f.Path("KALIDO.kal") + "\n\r" + expected);
        EXPECT_EQ(f.fake.process.ends, 0) << "a damaged file is not the 500-figure limit";
    }
}
