// The judge: the stored arrangement first, then a search for any other tiling of the silhouette.
#include "play/Judge.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kalido {

namespace {

struct Point {
    int x = 0, y = 0;
};

// The range of positions the figure's corner may take: each piece's tolerance narrows it.
struct Window {
    int x0, x1, y0, y1;
    bool Empty() const { return x0 > x1 || y0 > y1; }
    Window Within(int x, int y, int tolerance) const
    {
        return {std::max(x0, x - tolerance), std::min(x1, x + tolerance), std::max(y0, y - tolerance),
                std::min(y1, y + tolerance)};
    }
};

// The distinct corners of piece i in orientation o, as offsets from its reference point (a
// triangle's outline repeats a corner).
struct Corners {
    std::array<Point, 4> at{};
    int count = 0;
};

Corners CornersOf(const PieceModel& shapes, int i, int o)
{
    Corners c;
    const auto& v = shapes.ShapeVerts[i][o];
    for (int k = 0; k < 4; ++k) {
        const Point p{v[2 * k + 1], v[2 * k + 2]};
        if (std::none_of(c.at.begin(), c.at.begin() + c.count, [&](Point q) { return q.x == p.x && q.y == p.y; }))
            c.at[c.count++] = p;
    }
    return c;
}

// The pixels a convex outline fills, row by row from `top`: those whose centre lies inside, each
// row a half-open run, so that two outlines that share an edge neither overlap nor leave a gap.
struct Runs {
    int top = 0;
    std::vector<std::pair<int, int>> rows;
};

Runs RunsOf(const Corners& c)
{
    Runs r;
    if (c.count < 3)
        return r;
    int minY = c.at[0].y, maxY = c.at[0].y;
    for (int k = 1; k < c.count; ++k) {
        minY = std::min(minY, c.at[k].y);
        maxY = std::max(maxY, c.at[k].y);
    }
    r.top = minY;
    r.rows.reserve(static_cast<std::size_t>(maxY - minY));
    for (int y = minY; y < maxY; ++y) {
        const double yc = y + 0.5;
        double lo = 1e9, hi = -1e9;
        for (int k = 0; k < c.count; ++k) {
            const Point a = c.at[k], b = c.at[(k + 1) % c.count];
            if ((a.y <= yc) != (b.y <= yc)) {
                const double x = a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y);
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        }
        const int from = static_cast<int>(std::ceil(lo - 0.5)), to = static_cast<int>(std::ceil(hi - 0.5));
        r.rows.emplace_back(from, std::max(from, to));
    }
    return r;
}

// What stays of a piece when a pixel counts only with its eight neighbours: the part that must
// lie inside the silhouette and clear of other pieces. Its rim of one pixel is what rounding may
// move.
Runs Eroded(const Runs& r)
{
    Runs e;
    e.rows.reserve(r.rows.size());
    e.top = r.top + 1;
    for (std::size_t k = 1; k + 1 < r.rows.size(); ++k) {
        const int from = std::max({r.rows[k - 1].first, r.rows[k].first, r.rows[k + 1].first}) + 1;
        const int to = std::min({r.rows[k - 1].second, r.rows[k].second, r.rows[k + 1].second}) - 1;
        e.rows.emplace_back(from, std::max(from, to));
    }
    return e;
}

// A bitmap over the figure's box, one bit a pixel, in whole 64-bit words per row.
class Grid {
public:
    Grid() = default;
    Grid(int left, int top, int width, int height)
        : left_(left),
          top_(top),
          height_(height),
          words_((width + 63) / 64),
          bits_(static_cast<std::size_t>(words_ * height), 0)
    {
    }

    void Fill(const Runs& r, int x, int y)
    {
        for (std::size_t k = 0; k < r.rows.size(); ++k)
            Each(r.rows[k], x, y + r.top + static_cast<int>(k), [](std::uint64_t& w, std::uint64_t m) { w |= m; });
    }

    // Every pixel of the runs at (x, y) set here and clear in `other`; false when one lies off the grid.
    bool Holds(const Runs& r, int x, int y, const Grid& other) const
    {
        for (std::size_t k = 0; k < r.rows.size(); ++k) {
            const int row = y + r.top + static_cast<int>(k) - top_;
            const int from = r.rows[k].first + x - left_, to = r.rows[k].second + x - left_;
            if (from == to)
                continue;
            if (row < 0 || row >= height_ || from < 0 || to > words_ * 64)
                return false;
            for (int w = from / 64; w <= (to - 1) / 64; ++w) {
                const std::uint64_t m = Mask(w, from, to);
                const std::size_t at = static_cast<std::size_t>(row * words_ + w);
                if ((bits_[at] & m) != m || (other.bits_[at] & m) != 0)
                    return false;
            }
        }
        return true;
    }

