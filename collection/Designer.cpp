// The figure designer: checks the arrangement on the board and appends it to the shapes file as a
// new figure.
#include "board/Game.h"

#include <algorithm>

namespace kalido {

namespace {

constexpr int LargestBox = 320;  // pixels, either way
constexpr int ProbeDistance = 3; // how far from a corner the touch test looks
constexpr int SparsePercent = 20;
constexpr int MostReachPasses = 12;

bool holds(const std::vector<int>& list, int n) { return std::find(list.begin(), list.end(), n) != list.end(); }

// The figure of the collection that the pieces make as they lie, wherever on the board, with either
// piece of a twin pair in either place; 0 when there is none.
int figureOnBoard(const Game& g)
{
    for (int n = 1; n <= g.FigureCount; ++n) {
        const int dx = g.PieceX[3] - g.FigX[n][3], dy = g.PieceY[3] - g.FigY[n][3]; // the square has no twin
        auto at = [&](int piece, int place) {
            return g.PieceOrient[piece] == g.FigOrient[n][place] && g.PieceX[piece] - g.FigX[n][place] == dx &&
                   g.PieceY[piece] - g.FigY[n][place] == dy;
        };
        bool same = at(3, 3) && at(5, 5) && at(6, 6);
        for (auto [a, b] : {std::pair{0, 1}, std::pair{2, 4}})
            same = same && ((at(a, a) && at(b, b)) || (at(a, b) && at(b, a)));
        if (same)
            return n;
    }
    return 0;
}

} // namespace

void Game::AppendFigure()
{
    auto abandon = [this] {
        Picture1.Cls();
        DrawBoard();
    };
    // A full collection takes no more: the file stays loadable.
    if (FigureCount >= MaxFigures) {
        host_.dialogs.MsgBox("The collection already holds " + std::to_string(MaxFigures) +
                                 " figures; no more can be added.",
                             MsgStyle(MsgButtons::Ok, MsgIcon::Exclamation), AppTitle);
        return;
    }

    BoxLeft = BoxTop = 9999;
    BoxRight = BoxBottom = -1;
    for (int i = 0; i < PieceCount; ++i) {
        BuildPiecePoly(i, PiecePoly);
        for (int m = 0; m <= 4; ++m) {
            BoxLeft = std::min(BoxLeft, PiecePoly[m].x);
            BoxRight = std::max(BoxRight, PiecePoly[m].x);
            BoxTop = std::min(BoxTop, PiecePoly[m].y);
            BoxBottom = std::max(BoxBottom, PiecePoly[m].y);
        }
    }
    if (BoxRight - BoxLeft > LargestBox || BoxBottom - BoxTop > LargestBox) {
        host_.dialogs.MsgBox("Kalido is too wide or too tall", MsgButtons::Ok, AppTitle);
        abandon();
        return;
    }

    const MsgStyle question(MsgButtons::OkCancel, MsgIcon::Information);
    const std::int16_t isolated = FindIsolation();
    if (isolated >= 0) {
        // The lonely piece shows in its own colour while the question is open.
        const std::int16_t level = Difficulty;
        Difficulty = VeryEasyLevel;
        DrawPiece(isolated);
        const MsgAnswer answer =
            host_.dialogs.MsgBox("A block appears isolated !" + CrLf + "Proceed anyway ?", question, QuestionTitle);
        Difficulty = level;
        if (answer == MsgAnswer::Cancel)
            return abandon();
    } else if (isolated == -99 &&
               host_.dialogs.MsgBox("A cluster of blocks appear isolated !" + CrLf + "Proceed anyway ?", question,
                                    QuestionTitle) == MsgAnswer::Cancel) {
        return abandon();
    }

    // Paint the pieces as one silhouette inside a yellow box, measure how much of the box they
    // cover, and leave the picture on show while the questions are open.
    for (int i = 0; i < PieceCount; ++i) {
        BuildPiecePoly(i, PiecePoly);
        SetPieceBrush(i);
        Picture1.ForeColor = FigureColor;
        Picture1.FillStyle = Fill::Solid;
        Picture1.Polygon(PiecePoly.data(), 4);
    }
    Picture1.Box(BoxLeft, BoxTop, BoxRight, BoxBottom, QBColor(14), false);
    Picture1.Refresh();
    if (CoveragePercent(BoxLeft, BoxTop, BoxRight, BoxBottom) < SparsePercent &&
        host_.dialogs.MsgBox("Kalido appears sparse; may be too easy to solve !" + CrLf + "Append anyway ?", question,
                             QuestionTitle) == MsgAnswer::Cancel)
        return abandon();
    if (const int n = figureOnBoard(*this);
        n > 0 && host_.dialogs.MsgBox("This Kalido is already in the file as number" + Str(n) + ".", question,
                                      QuestionTitle) == MsgAnswer::Cancel)
        return abandon();
    if (host_.dialogs.MsgBox("Append this Kalido to file:" + CrLf + ShapesFile + " ?", question, QuestionTitle) ==
        MsgAnswer::Cancel)
        return abandon();

    // The record goes after the file's last line, which must end first; the longer file is
    // written in full before it takes the old one's place.
    auto content = ReadWholeFile(FullPath(ShapesFile));
    if (!content) {
        ReportNotDone("Kalido not appended", FullPath(ShapesFile), "The file cannot be read.");
        return abandon();
    }
    std::array<double, RecordValues> record{};
    record[0] = FigureCount + 1;
    record[1] = BoxLeft;
    record[2] = BoxTop;
    for (int k = 0; k < PieceCount; ++k) {
        record[3 + 3 * k] = PieceOrient[k];
        record[4 + 3 * k] = OriginX + PieceX[k];
        record[5 + 3 * k] = OriginY + PieceY[k];
    }
    if (!content->empty() && content->back() != '\n' && content->back() != '\r')
        *content += "\r\n";
    if (const std::string why = host_.files.Replace(FullPath(ShapesFile), *content + FormatRecord(record));
        !why.empty()) {
        ReportNotDone("Kalido not appended", FullPath(ShapesFile), why);
        return abandon();
    }
    LoadFigures();
    CurrentFigure = FigureCount;
    ShowFigure();
    abandon(); // the board without the designer's drawing
}

std::int16_t Game::FindIsolation()
{
    for (int i = 0; i < PieceCount; ++i)
        TouchList[i] = TouchingPieces(i);
    // Touching goes both ways, whichever piece's corner saw the other.
    for (int i = 0; i < PieceCount; ++i)
        for (int j = 0; j < PieceCount; ++j)
            if (j != i && holds(TouchList[j], i) && !holds(TouchList[i], j))
                TouchList[i].push_back(j);
    for (int i = 0; i < PieceCount; ++i)
        if (TouchList[i].empty())
            return static_cast<std::int16_t>(i);

    std::vector<int> reach = TouchList[0];
    for (int pass = 0; pass < MostReachPasses; ++pass) {
        std::vector<int> wider = ExpandReach(reach);
        if (wider.size() == reach.size())
            break;
        reach = std::move(wider);
    }
    return reach.size() < PieceCount ? -99 : -1;
}

std::vector<int> Game::TouchingPieces(int i) const
{
    const auto outline = PieceOutline(i, PieceOrient[i], OriginX + PieceX[i], OriginY + PieceY[i]);
    std::vector<int> touching;
    for (int m = 0; m < 4; ++m) {
        const auto [x, y] = outline[m];
        const int d = ProbeDistance;
        for (auto [px, py] : {std::pair{x + d, y - d},
                              {x + d, y + d},
                              {x - d, y - d},
                              {x - d, y + d},
                              {x + d, y},
                              {x - d, y},
                              {x, y + d},
                              {x, y - d}}) {
            const Colour c = HitImage.Point(px, py);
            if (c == BoardBackColor || c == PieceColor[i])
                continue;
            const auto j = std::find(PieceColor.begin(), PieceColor.end(), c);
            if (j != PieceColor.end() && !holds(touching, static_cast<int>(j - PieceColor.begin())))
                touching.push_back(static_cast<int>(j - PieceColor.begin()));
        }
    }
    return touching;
}

std::vector<int> Game::ExpandReach(const std::vector<int>& reach) const
{
    std::vector<int> wider = reach;
    for (int n : reach)
        for (int m : TouchList[n])
            if (!holds(wider, m))
                wider.push_back(m);
    return wider;
}

int Game::CoveragePercent(int left, int top, int right, int bottom) const
{
    long covered = 0, empty = 0;
    for (int x = left; x <= right; ++x)
        for (int y = top; y <= bottom; ++y)
            (Picture1.Point(x, y) == BoardBackColor ? empty : covered) += 1;
    return static_cast<int>(100 * covered / (covered + empty + 1));
}

} // namespace kalido
