// Loading the figure collection from the shapes file, and the file test.
#include "collection/FigureCollection.h"

#include "board/Game.h"
#include "platform/SequentialFile.h"

#include <memory>

namespace kalido {

void ReadFigureSection(SequentialFile& file, FigureCollection& c)
{
    c.FigureCount = 0;
    for (int line = 1; line <= HeaderLines; ++line)
        file.LineInput();
    file.LineItem(); // line 65: the collection's title, not used; it may be empty

    while (!file.AtEnd()) {
        const int recordLine = file.Line();
        std::array<double, RecordValues> value{};
        try {
            for (double& v : value)
                v = file.Number();
        } catch (const ReadError& error) {
            if (error.endOfFile)
                throw ReadError{recordLine, "the record ends before its " + std::to_string(RecordValues) + " values"};
            throw;
        }
        if (!(value[0] > 0))
            continue;
        if (c.FigureCount == MaxFigures)
            throw TooManyFigures{};
        const int n = ++c.FigureCount;
        for (int k = 0; k < PieceCount; ++k) {
            const auto orient = ToInteger(value[3 + 3 * k]);
            const auto x = ToInteger(value[4 + 3 * k] - value[1]);
            const auto y = ToInteger(value[5 + 3 * k] - value[2]);
            if (!orient || !x || !y)
                throw ReadError{recordLine, "a value of the record does not fit a 16-bit whole number"};
            if (*orient < 0 || *orient >= OrientCount)
                throw ReadError{recordLine, "piece " + std::to_string(k) + " has the orientation " +
                                                std::to_string(*orient) + ", which is not 0 to 7"};
            c.FigOrient[n][k] = *orient;
            c.FigX[n][k] = *x;
            c.FigY[n][k] = *y;
        }
    }
}

std::int32_t Game::FileExists(const std::string& name) const { return FileLength(FullPath(name)); }

Game::LoadResult Game::LoadFigures()
{
    auto file = ReadShapesFile();
    if (!file)
        return LoadResult::Failed;
    // Read into a scratch collection so that a damaged file leaves the one in use intact.
    auto loaded = std::make_unique<FigureCollection>();
    try {
        ReadFigureSection(*file, *loaded);
    } catch (const ReadError& error) {
        ShowReadError(error);
        return LoadResult::Failed;
    } catch (const TooManyFigures&) {
        host_.dialogs.MsgBox("Cannot handle more than 500 Zuzuzaz", MsgButtons::Ok, AppTitle);
        host_.process.End();
        return LoadResult::Ended;
    }
    static_cast<FigureCollection&>(*this) = *loaded;
    return LoadResult::Loaded;
}

std::optional<SequentialFile> Game::ReadShapesFile()
{
    auto file = SequentialFile::Open(FullPath(ShapesFile));
    if (!file)
        ShowFileProblem("The file cannot be opened.");
    return file;
}

void Game::ShowReadError(const ReadError& error)
{
    ShowFileProblem("Line " + std::to_string(error.line) + ": " + error.what + ".");
}

void Game::ShowFileProblem(const std::string& problem)
{
    host_.dialogs.MsgBox("Kalido shapes file cannot be used:" + CrLf + FullPath(ShapesFile) + CrLf + problem,
                         MsgButtons::Ok, AppTitle);
}

} // namespace kalido