    // The first pixel (topmost, then leftmost) of this minus `taken` that has all eight neighbours
    // in it too; false when there is none, that is when only slivers of rounding are left.
    bool FirstSolid(const Grid& taken, Point& at, std::array<std::vector<std::uint64_t>, 3>& rows) const
    {
        auto row = [&](int r, std::vector<std::uint64_t>& out) {
            // The pixels of row r whose left and right neighbours are free too.
            for (int w = 0; w < words_; ++w) {
                auto freeAt = [&](int k) {
                    if (r < 0 || r >= height_ || k < 0 || k >= words_)
                        return std::uint64_t{0};
                    const std::size_t i = static_cast<std::size_t>(r * words_ + k);
                    return bits_[i] & ~taken.bits_[i];
                };
                const std::uint64_t here = freeAt(w);
                const std::uint64_t left = (here << 1) | (freeAt(w - 1) >> 63);
                const std::uint64_t right = (here >> 1) | (freeAt(w + 1) << 63);
                out[static_cast<std::size_t>(w)] = here & left & right;
            }
        };
        for (auto& r : rows)
            r.resize(static_cast<std::size_t>(words_));
        auto &above = rows[0], &here = rows[1], &below = rows[2];
        row(-1, above);
        row(0, here);
        for (int r = 0; r < height_; ++r) {
            row(r + 1, below);
            for (int w = 0; w < words_; ++w) {
                const std::uint64_t solid = above[static_cast<std::size_t>(w)] & here[static_cast<std::size_t>(w)] &
                                            below[static_cast<std::size_t>(w)];
                if (solid) {
                    at = {left_ + w * 64 + std::countr_zero(solid), top_ + r};
                    return true;
                }
            }
            std::swap(above, here);
            std::swap(here, below);
        }
        return false;
    }

private:
    static std::uint64_t Mask(int w, int from, int to)
    {
        const int a = std::max(from - w * 64, 0), b = std::min(to - w * 64, 64);
        const std::uint64_t high = b == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << b) - 1;
        return high & ~((std::uint64_t{1} << a) - 1);
    }

    template <typename Op> void Each(std::pair<int, int> run, int x, int y, Op op)
    {
        const int row = y - top_;
        const int from = std::max(run.first + x - left_, 0), to = std::min(run.second + x - left_, words_ * 64);
        if (row < 0 || row >= height_ || from >= to)
            return;
        for (int w = from / 64; w <= (to - 1) / 64; ++w)
            op(bits_[static_cast<std::size_t>(row * words_ + w)], Mask(w, from, to));
    }

    int left_ = 0, top_ = 0, height_ = 0, words_ = 0;
    std::vector<std::uint64_t> bits_;
};

// How far a corner that a piece may take lies from the first free pixel: the pixel sits inside the
// free part, a little off its true corner where the corner is sharp or rounding left a sliver.
constexpr int CornerReach = 8;
// How far the silhouette's box may reach past the box of the pieces in their exact places.
constexpr int RoundingSlack = 2;
constexpr int LargestFigure = 2048; // pixels: past this only the stored arrangement is tried

// Covers the silhouette piece by piece. The free pixel that comes first (topmost, then leftmost)
// lies near a corner of what is left, a corner of the silhouette or of a piece placed before; any
// piece that covers the silhouette there has one of its own corners on it. Each piece keeps its
// orientation and takes only places within the tolerance of where it lies, with the figure at one
// place for all seven.
class Search {
public:
    Search(const PieceModel& shapes, const PerPiece<Placing>& figure, const PerPiece<Placing>& pieces, int tolerance)
        : pieces_(pieces),
          tolerance_(tolerance)
    {
        int minX = 1 << 20, minY = 1 << 20, maxX = -(1 << 20), maxY = -(1 << 20);
        PerPiece<Runs> figureRuns;
        for (int i = 0; i < PieceCount; ++i) {
            const Corners c = CornersOf(shapes, i, figure[i].orient);
            for (int k = 0; k < c.count; ++k) {
                const Point p{figure[i].x + c.at[k].x, figure[i].y + c.at[k].y};
                corners_.push_back(p);
                minX = std::min(minX, p.x);
                maxX = std::max(maxX, p.x);
                minY = std::min(minY, p.y);
                maxY = std::max(maxY, p.y);
            }
            figureRuns[i] = RunsOf(c);
            own_[i] = CornersOf(shapes, i, pieces[i].orient);
            runs_[i] = pieces[i].orient == figure[i].orient ? figureRuns[i] : RunsOf(own_[i]);
            core_[i] = Eroded(runs_[i]);
        }
        if (maxX - minX > LargestFigure || maxY - minY > LargestFigure)
            return;
        constexpr int margin = 4;
        silhouette_ = Grid(minX - margin, minY - margin, maxX - minX + 2 * margin, maxY - minY + 2 * margin);
        for (int i = 0; i < PieceCount; ++i)
            silhouette_.Fill(figureRuns[i], figure[i].x, figure[i].y);
        taken_.assign(PieceCount + 1,
                      Grid(minX - margin, minY - margin, maxX - minX + 2 * margin, maxY - minY + 2 * margin));

        // The pieces' own box lies within the tolerance of the silhouette's, wherever that is.
        int boxX = 1 << 20, boxY = 1 << 20;
        for (int i = 0; i < PieceCount; ++i)
            for (int k = 0; k < own_[i].count; ++k) {
                boxX = std::min(boxX, pieces[i].x + own_[i].at[k].x);
                boxY = std::min(boxY, pieces[i].y + own_[i].at[k].y);
            }
        const int reach = tolerance + RoundingSlack;
        start_ = {boxX - minX - reach, boxX - minX + reach, boxY - minY - reach, boxY - minY + reach};
        ready_ = true;
    }

