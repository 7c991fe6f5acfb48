// The shapes file's reading rules, the figure section, and what a damaged file does.
#include "TestHost.h"

#include "platform/SequentialFile.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace kalido;
using namespace kalido::test;

namespace {

std::string record(int n, int bx = 60, int by = 60)
{
    // A figure whose piece k sits at (bx + 10k, by + k) in orientation k.
    std::string text = std::to_string(n) + "," + std::to_string(bx) + "," + std::to_string(by);
    for (int k = 0; k < 7; ++k)
        text += "," + std::to_string(k % 2) + "," + std::to_string(bx + 10 * k) + "," + std::to_string(by + k);
    return text;
}

} // namespace

TEST(SequentialFile, itemsAreSplitByCommasAndLineEndsWithSpacesIgnored)
{
    SequentialFile file("  1 , 2.5,-3\r\n\"a, b\" ,x y \r\n+4\n5");
    EXPECT_EQ(file.Number(), 1);
    EXPECT_EQ(file.Number(), 2.5);
    EXPECT_EQ(file.Number(), -3);
    EXPECT_EQ(file.Item(), "a, b");
    EXPECT_EQ(file.Item(), "x y");
    EXPECT_EQ(file.Line(), 3);
    EXPECT_EQ(file.Number(), 4);
    EXPECT_EQ(file.Number(), 5);
    EXPECT_TRUE(file.AtEnd());
}

TEST(SequentialFile, whatIsNotADecimalNumberIsRefused)
{
    for (const char* text : {"abc", "1.2.3", "1,,2", "1e999", "0x10", ""}) {
        SequentialFile file(text);
        EXPECT_THROW(
            {
                file.Number();
                file.Number();
            },
            ReadError)
            << '"' << text << '"';
    }
}

TEST(SequentialFile, integersRoundHalfToEvenAndMustFitSixteenBits)
{
    SequentialFile file("2.5,3.5,-2.5,32767,32768");
    EXPECT_EQ(file.Integer(), 2);
    EXPECT_EQ(file.Integer(), 4);
    EXPECT_EQ(file.Integer(), -2);
    EXPECT_EQ(file.Integer(), 32767);
    EXPECT_THROW(file.Integer(), ReadError);
}

TEST(SequentialFile, lineInputTakesWholeLinesCommasAndQuotesIncluded)
{
    SequentialFile file("a,\"b\",c\r\n\r\nlast");
    EXPECT_EQ(file.LineInput(), "a,\"b\",c");
    EXPECT_EQ(file.LineInput(), "");
    EXPECT_EQ(file.LineInput(), "last");
    EXPECT_THROW(file.LineInput(), ReadError);
}

TEST(FileLength, anEmptyOrMissingFileHasNoLength)
{
    QTemporaryDir dir;
    const std::string empty = dir.filePath("empty.kal").toStdString();
    std::ofstream(empty).close();
    EXPECT_EQ(FileLength(empty), 0);
    EXPECT_EQ(FileLength(dir.filePath("missing.kal").toStdString()), 0);
    EXPECT_EQ(FileLength(dir.path().toStdString() + "/no/such/dir/x"), 0);
    std::ofstream(dir.filePath("one.kal").toStdString()) << "x";
    EXPECT_EQ(FileLength(dir.filePath("one.kal").toStdString()), 1);
}

TEST(FigureSection, recordsLoadRelativeToTheirCornerAndConstantShiftsVanish)
{
    SequentialFile file(ShapesWithRecords({record(1), record(2, 1060, 560)}));
    FigureCollection c;
    ReadFigureSection(file, c);
    ASSERT_EQ(c.FigureCount, 2);
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(c.FigX[1][k], 10 * k);
        EXPECT_EQ(c.FigY[1][k], k);
        EXPECT_EQ(c.FigOrient[1][k], k % 2);
        EXPECT_EQ(c.FigX[2][k], c.FigX[1][k]);
        EXPECT_EQ(c.FigY[2][k], c.FigY[1][k]);
    }
}

TEST(FigureSection, recordsNumberedZeroOrBelowAreReadButNotCounted)
{
    SequentialFile file(ShapesWithRecords({record(0), record(-4, 70, 70), record(9, 100, 100)}));
    FigureCollection c;
    ReadFigureSection(file, c);
    EXPECT_EQ(c.FigureCount, 1);
    EXPECT_EQ(c.FigX[1][6], 60);
}

TEST(FigureSection, aRecordBrokenOverTwoLinesAndTrailingBlankLinesAreRead)
{
    std::string broken = record(1);
    broken.replace(broken.find(",0,"), 1, "\r\n");
    SequentialFile file(ShapesWithRecords({broken, record(2), "", "  "}));
    FigureCollection c;
    ReadFigureSection(file, c);
    EXPECT_EQ(c.FigureCount, 2);
}

