// Loading the figure collection from the shapes file, and the file test.
#include "collection/FigureCollection.h"

#include "board/Game.h"
#include "platform/SequentialFile.h"

#include <cmath>
#include <memory>

namespace kalido {

namespace {

using Record = std::array<double, RecordValues>;

// Lines 1 to 64 and the title on line 65, as they stand.
std::pair<std::string, std::string> readHead(SequentialFile& file)
{
    std::string header;
    for (int line = 1; line <= HeaderLines; ++line)
        header += file.LineInput() + "\r\n";
    return {header, file.LineItem()};
}

// The next record's 24 values; `line` is where it starts.
Record readRecord(SequentialFile& file, int& line)
{
    line = file.Line();
    Record value{};
    try {
        for (double& v : value)
            v = file.Number();
    } catch (const ReadError& error) {
        if (error.endOfFile)
            throw ReadError{line, "the record ends before its " + std::to_string(RecordValues) + " values"};
        throw;
    }
    return value;
}

// Stores a counted record as figure n of the collection, or says what keeps it from loading.
void storeRecord(const Record& value, int line, int n, FigureCollection& c)
{
    for (int k = 0; k < PieceCount; ++k) {
        // The piece values are 16-bit whole numbers; the figure's corner may be any number.
        const auto orient = ToInteger(value[3 + 3 * k]);
        const auto px = ToInteger(value[4 + 3 * k]), py = ToInteger(value[5 + 3 * k]);
        const auto x = px ? ToInteger(*px - value[1]) : std::nullopt;
        const auto y = py ? ToInteger(*py - value[2]) : std::nullopt;
        if (!orient || !x || !y)
            throw ReadError{line, "a value of the record does not fit a 16-bit whole number"};
        if (*orient < 0 || *orient >= OrientCount)
            throw ReadError{line, "piece " + std::to_string(k) + " has the orientation " + std::to_string(*orient) +
                                      ", which is not 0 to 7"};
        c.FigOrient[n][k] = *orient;
        c.FigX[n][k] = *x;
        c.FigY[n][k] = *y;
    }
}

} // namespace

void ReadFigureSection(SequentialFile& file, FigureCollection& c)
{
    c.FigureCount = 0;
    readHead(file);
    while (!file.AtEnd()) {
        int line = 0;
        const Record value = readRecord(file, line);
        if (!(value[0] > 0))
            continue;
        if (c.FigureCount == MaxFigures)
            throw TooManyFigures{};
        storeRecord(value, line, ++c.FigureCount, c);
    }
}

std::string FormatRecord(const Record& values)
{
    std::string text;
    for (const double v : values) {
        if (!text.empty())
            text += ',';
        text += std::to_string(static_cast<long long>(std::nearbyint(v)));
    }
    return text + "\r\n";
}

std::string WithoutRecord(SequentialFile& file, int n)
{
    const auto [header, title] = readHead(file);
    // A title that holds a comma or a line break keeps its quotes, or it would read as more items.
    const bool quote = title.find_first_of(",\r\n") != std::string::npos;
    std::string text = header + (quote ? "\"" + title + "\"" : title) + "\r\n";
    // Every figure kept is checked as the loader will read it, so the shorter file loads.
    FigureCollection check;
    int counted = 0;
    while (!file.AtEnd()) {
        int line = 0;
        Record value = readRecord(file, line);
        for (const double v : value)
            if (!(std::abs(v) < 1e9))
                throw ReadError{line, "a value of the record is too large"};
        if (value[0] > 0) {
            if (++counted == n)
                continue;
            value[0] = counted < n ? counted : counted - 1;
            if (value[0] > MaxFigures)
                throw TooManyFigures{};
            storeRecord(value, line, static_cast<int>(value[0]), check);
        }
        text += FormatRecord(value);
    }
    if (counted < n)
        throw ReadError{file.Line(), "the file holds no figure " + std::to_string(n)};
    return text;
}

std::int32_t Game::FileExists(const std::string& name) const { return FileLength(FullPath(name)); }

Game::FigureLoad Game::ReadFigures(const std::string& path) const
{
    FigureLoad load;
    auto file = SequentialFile::Open(path);
    if (!file) {
        load.problem = "The file cannot be opened.";
        return load;
    }
    // Read into a scratch collection so that a damaged file leaves the one in use intact.
    auto figures = std::make_unique<FigureCollection>();
    try {
        ReadFigureSection(*file, *figures);
        load.figures = std::move(figures);
    } catch (const ReadError& error) {
        load.problem = ReadProblem(error);
    } catch (const TooManyFigures&) {
        load.tooMany = true;
        load.problem = "It holds more than " + std::to_string(MaxFigures) + " figures.";
    }
    return load;
}

Game::LoadResult Game::LoadFigures()
{
    const FigureLoad load = ReadFigures(FullPath(ShapesFile));
    if (load.tooMany) {
        host_.dialogs.MsgBox("Cannot handle more than 500 Kalido", MsgButtons::Ok, AppTitle);
        host_.process.End();
        return LoadResult::Ended;
    }
    if (!load.figures) {
        ShowFileProblem(load.problem);
        return LoadResult::Failed;
    }
    static_cast<FigureCollection&>(*this) = *load.figures;
    return LoadResult::Loaded;
}

std::optional<SequentialFile> Game::ReadShapesFile()
{
    auto file = SequentialFile::Open(FullPath(ShapesFile));
    if (!file)
        ShowFileProblem("The file cannot be opened.");
    return file;
}

std::string Game::ReadProblem(const ReadError& error)
{
    return "Line " + std::to_string(error.line) + ": " + error.what + ".";
}

void Game::ShowFileProblem(const std::string& problem)
{
    host_.dialogs.MsgBox("Kalido shapes file cannot be used:" + CrLf + FullPath(ShapesFile) + CrLf + problem,
                         MsgButtons::Ok, AppTitle);
}

} // namespace kalido