    bool Run() { return ready_ && Cover(0, 0, start_); }

private:
    bool Cover(int depth, unsigned used, Window window)
    {
        Point first;
        if (!silhouette_.FirstSolid(taken_[static_cast<std::size_t>(depth)], first, rows_)) {
            return depth == PieceCount;
        }
        if (depth == PieceCount)
            return false;
        std::vector<Point> tried;
        const std::size_t known = corners_.size();
        for (std::size_t k = 0; k < known; ++k) {
            const Point c = corners_[k];
            if (std::abs(c.x - first.x) > CornerReach || std::abs(c.y - first.y) > CornerReach)
                continue;
            for (int i = 0; i < PieceCount; ++i) {
                if (used & (1u << i))
                    continue;
                for (int v = 0; v < own_[i].count; ++v) {
                    const Point at{c.x - own_[i].at[v].x, c.y - own_[i].at[v].y};
                    const Window narrower = window.Within(pieces_[i].x - at.x, pieces_[i].y - at.y, tolerance_);
                    if (narrower.Empty())
                        continue;
                    const Point key{at.x * PieceCount + i, at.y};
                    if (std::any_of(tried.begin(), tried.end(), [&](Point t) { return t.x == key.x && t.y == key.y; }))
                        continue;
                    tried.push_back(key);
                    const Grid& taken = taken_[static_cast<std::size_t>(depth)];
                    if (!silhouette_.Holds(core_[i], at.x, at.y, taken))
                        continue;
                    Grid& next = taken_[static_cast<std::size_t>(depth + 1)];
                    next = taken;
                    next.Fill(runs_[i], at.x, at.y);
                    for (int m = 0; m < own_[i].count; ++m)
                        corners_.push_back({at.x + own_[i].at[m].x, at.y + own_[i].at[m].y});
                    if (Cover(depth + 1, used | (1u << i), narrower))
                        return true;
                    corners_.resize(known);
                }
            }
        }
        return false;
    }

    const PerPiece<Placing>& pieces_;
    int tolerance_;
    bool ready_ = false;
    std::vector<Point> corners_; // of the silhouette's pieces, then of the pieces placed so far
    PerPiece<Corners> own_;
    PerPiece<Runs> runs_, core_;
    Grid silhouette_;
    std::vector<Grid> taken_; // by depth: the pixels the pieces placed so far fill
    std::array<std::vector<std::uint64_t>, 3> rows_;
    Window start_{};
};

} // namespace

bool JudgeArrangement(const PieceModel& shapes, const PerPiece<Placing>& figure, const PerPiece<Placing>& pieces,
                      int tolerance)
{
    // The stored arrangement, either piece of a congruent pair in either of the pair's places.
    constexpr int far = 1 << 20;
    for (int swaps = 0; swaps < 4; ++swaps) {
        PerPiece<int> place{0, 1, 2, 3, 4, 5, 6};
        if (swaps & 1)
            std::swap(place[0], place[1]);
        if (swaps & 2)
            std::swap(place[2], place[4]);
        Window w{-far, far, -far, far};
        for (int i = 0; i < PieceCount && !w.Empty(); ++i) {
            const Placing& f = figure[static_cast<std::size_t>(place[i])];
            if (pieces[i].orient != f.orient)
                w = {1, 0, 1, 0};
            else
                w = w.Within(pieces[i].x - f.x, pieces[i].y - f.y, tolerance);
        }
        if (!w.Empty())
            return true;
    }
    return Search(shapes, figure, pieces, tolerance).Run();
}

} // namespace kalido