TEST(FigureSection, lineSixtyFourIsNeverReadAndLineSixtyFiveIsOneItemEvenWhenEmpty)
{
    const std::string text = ShapesWithRecords({record(1)});
    auto lineStart = [&](int line) {
        std::size_t pos = 0;
        for (int l = 1; l < line; ++l)
            pos = text.find("\r\n", pos) + 2;
        return pos;
    };
    auto withLine = [&](int line, const std::string& content) {
        std::string changed = text;
        const std::size_t at = lineStart(line);
        return changed.replace(at, changed.find("\r\n", at) - at, content);
    };
    for (const std::string& shapes : {withLine(64, "\"unclosed, 1, 2, zz"), withLine(65, ""), withLine(65, "  "),
                                      withLine(65, "\"Animals, people and boats\"")}) {
        SequentialFile figures(shapes);
        FigureCollection c;
        ASSERT_NO_THROW(ReadFigureSection(figures, c)) << shapes.substr(lineStart(64), 60);
        EXPECT_EQ(c.FigureCount, 1);
        EXPECT_EQ(c.FigX[1][6], 60);
        SequentialFile pieces(shapes);
        PieceModel model;
        EXPECT_NO_THROW(ReadPieceShapes(pieces, model));
    }
}

TEST(FigureSection, theFiveHundredAndFirstFigureIsRefused)
{
    std::vector<std::string> records;
    for (int n = 1; n <= 500; ++n)
        records.push_back(record(n));
    FigureCollection c;
    SequentialFile full(ShapesWithRecords(records));
    ReadFigureSection(full, c);
    EXPECT_EQ(c.FigureCount, 500);

    records.push_back(record(0)); // not counted: still fine
    SequentialFile withSkipped(ShapesWithRecords(records));
    ReadFigureSection(withSkipped, c);
    EXPECT_EQ(c.FigureCount, 500);

    records.push_back(record(501));
    SequentialFile tooMany(ShapesWithRecords(records));
    EXPECT_THROW(ReadFigureSection(tooMany, c), TooManyFigures);
}

TEST(LoadFigures, moreThanFiveHundredFiguresShowTheMessageAndEndTheProgram)
{
    std::vector<std::string> records;
    for (int n = 1; n <= 501; ++n)
        records.push_back(record(n));
    GameFixture f(ShapesWithRecords(records));
    EXPECT_FALSE(f.Load());
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    EXPECT_EQ(f.fake.dialogs.shown[0].text, "Cannot handle more than 500 Zuzuzaz");
    EXPECT_EQ(f.fake.process.ends, 1);
}

struct DamagedFile {
    const char* name;
    std::string content;
    std::string expected; // the end of the message
};

void PrintTo(const DamagedFile& file, std::ostream* out) { *out << file.name; }

class DamagedShapesFile : public ::testing::TestWithParam<DamagedFile> {};

TEST_P(DamagedShapesFile, isNamedWithLineAndValueAndEndsTheStartCleanly)
{
    GameFixture f(GetParam().content);
    EXPECT_FALSE(f.Load());
    ASSERT_EQ(f.fake.dialogs.shown.size(), 1u);
    const std::string& text = f.fake.dialogs.shown[0].text;
    EXPECT_EQ(text.rfind("Kalido shapes file cannot be used:\n\r" + f.Path("KALIDO.kal") + "\n\r", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - GetParam().expected.size()), GetParam().expected) << text;
    EXPECT_EQ(f.fake.process.ends, 0) << "a damaged file is not the 500-figure limit";
}

INSTANTIATE_TEST_SUITE_P(
    Reading, DamagedShapesFile,
    ::testing::Values(DamagedFile{"notANumber", ShapesWithRecords({"1,60,60,0,x7,60"}),
                                  "Line 66: \"x7\" is not a number."},
                      DamagedFile{"cutShort", ShapesWithRecords({record(1), "2,60,60,0,60,60"}),
                                  "Line 67: the record ends before its 24 values."},
                      DamagedFile{"headerCut", BundledShapes().substr(0, BundledShapes().find("large2")),
                                  "Line 10: the file ends here."},
                      DamagedFile{"noLine65", BundledShapes().substr(0, BundledShapes().find("\"Kalido figures\"")),
                                  "Line 65: the file ends here."},
                      DamagedFile{"vertexTooLarge",
                                  [] {
                                      std::string text = ShapesWithRecords({record(1)});
                                      text.replace(text.find("large0,1,4,4,0,0,0,0,4,"), 23,
                                                   "large0,1,4,4,0,0,0,0,2000,");
                                      return text;
                                  }(),
                                  "Line 8: a vertex of piece 0 orientation 0 does not fit a 16-bit whole number."},
                      DamagedFile{"orientationOutOfRange", ShapesWithRecords({[] {
                                      std::string r = record(1);
                                      r.replace(r.find(",0,60,60"), 8, ",9,60,60");
                                      return r;
                                  }()}),
                                  "Line 66: piece 0 has the orientation 9, which is not 0 to 7."}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(LoadFigures, aDamagedFileLaterKeepsTheCollectionInUse)
{
    GameFixture f(ShapesWithRecords({record(1, 70, 70), record(2)}));
    ASSERT_TRUE(f.Load());
    const int count = f.game->FigureCount;
    const auto firstRow = f.game->FigX[1];
    f.WriteShapes(ShapesWithRecords({record(1), "2,60,60,zz"}), "other.kal");
    f.game->ShapesFile = f.Path("other.kal");
    EXPECT_EQ(f.game->LoadFigures(), Game::LoadResult::Failed);
    EXPECT_EQ(f.game->FigureCount, count);
    EXPECT_EQ(f.game->FigX[1], firstRow);
    EXPECT_NE(f.fake.dialogs.shown.back().text.find("Line 67: \"zz\" is not a number."), std::string::npos);
}
