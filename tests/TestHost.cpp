// Doubles and fixtures shared by the tests.
#include "TestHost.h"

#include <fstream>
#include <sstream>

namespace kalido::test {

MsgAnswer ScriptedDialogs::MsgBox(const std::string& text, MsgButtons buttons, const std::string& title)
{
    shown.push_back({text, buttons, title});
    if (whileOpen)
        whileOpen();
    if (answers.empty())
        return MsgAnswer::Ok;
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

double ScriptedChance::Rnd()
{
    if (draws.empty())
        return 0;
    const double r = draws.front();
    draws.pop_front();
    return r;
}

std::string BundledShapes()
{
    std::ifstream in(std::string(KALIDO_DATA_DIR) + "/KALIDO.kal", std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

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

std::string GameFixture::Path(const std::string& name) const { return dir.filePath(QString::fromStdString(name)).toStdString(); }

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

} // namespace kalido::test
