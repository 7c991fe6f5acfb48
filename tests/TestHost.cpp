// Doubles and fixtures shared by the tests.
#include "TestHost.h"

#include <algorithm>
#include <fstream>

namespace kalido::test {

namespace {

// The next scripted answer, or the fallback once the script has run out.
template <typename T> T next(std::deque<T>& script, T fallback)
{
    if (script.empty())
        return fallback;
    T value = script.front();
    script.pop_front();
    return value;
}

} // namespace

MsgAnswer ScriptedDialogs::MsgBox(const std::string& text, MsgStyle style, const std::string& title)
{
    shown.push_back({text, style, title});
    if (whileOpen)
        whileOpen();
    return next(answers, MsgAnswer::Ok);
}

std::string ScriptedDialogs::ShowFileDialog(FileDialogMode mode, const std::string& /*filter*/,
                                            const std::string& initialName)
{
    fileDialogs.push_back(mode);
    return next(picks, initialName);
}

double ScriptedChance::Rnd() { return next(draws, 0.0); }

std::string BundledShapes() { return ReadWholeFile(std::string(KALIDO_DATA_DIR) + "/KALIDO.kal").value_or(""); }

std::string ShapesWithRecords(const std::vector<std::string>& records)
{
    const std::string all = BundledShapes();
    std::size_t pos = 0;
    for (int line = 0; line < 65; ++line)
        pos = all.find("\r\n", pos) + 2;
    std::string text = all.substr(0, pos);
    for (const auto& record : records)
        text += record + "\r\n";
    return text;
}

std::string ThreeFigures()
{
    return ShapesWithRecords({"1,60,60,5,60,60,3,60,60,7,128,94,1,94,128,1,60,162,7,128,128,7,162,60",
                              "2,60,60,2,60,60,0,156,60,6,60,108,0,60,156,0,60,204,6,108,108,6,60,60",
                              "3,60,60,7,60,128,3,128,128,3,196,60,1,196,94,5,162,162,7,128,60,5,128,128"});
}

std::string RecordOf(const Game& game, int n)
{
    const int minX = *std::min_element(game.PieceX.begin(), game.PieceX.end());
    const int minY = *std::min_element(game.PieceY.begin(), game.PieceY.end());
    std::string text =
        std::to_string(n) + "," + std::to_string(game.OriginX + minX) + "," + std::to_string(game.OriginY + minY);
    for (int k = 0; k < 7; ++k)
        text += "," + std::to_string(game.PieceOrient[k]) + "," + std::to_string(game.OriginX + game.PieceX[k]) + "," +
                std::to_string(game.OriginY + game.PieceY[k]);
    return text;
}

GameFixture::GameFixture(const std::string& shapes)
{
    fake.process.directory = dir.path().toStdString();
    WriteShapes(shapes);
    game = std::make_unique<Game>(fake.host);
}

void GameFixture::WriteShapes(const std::string& content, const std::string& name)
{
    std::ofstream out(Path(name), std::ios::binary);
    out << content;
}

std::string GameFixture::Path(const std::string& name) const
{
    return dir.filePath(QString::fromStdString(name)).toStdString();
}

int CountColour(const Surface& surface, Colour c)
{
    int n = 0;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x)
            n += surface.Point(x, y) == c;
    return n;
}

std::pair<float, float> InsidePiece(const Game& game, int i)
{
    const auto& v = game.ShapeVerts[i][game.PieceOrient[i]];
    const float x = static_cast<float>(game.OriginX + game.PieceX[i]) + static_cast<float>(v[1] + v[3] + v[5]) / 3.0f;
    const float y = static_cast<float>(game.OriginY + game.PieceY[i]) + static_cast<float>(v[2] + v[4] + v[6]) / 3.0f;
    return {std::floor(x), std::floor(y)};
}

std::pair<float, float> VisiblePoint(const Game& game, int i)
{
    const auto [cx, cy] = InsidePiece(game, i);
    // Search outward from the centre for the piece's own key colour.
    for (int r = 0; r < 60; ++r)
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                const int x = static_cast<int>(cx) + dx, y = static_cast<int>(cy) + dy;
                if (game.HitImage.Point(x, y) == game.PieceColor[i] &&
                    game.HitImage.Point(x + 1, y) == game.PieceColor[i])
                    return {static_cast<float>(x), static_cast<float>(y)};
            }
    return {-1, -1};
}

void DragBy(Game& game, int i, int dx, int dy)
{
    const auto [x, y] = VisiblePoint(game, i);
    game.Picture1_MouseDown(LeftButton, 0, x, y);
    game.Picture1_MouseMove(LeftButton, 0, x + 1, y);
    game.Picture1_MouseMove(LeftButton, 0, x + 1 + static_cast<float>(dx), y + static_cast<float>(dy));
    game.Picture1_MouseUp(LeftButton, 0, x + 1 + static_cast<float>(dx), y + static_cast<float>(dy));
}

void PlaceAsFigure(Game& game, int n, int x, int y)
{
    for (int i = 0; i < 7; ++i) {
        game.PieceOrient[i] = game.FigOrient[n][i];
        game.PieceX[i] = x + game.FigX[n][i];
        game.PieceY[i] = y + game.FigY[n][i];
    }
}

} // namespace kalido::test
