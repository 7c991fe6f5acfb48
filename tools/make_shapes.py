#!/usr/bin/env python3
"""Builds data/KALIDO.kal: the piece geometry, computed exactly, and the bundled figures, read from
the readable figure source in tools/figures/.

    make_shapes.py                 writes data/KALIDO.kal, the catalogue of figures in the help
                                   (data/kalido.html) and the counts in the help and README.md
    make_shapes.py --check         exits 1 when any of them differs from what the source makes
    make_shapes.py lint [FILE...]  the checks on every figure, and a count by category: it fits the
                                   target view; no two pieces overlap; no piece, and no cluster of
                                   pieces, lies more than 2 px from the rest (the exact distance
                                   between the pixel outlines), nor apart as the designer's corner
                                   probes see it; it covers a fifth of its box; its name, its
                                   arrangement (up to a shift, twins swapped) and its silhouette
                                   are its own
    make_shapes.py render [DIR] [--pieces] [FILE...]
                                   pictures of the figures, 30 to a page (needs ImageMagick)
    make_shapes.py render [DIR] --blind[=SEED] [FILE...]
                                   pages for a blind reading: black silhouettes shuffled (seed 1
                                   unless given) and numbered only, with answers.txt for the
                                   reader; the key goes apart, to DIR-key.txt
    make_shapes.py pieces          the corners of every piece in every orientation, in units
    make_shapes.py solve A|B "x,y x,y ..."
                                   tiles an outline with the seven pieces and prints the piece lines
    make_shapes.py tilings         lists every tiling of each figure's silhouette in tests/tilings.txt
                                   (figures already listed there under the same record are kept)

Geometry: lengths are counted in grid units (24 px); a diagonal unit (34 px) stands for sqrt 2
grid units. Every orientation of a piece is the base outline turned by a multiple of 45 degrees
(the parallelogram's codes 4 to 7 are its mirror image turned), written in whichever unit makes
all its vertices whole numbers, and moved so that its smallest x and y offsets are 0.

Figures are written piece by piece in tools/figures (see below); `solve` finds the pieces for a
sketched outline with an exact-cover search, to start a figure from.
"""
from fractions import Fraction as F
import math
import re
import os
import sys

GRID, DIAG = 24, 34
R2 = math.sqrt(2)

# A number a + b*sqrt(2) with rational a, b.
class Q:
    __slots__ = ("a", "b")
    def __init__(self, a, b=0):
        self.a, self.b = F(a), F(b)
    def __add__(self, o): return Q(self.a + o.a, self.b + o.b)
    def __sub__(self, o): return Q(self.a - o.a, self.b - o.b)
    def __neg__(self): return Q(-self.a, -self.b)
    def over_r2(self):  # divide by sqrt 2
        return Q(self.b, self.a / 2)
    def value(self): return float(self.a) + float(self.b) * R2
    def __eq__(self, o): return self.a == o.a and self.b == o.b
    def __hash__(self): return hash((self.a, self.b))
    def __lt__(self, o): return self.value() < o.value()

def rot45(p):
    """Turns a point 45 degrees clockwise on screen (y grows downward)."""
    x, y = p
    return ((x - y).over_r2(), (x + y).over_r2())

def normalise(poly):
    mx = min(p[0] for p in poly)
    my = min(p[1] for p in poly)
    return [(p[0] - mx, p[1] - my) for p in poly]

def g(*pts):
    return [(Q(x), Q(y)) for x, y in pts]

# Base outlines (code 0), corners in drawing order, in grid units.
BASE = {
    "large": g((0, 0), (4, 0), (0, 4)),
    "medium": g((0, 0), (4, 0), (2, 2)),
    "small": g((0, 0), (2, 0), (0, 2)),
    "square": g((0, 0), (2, 0), (2, 2), (0, 2)),
    "para": g((0, 0), (2, 0), (4, 2), (2, 2)),
}
# Piece index -> kind. Pieces 0 and 1 are twins, and so are 2 and 4.
KINDS = ["large", "large", "small", "square", "small", "medium", "para"]
HOME_ORIENT = [0, 2, 1, 0, 0, 0, 0]

def outline(kind, code):
    """Exact corners of a piece kind in orientation code, normalised."""
    pts = BASE[kind]
    if kind == "square":
        turns, mirror = code % 2, False
    elif kind == "para":
        turns, mirror = code % 4, code >= 4
    else:
        turns, mirror = code, False
    if mirror:
        pts = [(-x, y) for x, y in pts]
    for _ in range(turns):
        pts = [rot45(p) for p in pts]
    return normalise(pts)

def in_units(poly):
    """(selector, unit, whole-number corners) for an exact outline."""
    if all(x.b == 0 and y.b == 0 for x, y in poly):
        sel, unit, vals = 1, GRID, [(x.a, y.a) for x, y in poly]
    elif all(x.a == 0 and y.a == 0 for x, y in poly):
        sel, unit, vals = -1, DIAG, [(x.b, y.b) for x, y in poly]
    else:
        raise ValueError("outline mixes units")
    if any(v.denominator != 1 for p in vals for v in p):
        raise ValueError("outline is not whole in its unit")
    return sel, unit, [(int(x), int(y)) for x, y in vals]

def pixel_outline(kind, code):
    sel, unit, pts = in_units(outline(kind, code))
    return [(x * unit, y * unit) for x, y in pts]

def centroid(pts):
    a = cx = cy = 0.0
    n = len(pts)
    for i in range(n):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % n]
        c = x0 * y1 - x1 * y0
        a += c
        cx += (x0 + x1) * c
        cy += (y0 + y1) * c
    return cx / (3 * a), cy / (3 * a)

def fmt(v):
    if isinstance(v, float):
        s = f"{v:.6f}".rstrip("0").rstrip(".")
        return "0" if s in ("-0", "") else s
    return str(v)

def header_lines(homes):
    lines = []
    for (x, y) in homes:
        lines.append(f"{fmt((x - 100) / GRID)},{fmt((y - 100) / GRID)}")
    for piece, kind in enumerate(KINDS):
        last = 1 if kind == "square" else 7
        centres = [centroid(pixel_outline(kind, c)) for c in range(8)]
        rounded = [(round(cx), round(cy)) for cx, cy in centres]
        for code in range(8):
            sel, unit, pts = in_units(outline(kind, code))
            w = max(x for x, _ in pts)
            h = max(y for _, y in pts)
            corners = pts + [pts[-1]] * (4 - len(pts))  # a triangle repeats its last corner
            verts = corners + [corners[0]]               # the fifth point closes the outline
            # A turn into this code comes from the previous one; the shift keeps the centre put.
            prev = (last if code == 0 else code - 1) if code <= last else code - 1
            sx = rounded[prev][0] - rounded[code][0]
            sy = rounded[prev][1] - rounded[code][1]
            angle = 45 * ((code % 2) if kind == "square" else (code % 4 if kind == "para" else code))
            mirror = 1 if kind == "para" and code >= 4 else 0
            values = [f"{kind}{code}", sel, w, h, angle, mirror]
            values += [c for p in verts for c in p]
            # Half a pixel on top keeps the shift whole after the reader's floor.
            values += [fmt((sx + 0.5) / GRID), fmt((sy + 0.5) / GRID)]
            lines.append(",".join(str(v) for v in values))
    lines.append("Kalido pieces: 7 home places, then 8 orientations of each piece; this line is not read")
    assert len(lines) == 64
    return lines

# ---------------------------------------------------------------- the figure source
#
# tools/figures/*.txt, read in name order. A figure is a heading and seven piece lines:
#
#   == Swan | animals
#   large  3  0      2g
#   ...
#
# A piece line gives the kind (large, medium, small, square, para: two large and two small in every
# figure), the orientation code (0 to 7, the square 0 or 1) and the piece's top-left corner (the
# smallest x and y of its outline) as a sum of grid units g (24 pixels) and diagonal units d (34
# pixels, standing for sqrt 2 grid units): 0, 3g, 1d, 2g+1d, 4g-1d. A # starts a comment.

FIGURES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "figures")
SHAPES_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "KALIDO.kal")
TERM = re.compile(r"([+-]?)\s*(\d*)\s*([gd]?)")

class SourceError(Exception):
    pass

def parse_place(text, where):
    """'2g+1d' -> Q(2, 1): a grid units plus b diagonal units."""
    text = text.replace(" ", "")
    if text in ("0", "+0", "-0"):
        return Q(0)
    a = b = 0
    pos = 0
    while pos < len(text):
        m = TERM.match(text, pos)
        if not m or m.end() == pos or not m.group(3):
            raise SourceError(f"{where}: cannot read the place '{text}' (write it as 2g+1d)")
        n = int(m.group(2)) if m.group(2) else 1
        if m.group(1) == "-":
            n = -n
        if m.group(3) == "g":
            a += n
        else:
            b += n
        pos = m.end()
    return Q(a, b)

def place_text(q):
    parts = []
    if q.a:
        parts.append(f"{int(q.a)}g")
    if q.b:
        parts.append(f"{int(q.b):+d}d" if parts else f"{int(q.b)}d")
    return "".join(parts) or "0"

class Figure:
    def __init__(self, name, category, where):
        self.name, self.category, self.where = name, category, where
        self.pieces = []  # (kind, code, Q x, Q y) in the order written

    def by_piece(self):
        """Piece index -> (code, x, y), twins taking the places in the order written."""
        pool = {k: [p for p in self.pieces if p[0] == k] for k in BASE}
        return [pool[kind].pop(0)[1:] for kind in KINDS]

def read_source(paths=None):
    figures = []
    if not paths:
        paths = [os.path.join(FIGURES_DIR, f) for f in sorted(os.listdir(FIGURES_DIR)) if f.endswith(".txt")]
    for path in paths:
        fname = os.path.basename(path)
        with open(path, encoding="utf-8") as f:
            for n, raw in enumerate(f, start=1):
                line = raw.split("#", 1)[0].strip()
                where = f"{fname}:{n}"
                if not line:
                    continue
                if line.startswith("=="):
                    name, sep, category = line[2:].partition("|")
                    if not sep or not name.strip() or not category.strip():
                        raise SourceError(f"{where}: a heading is '== Name | category'")
                    figures.append(Figure(name.strip(), category.strip(), where))
                    continue
                if not figures:
                    raise SourceError(f"{where}: a piece line before the first heading")
                fields = line.split()
                if len(fields) != 4 or fields[0] not in BASE:
                    raise SourceError(f"{where}: a piece line is 'kind code x y'")
                kind, code = fields[0], int(fields[1])
                if not 0 <= code < (2 if kind == "square" else 8):
                    raise SourceError(f"{where}: no orientation {code} for the {kind}")
                figures[-1].pieces.append((kind, code, parse_place(fields[2], where), parse_place(fields[3], where)))
    for fig in figures:
        kinds = sorted(p[0] for p in fig.pieces)
        if kinds != sorted(KINDS):
            raise SourceError(f"{fig.where}: {fig.name} needs the seven pieces, has {', '.join(kinds)}")
    return figures

# ---------------------------------------------------------------- geometry of a laid-out figure

def px(q):
    """A place in pixels, as the game stores it: 24 per grid unit, 34 per diagonal unit."""
    v = q.a * GRID + q.b * DIAG
    assert v.denominator == 1
    return int(v)

def pixel_polys(fig):
    """Each piece's outline in the game's pixels, figure moved to 0,0: [(piece, code, x, y, poly)]."""
    placed = []
    for piece, (code, x, y) in enumerate(fig.by_piece()):
        poly = [(px(x) + ox, px(y) + oy) for ox, oy in pixel_outline(KINDS[piece], code)]
        placed.append((piece, code, px(x), px(y), poly))
    x0 = min(min(p[0] for p in poly) for *_, poly in placed)
    y0 = min(min(p[1] for p in poly) for *_, poly in placed)
    return [(i, c, x - x0, y - y0, [(a - x0, b - y0) for a, b in poly]) for i, c, x, y, poly in placed]

def exact_polys(fig):
    """Each piece's outline in exact grid units, as floats."""
    out = []
    for piece, (code, x, y) in enumerate(fig.by_piece()):
        out.append([((x + ox).value(), (y + oy).value()) for ox, oy in outline(KINDS[piece], code)])
    return out

def area(poly):
    return abs(sum(poly[i][0] * poly[i - 1][1] - poly[i - 1][0] * poly[i][1] for i in range(len(poly)))) / 2

def clip(subject, clipper):
    """Sutherland-Hodgman: the part of a convex polygon inside another (both counter-clockwise or both clockwise)."""
    def side(a, b, p):
        return (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])
    orient = 1 if sum(side(clipper[i - 1], clipper[i], clipper[(i + 1) % len(clipper)]) for i in range(len(clipper))) > 0 else -1
    out = subject
    for i in range(len(clipper)):
        a, b = clipper[i - 1], clipper[i]
        inp, out = out, []
        for j in range(len(inp)):
            p, q = inp[j - 1], inp[j]
            sp, sq = orient * side(a, b, p), orient * side(a, b, q)
            if sq >= 0:
                if sp < 0:
                    t = sp / (sp - sq)
                    out.append((p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1])))
                out.append(q)
            elif sp >= 0:
                t = sp / (sp - sq)
                out.append((p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1])))
        if not out:
            return []
    return out

def distinct(poly):
    out = []
    for p in poly:
        if not out or p != out[-1]:
            out.append(p)
    return out[:-1] if len(out) > 1 and out[0] == out[-1] else out

RIM = 0.75  # pixels: the hit-test image draws each piece's rim in the background colour

def near_edge(poly, x, y):
    for i in range(len(poly)):
        (x0, y0), (x1, y1) = poly[i - 1], poly[i]
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        if math.hypot(x - x0 - t * dx, y - y0 - t * dy) < RIM:
            return True
    return False

def hit_colour(polys, x, y):
    """The piece the hit-test image shows at pixel x, y (None for the background): pieces are
    drawn in index order, each filled and then rimmed with the background colour."""
    cx, cy = x + 0.5, y + 0.5
    shown = None
    for j, poly in enumerate(polys):
        if near_edge(poly, cx, cy):
            shown = None
        elif inside(poly, cx, cy):
            shown = j
    return shown

def touching_pieces(placed):
    """Which pieces each piece touches, as the designer sees it: points 3 pixels around each corner
    that show another piece in the hit-test image."""
    polys = [distinct(poly) for *_, poly in placed]
    touch = [set() for _ in polys]
    for i, poly in enumerate(polys):
        for x, y in poly:
            for dx, dy in ((3, -3), (3, 3), (-3, -3), (-3, 3), (3, 0), (-3, 0), (0, 3), (0, -3)):
                hit = hit_colour(polys, x + dx, y + dy)
                if hit is not None and hit != i:
                    touch[i].add(hit)
                    touch[hit].add(i)
    return touch

def segment_distance(p, a, b):
    """How far point p lies from the segment a-b."""
    dx, dy = b[0] - a[0], b[1] - a[1]
    t = max(0.0, min(1.0, ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / (dx * dx + dy * dy)))
    return math.hypot(p[0] - a[0] - t * dx, p[1] - a[1] - t * dy)

def segments_meet(a, b, c, d):
    def turn(p, q, r):
        v = (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
        return (v > 0) - (v < 0)
    if turn(a, b, c) * turn(a, b, d) > 0 or turn(c, d, a) * turn(c, d, b) > 0:
        return False
    # Collinear segments meet only where their boxes do.
    return (min(a[0], b[0]) <= max(c[0], d[0]) and min(c[0], d[0]) <= max(a[0], b[0]) and
            min(a[1], b[1]) <= max(c[1], d[1]) and min(c[1], d[1]) <= max(a[1], b[1]))

def poly_distance(p, q):
    """The exact distance between two convex polygons: 0 where they touch or overlap."""
    edges_p = [(p[i - 1], p[i]) for i in range(len(p))]
    edges_q = [(q[i - 1], q[i]) for i in range(len(q))]
    if any(segments_meet(a, b, c, d) for a, b in edges_p for c, d in edges_q):
        return 0.0
    if inside(q, *p[0]) or inside(p, *q[0]):
        return 0.0
    return min(min(segment_distance(v, a, b) for v in p for a, b in edges_q),
               min(segment_distance(v, a, b) for v in q for a, b in edges_p))

GAP = 2  # pixels: a wider gap between pieces shows in the target view

def gaps(placed):
    """What stands apart in a figure: a piece more than GAP pixels from every other piece, or a
    cluster of pieces that far from the rest, each with its distance in pixels."""
    polys = [distinct(poly) for *_, poly in placed]
    n = len(polys)
    dist = [[poly_distance(polys[i], polys[j]) if i != j else math.inf for j in range(n)] for i in range(n)]
    out = []
    for i in range(n):
        if min(dist[i]) > GAP:
            out.append(f"the {KINDS[i]} lies {min(dist[i]):.1f} px from every other piece")
    if out:
        return out
    reach, todo = {0}, [0]
    while todo:
        i = todo.pop()
        for j in range(n):
            if j not in reach and dist[i][j] <= GAP:
                reach.add(j)
                todo.append(j)
    if len(reach) < n:
        apart = min(dist[i][j] for i in reach for j in range(n) if j not in reach)
        out.append(f"the {', '.join(KINDS[j] for j in range(n) if j not in reach)} "
                   f"stand {apart:.1f} px from the rest")
    return out

def problems(fig):
    """What keeps a figure out of the collection; an empty list when it passes."""
    out = []
    placed = pixel_polys(fig)
    w = max(max(p[0] for p in poly) for *_, poly in placed)
    h = max(max(p[1] for p in poly) for *_, poly in placed)
    # The target view shows a figure whole up to 228 x 226 pixels (it leaves a margin of 5 by 14).
    if w > 228 or h > 226:
        out.append(f"{w} x {h} pixels does not fit the target view (228 x 226)")
    exact = [distinct(p) for p in exact_polys(fig)]
    for i in range(len(exact)):
        for j in range(i + 1, len(exact)):
            common = clip(exact[i], exact[j])
            if len(common) >= 3 and area(common) * GRID * GRID > 2:
                out.append(f"pieces {KINDS[i]} and {KINDS[j]} overlap by {area(common) * GRID * GRID:.0f} px2")
    out += gaps(placed)
    touch = touching_pieces(placed)
    if any(not t for t in touch):
        out.append("a piece stands alone: " + ", ".join(KINDS[i] for i, t in enumerate(touch) if not t))
    else:
        reach, todo = {0}, [0]
        while todo:
            for j in touch[todo.pop()]:
                if j not in reach:
                    reach.add(j)
                    todo.append(j)
        if len(reach) < 7:
            out.append("a cluster of pieces stands apart from the rest")
    covered = sum(area(distinct(poly)) for *_, poly in placed)
    if 100 * covered / ((w + 1) * (h + 1)) < 20:
        out.append("too sparse: the pieces cover less than a fifth of their box")
    return out

def fingerprint(fig):
    """The same for figures that differ only by a shift or by twins trading places."""
    placed = pixel_polys(fig)
    return tuple(sorted((KINDS[i], c, x, y) for i, c, x, y, _ in placed))

def silhouette(fig):
    """The outline of the figure as a whole, the same for every tiling of one shape: the pieces'
    edges, each counter-clockwise, summed along each line so that an edge two pieces share
    cancels. Every edge runs across, down or at 45 degrees, so the lines and ends are whole pixels."""
    runs = {}
    for *_, poly in pixel_polys(fig):
        poly = distinct(poly)
        if sum(poly[i - 1][0] * poly[i][1] - poly[i][0] * poly[i - 1][1] for i in range(len(poly))) < 0:
            poly = poly[::-1]
        for (x0, y0), (x1, y1) in zip(poly, poly[1:] + poly[:1]):
            dx, dy = (x1 > x0) - (x1 < x0), (y1 > y0) - (y1 < y0)
            sign = 1 if dx > 0 or (dx == 0 and dy > 0) else -1
            dx, dy = dx * sign, dy * sign
            line = (dx, dy, x0 * dy - y0 * dx)  # direction and offset
            t0, t1 = sorted((x0, x1) if dx else (y0, y1))
            ev = runs.setdefault(line, {})
            ev[t0] = ev.get(t0, 0) + sign
            ev[t1] = ev.get(t1, 0) - sign
    out = []
    for line, ev in runs.items():
        level, start = 0, None
        for t in sorted(ev):
            before, level = level, level + ev[t]
            if before != level:
                if before:
                    out.append((line, start, t, before))
                start = t
    return tuple(sorted(out))

def figure_record(n, fig):
    values = [n, 60, 60]  # the figure's corner, as if built 50 pixels into the board
    for _, code, x, y, _ in pixel_polys(fig):
        values += [code, 60 + x, 60 + y]
    return ",".join(str(v) for v in values)

def shapes_file_text(figures):
    homes = [(28, 28), (136, 28), (256, 100), (256, 28), (268, 316), (28, 316), (148, 316)]
    lines = header_lines(homes)
    lines.append('"Kalido figures"')
    lines += [figure_record(n, fig) for n, fig in enumerate(figures, start=1)]
    return "".join(line + "\r\n" for line in lines)

# ---------------------------------------------------------------- gallery order
#
# The gallery goes from simple to complex: by category in the order below, and within a category
# the fuller silhouettes first. Fullness is the silhouette's area over the area of its convex
# hull: 1 for a convex shape, less for every notch, hole and limb sticking out; ties go to the
# outline with fewer sides, then to the name. The order of the figures in the source files does
# not matter.

CATEGORIES = ["convex", "letters", "digits", "signs", "buildings", "objects", "boats", "vehicles",
              "animals", "people"]

def hull_area(points):
    pts = sorted(set(points))
    def half(seq):
        out = []
        for p in seq:
            while len(out) >= 2 and ((out[-1][0] - out[-2][0]) * (p[1] - out[-2][1]) -
                                     (out[-1][1] - out[-2][1]) * (p[0] - out[-2][0])) <= 0:
                out.pop()
            out.append(p)
        return out[:-1]
    return area(half(pts) + half(pts[::-1]))

def fullness(fig):
    placed = pixel_polys(fig)
    return (sum(area(distinct(poly)) for *_, poly in placed) /
            hull_area([p for *_, poly in placed for p in poly]))

def gallery_order(figures):
    for fig in figures:
        if fig.category not in CATEGORIES:
            raise SourceError(f"{fig.where}: no category '{fig.category}' (there are {', '.join(CATEGORIES)})")
    # Letters and digits keep the order a player looks them up in: the plain alphabet first, then
    # each style ("Block A", "Small a") as an alphabet of its own.
    def key(f):
        if f.category in ("letters", "digits"):
            style, _, character = f.name.rpartition(" ")
            return (CATEGORIES.index(f.category), style != "", style, character)
        return (CATEGORIES.index(f.category), -round(fullness(f), 3), len(silhouette(f)), f.name)
    return sorted(figures, key=key)

# ---------------------------------------------------------------- the help's catalogue

HELP_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "kalido.html")
CATALOGUE_START = "<!-- The figure catalogue: tools/make_shapes.py writes everything down to its end mark. -->"
CATALOGUE_END = "<!-- The end of the figure catalogue. -->"
COUNT = re.compile(r"(The collection that comes with the game holds )\d+( figures)")
CAPTION = re.compile(r"(<i>Kalido \(12 of )\d+(\)</i>)")  # the help's example of the target's caption
TITLES = {"convex": "Convex shapes", "letters": "Letters", "digits": "Digits", "signs": "Signs and symbols",
          "buildings": "Buildings", "objects": "Objects", "boats": "Boats", "vehicles": "Vehicles",
          "animals": "Animals", "people": "People"}

def catalogue_html(figures, cols=4):
    """Every figure by number and name, a table for each category."""
    def esc(t):
        return t.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    out = [CATALOGUE_START, '<h2><a name="catalogue"></a>The figures, by number</h2>',
           f"<p>The collection that comes with the game, {len(figures)} figures in the order of the "
           "gallery: each category goes from the fuller, simpler silhouettes to the ones with more "
           "notches and limbs; letters and digits go in the order of the alphabet, each style after the "
           "plain one.</p>"]
    n = 1
    for cat in CATEGORIES:
        group = [f for f in figures if f.category == cat]
        if not group:
            continue
        out.append(f"<h3>{TITLES[cat]}: figures {n} to {n + len(group) - 1}</h3>")
        out.append('<table cellpadding="2" cellspacing="0">')
        for row in range(0, len(group), cols):
            cells = "".join(f'<td align="right">{n + row + k}</td><td>{esc(f.name)}</td>'
                            for k, f in enumerate(group[row:row + cols]))
            out.append(f"<tr>{cells}</tr>")
        out.append("</table>")
        n += len(group)
    out.append(CATALOGUE_END)
    return "\n".join(out)

README_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "README.md")
README_COUNT = re.compile(r"The bundled collection holds \d+ figures: [^.]*\.")
NOUNS = {"convex": "convex shapes"}

def readme_text(old, figures):
    """README with its sentence on the bundled collection counted afresh."""
    counts = [(NOUNS.get(c, c), sum(f.category == c for f in figures)) for c in CATEGORIES]
    parts = [f"{n} {noun}" for noun, n in counts if n]
    line = f"The bundled collection holds {len(figures)} figures: {', '.join(parts[:-1])} and {parts[-1]}."
    return README_COUNT.sub(line, old, count=1)

def help_text(old, figures):
    """The help with its catalogue and its count of figures made afresh, the rest as it was."""
    start, end = old.find(CATALOGUE_START), old.find(CATALOGUE_END)
    if start < 0 or end < start:
        raise SourceError(f"data/kalido.html: the catalogue's marks are missing ({CATALOGUE_START})")
    text = old[:start] + catalogue_html(figures) + old[end + len(CATALOGUE_END):]
    counted = lambda m: f"{m.group(1)}{len(figures)}{m.group(2)}"
    return COUNT.sub(counted, CAPTION.sub(counted, text))

# ---------------------------------------------------------------- commands

def lint(figures):
    bad = 0
    seen, shapes, names = {}, {}, {}
    for n, fig in enumerate(figures, start=1):
        found = problems(fig)
        key = fingerprint(fig)
        if key in seen:
            found.append(f"repeats figure {seen[key]}")
        seen.setdefault(key, n)
        shape = silhouette(fig)
        if shape in shapes and shapes[shape] != seen[key]:
            found.append(f"has the silhouette of figure {shapes[shape]}, tiled otherwise")
        shapes.setdefault(shape, n)
        if fig.name in names:
            found.append(f"has the name of figure {names[fig.name]}")
        names.setdefault(fig.name, n)
        for p in found:
            print(f"{fig.where}: {n} {fig.name}: {p}")
        bad += bool(found)
    counts = {}
    for fig in figures:
        counts[fig.category] = counts.get(fig.category, 0) + 1
    large = 0
    for fig in figures:
        placed = pixel_polys(fig)
        w = max(max(p[0] for p in poly) for *_, poly in placed)
        h = max(max(p[1] for p in poly) for *_, poly in placed)
        large += w > 230 or h > 230
    print(f"{len(figures)} figures, " + ", ".join(f"{c} {k}" for k, c in counts.items()) +
          f"; {large} larger than a gallery square; {bad} with problems")
    return bad == 0 and len(figures) <= 500

def render(figures, out_dir, pieces=False, labels=None, per_page=30, cols=6):
    """Pages of figures at half size, each with its label: by default its number and name."""
    import subprocess
    os.makedirs(out_dir, exist_ok=True)
    cw, ch = 150, 170
    colours = ["#c03030", "#3050c0", "#30a040", "#d0a020", "#9040b0", "#20a0a0", "#e07020"]
    for start in range(0, len(figures), per_page):
        page = figures[start:start + per_page]
        rows = (len(page) + cols - 1) // cols
        width, height = cols * cw, rows * ch
        draw = [f"viewbox 0 0 {width} {height}", f"fill '#f0f0e8' rectangle 0,0 {width},{height}",
                "font 'DejaVu-Sans'"]
        for k, fig in enumerate(page):
            ox, oy = (k % cols) * cw + 10, (k // cols) * ch + 8
            placed = pixel_polys(fig)
            w = max(max(p[0] for p in poly) for *_, poly in placed)
            h = max(max(p[1] for p in poly) for *_, poly in placed)
            sx = ox + (cw - 20 - w / 2) / 2
            sy = oy + (ch - 30 - h / 2) / 2
            for i, *_, poly in placed:
                fill = colours[i] if pieces else "#202020"
                pts = " ".join(f"{sx + x / 2:.1f},{sy + y / 2:.1f}" for x, y in distinct(poly))
                draw.append(f"fill '{fill}' stroke '{'#ffffff' if pieces else fill}' polygon {pts}")
            label = (labels[start + k] if labels else f"{start + k + 1} {fig.name}").replace("'", "")
            draw.append(f"fill '#000000' stroke none font-size 12 text {ox},{oy + ch - 14} '{label}'")
        mvg = os.path.join(out_dir, "page.mvg")
        with open(mvg, "w") as f:
            f.write("\n".join(draw))
        name = os.path.join(out_dir, f"page{start // per_page + 1:02d}.png")
        subprocess.run(["convert", f"mvg:{mvg}", name], check=True)
        os.remove(mvg)
        print(name)

def render_blind(figures, out_dir, seed):
    """Pages for a reader who is not told the names: black silhouettes in a shuffled order,
    numbered only, and the key apart from the pages, in out_dir-key.txt."""
    import random
    order = list(range(len(figures)))
    random.Random(seed).shuffle(order)
    out_dir = out_dir.rstrip("/")
    render([figures[i] for i in order], out_dir, labels=[str(k + 1) for k in range(len(order))])
    with open(os.path.join(out_dir, "answers.txt"), "w") as f:
        f.write("What does each figure show? One answer a line.\n\n")
        f.write("".join(f"{k + 1}. \n" for k in range(len(order))))
    with open(out_dir + "-key.txt", "w") as f:
        f.write(f"# reader's number, figure number, category, name (shuffled with seed {seed})\n")
        f.write("".join(f"{k + 1}\t{i + 1}\t{figures[i].category}\t{figures[i].name}\n" for k, i in enumerate(order)))
    print(out_dir + "-key.txt")

def solve_outline(lattice, text):
    """Prints the piece lines of one tiling of the outline, or says there is none."""
    target = [tuple(int(v) for v in p.split(",")) for p in text.split()]
    found = solve(lattice, target)
    if not found:
        print("no tiling", file=sys.stderr)
        return False
    unit = "d" if lattice == "A" else "g"
    for kind, code, ox, oy in found:
        print(f"{kind:7}{code}  {place_text(Q(ox) if unit == 'g' else Q(0, ox))}  {place_text(Q(oy) if unit == 'g' else Q(0, oy))}")
    return True

# The exact-cover search over the quarter-triangles of a lattice: A has 34-pixel squares and takes
# the pieces in their diagonal-unit orientations, B has 24-pixel squares and the grid-unit ones.
QUARTERS = [(0.5, 0.2), (0.8, 0.5), (0.5, 0.8), (0.2, 0.5)]  # N, E, S, W sample points of a unit square

def inside(poly, px_, py):
    n, c = len(poly), False
    for i in range(n):
        x0, y0 = poly[i]
        x1, y1 = poly[(i + 1) % n]
        if (y0 > py) != (y1 > py):
            if px_ < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
                c = not c
    return c

def cells_of(poly):
    xs = [p[0] for p in poly]
    ys = [p[1] for p in poly]
    out = set()
    for i in range(math.floor(min(xs)), math.ceil(max(xs))):
        for j in range(math.floor(min(ys)), math.ceil(max(ys))):
            for q, (dx, dy) in enumerate(QUARTERS):
                if inside(poly, i + dx, j + dy):
                    out.add((i, j, q))
    return out

def lattice_orients(kind, selector):
    res = []
    for code in range(2 if kind == "square" else 8):
        sel, _, pts = in_units(outline(kind, code))
        if sel == selector:
            res.append((code, pts, frozenset(cells_of(pts))))
    return res

ORIENTS = {"A": {k: lattice_orients(k, -1) for k in BASE}, "B": {k: lattice_orients(k, 1) for k in BASE}}
CELLS = {"A": 64, "B": 128}
COUNTS = {"large": 2, "medium": 1, "small": 2, "square": 1, "para": 1}

def tilings(lattice, target):
    """Every tiling of the outline by the seven pieces, one by one: [(kind, code, x, y)] in cells."""
    cells = cells_of(target)
    if len(cells) != CELLS[lattice]:
        return
    orients = ORIENTS[lattice]
    order = sorted(cells, key=lambda c: (c[1], c[0], c[2]))
    left = dict(COUNTS)
    placed = []
    covered = set()

    def search():
        free = next((c for c in order if c not in covered), None)
        if free is None:
            yield list(placed)
            return
        for kind in ("large", "medium", "para", "square", "small"):
            if not left[kind]:
                continue
            for code, pts, pc in orients[kind]:
                for (ci, cj, cq) in pc:
                    if cq != free[2]:
                        continue
                    ox, oy = free[0] - ci, free[1] - cj
                    moved = {(i + ox, j + oy, q) for i, j, q in pc}
                    if moved <= cells and not (moved & covered):
                        left[kind] -= 1
                        covered.update(moved)
                        placed.append((kind, code, ox, oy))
                        yield from search()
                        placed.pop()
                        covered.difference_update(moved)
                        left[kind] += 1

    yield from search()

def solve(lattice, target):
    """The first tiling of the outline that passes the designer's checks, or None."""
    for found in tilings(lattice, target):
        fig = Figure("", "", "")
        q = (lambda v: Q(v)) if lattice == "B" else (lambda v: Q(0, v))
        fig.pieces = [(kind, code, q(x), q(y)) for kind, code, x, y in found]
        if not problems(fig):
            return found
    return None

# ---------------------------------------------------------------- every tiling of a figure's silhouette
#
# The game accepts any arrangement of the seven pieces that covers a figure's silhouette, not only
# the arrangement stored for it. `tilings` lists those arrangements for every figure, in exact
# geometry, so that the tests can lay each one out and check that the game sees it solved.

TILINGS_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "tilings.txt")
TILINGS_KEPT = 64      # tilings written per figure
TILINGS_COUNTED = 1000  # the search stops counting here
PIECE_OF_KIND = {"large": [0, 1], "small": [2, 4], "square": [3], "medium": [5], "para": [6]}
EIGHT_WAYS = [(math.cos(math.radians(22.5 + 45 * k)), math.sin(math.radians(22.5 + 45 * k))) for k in range(8)]

def inside_convex(poly, x, y):
    """True when x, y lies strictly inside a convex polygon."""
    sign = 0
    for i in range(len(poly)):
        (x0, y0), (x1, y1) = poly[i - 1], poly[i]
        s = (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0)
        if abs(s) < 1e-12:
            return False
        if sign and (s > 0) != (sign > 0):
            return False
        sign = s
    return True

def poly_box(poly):
    return (min(p[0] for p in poly), min(p[1] for p in poly), max(p[0] for p in poly), max(p[1] for p in poly))

def boxes_apart(a, b):
    return a[2] <= b[0] + 1e-9 or b[2] <= a[0] + 1e-9 or a[3] <= b[1] + 1e-9 or b[3] <= a[1] + 1e-9

def all_tilings(fig, limit=TILINGS_COUNTED):
    """Every tiling of the figure's silhouette by the seven pieces, up to limit: lists of
    (kind, code, Q x, Q y), the piece's top-left corner in grid units. The search covers the first
    free point of the silhouette (topmost, then leftmost) again and again: every piece that covers
    points next to it has its own first corner on it, and those pieces are placed in one order, so
    each tiling is found once."""
    region = []
    for piece, (code, x, y) in enumerate(fig.by_piece()):
        region.append([(x + ox, y + oy) for ox, oy in outline(KINDS[piece], code)])
    region_f = [distinct([(x.value(), y.value()) for x, y in poly]) for poly in region]
    region_box = (min(b[0] for b in map(poly_box, region_f)), min(b[1] for b in map(poly_box, region_f)),
                  max(b[2] for b in map(poly_box, region_f)), max(b[3] for b in map(poly_box, region_f)))
    shapes = {}
    for kind in BASE:
        for code in range(2 if kind == "square" else 8):
            pts = outline(kind, code)
            first = min(pts, key=lambda p: (p[1].value(), p[0].value()))
            shapes.setdefault(kind, []).append((code, pts, first, area([(x.value(), y.value()) for x, y in pts])))
    corners = {}
    for poly in region:
        for p in poly:
            corners[p] = (p[1].value(), p[0].value())
    left = dict(COUNTS)
    placed = []  # (kind, code, x, y, float polygon, its box)
    found = []

    def free(x, y):
        return (any(inside_convex(p, x, y) for p in region_f) and
                not any(inside_convex(p[4], x, y) for p in placed))

    def first_free():
        eps = 1e-4
        for p, _ in sorted(corners.items(), key=lambda item: item[1]):
            fx, fy = p[0].value(), p[1].value()
            if any(free(fx + eps * dx, fy + eps * dy) for dx, dy in EIGHT_WAYS):
                return p
        return None

    def search(last_at=None, last=(-1, -1)):
        if len(found) >= limit:
            return
        at = first_free()
        if at is None:
            if len(placed) == 7:
                found.append([(k, c, x, y) for k, c, x, y, _, _ in placed])
            return
        for kind_index, kind in enumerate(BASE):
            if not left[kind]:
                continue
            for code, pts, first, size in shapes[kind]:
                # Pieces that share the first free point are placed in one order only.
                if at == last_at and (kind_index, code) <= last:
                    continue
                x, y = at[0] - first[0], at[1] - first[1]
                poly = distinct([((x + ox).value(), (y + oy).value()) for ox, oy in pts])
                b = poly_box(poly)
                if b[0] < region_box[0] - 1e-9 or b[1] < region_box[1] - 1e-9 or \
                   b[2] > region_box[2] + 1e-9 or b[3] > region_box[3] + 1e-9:
                    continue
                if any(not boxes_apart(b, q[5]) and area(clip(poly, q[4]) or [(0, 0)]) > 1e-6 for q in placed):
                    continue
                within = sum(area(clip(poly, r) or [(0, 0)]) for r in region_f if not boxes_apart(b, poly_box(r)))
                if abs(within - size) > 1e-6:
                    continue
                left[kind] -= 1
                placed.append((kind, code, x, y, poly, b))
                new = [(x + ox, y + oy) for ox, oy in pts]
                added = [p for p in new if p not in corners]
                for p in added:
                    corners[p] = (p[1].value(), p[0].value())
                search(at, (kind_index, code))
                for p in added:
                    del corners[p]
                placed.pop()
                left[kind] += 1

    search()
    return found

def tiling_line(fig, tiling):
    """One tiling as the tests read it: for pieces 0 to 6, the orientation code and the top-left
    corner in pixels, in the frame of the figure's stored record."""
    placed = pixel_polys(fig)
    raw = [(px(x), px(y)) for _, (code, x, y) in enumerate(fig.by_piece())]
    dx, dy = placed[0][2] - raw[0][0], placed[0][3] - raw[0][1]
    slots = {k: list(v) for k, v in PIECE_OF_KIND.items()}
    by_piece = [None] * 7
    for kind, code, x, y in tiling:
        by_piece[slots[kind].pop(0)] = (code, px(x) + dx, px(y) + dy)
    return " ".join(f"{c},{x},{y}" for c, x, y in by_piece)

def tilings_file_text(figures, old_text=""):
    """The tilings of every figure, each figure under its record (without its number), so that a
    figure already listed in old_text is not searched again."""
    known = {}
    key = None
    for line in old_text.splitlines():
        if line.startswith("figure "):
            key = line.split(" ", 2)[2]
            known[key] = [line]
        elif key and line and not line.startswith("#"):
            known[key].append(line)
    lines = ["# Every tiling of each bundled figure's silhouette by the seven pieces (at most "
             f"{TILINGS_KEPT} listed; counted up to {TILINGS_COUNTED}).",
             "# Made by tools/make_shapes.py tilings; a figure line holds its tiling count and its record.",
             "# A tiling line: code,x,y of pieces 0 to 6, in pixels from the corner of the figure's record."]
    counts = []
    for n, fig in enumerate(figures, start=1):
        record = figure_record(n, fig).split(",", 1)[1]
        if record in known:
            block = known[record]
            counts.append(int(block[0].split(" ", 2)[1]))
        else:
            found = all_tilings(fig)
            counts.append(len(found))
            block = [f"figure {len(found)} {record}"] + [tiling_line(fig, t) for t in found[:TILINGS_KEPT]]
            print(f"{n} {fig.name}: {len(found)}", file=sys.stderr)
        lines += block
    return "".join(line + "\n" for line in lines), counts

def write_tilings(figures):
    old = ""
    if os.path.exists(TILINGS_FILE):
        with open(TILINGS_FILE) as f:
            old = f.read()
    text, counts = tilings_file_text(figures, old)
    with open(TILINGS_FILE, "w") as f:
        f.write(text)
    spread = {}
    for c in counts:
        spread[c] = spread.get(c, 0) + 1
    print(f"{len(figures)} figures, {sum(min(c, TILINGS_KEPT) for c in counts)} tilings listed; tilings per figure: " +
          ", ".join(f"{c}: {spread[c]}" for c in sorted(spread)))
    return all(counts)

def main(argv):
    files = [a for a in argv if a.endswith(".txt")]
    argv = [a for a in argv if not a.endswith(".txt")]
    try:
        figures = gallery_order(read_source(files)) if not argv or argv[0] != "solve" else []
    except SourceError as e:
        print(e, file=sys.stderr)
        return 2
    if not argv or argv[0] == "--check":
        if files:
            print("the shapes file and the help are made from every file in tools/figures", file=sys.stderr)
            return 2
        with open(HELP_FILE, encoding="utf-8", newline="") as f:
            old_help = f.read()
        with open(SHAPES_FILE, newline="") as f:
            old_shapes = f.read()
        with open(README_FILE, encoding="utf-8", newline="") as f:
            old_readme = f.read()
        try:
            made = {SHAPES_FILE: (old_shapes, shapes_file_text(figures)), HELP_FILE: (old_help, help_text(old_help, figures)),
                    README_FILE: (old_readme, readme_text(old_readme, figures))}
        except SourceError as e:
            print(e, file=sys.stderr)
            return 2
    if not argv:
        for path, (_, text) in made.items():
            with open(path, "w", encoding="utf-8", newline="") as f:
                f.write(text)
        print(f"{len(figures)} figures written to data/KALIDO.kal, the help's catalogue and the counts")
        return 0
    if argv[0] == "--check":
        stale = [os.path.basename(path) for path, (old, new) in made.items() if old != new]
        if stale:
            print(f"{' and '.join(stale)}: not what tools/figures makes; run tools/make_shapes.py", file=sys.stderr)
        return 1 if stale else 0
    if argv[0] == "lint":
        return 0 if lint(figures) else 1
    if argv[0] == "render":
        seed = next((a.split("=", 1)[1] for a in argv if a.startswith("--blind=")), None)
        dirs = [a for a in argv[1:] if not a.startswith("--")]
        if seed is not None or "--blind" in argv:
            render_blind(figures, dirs[0] if dirs else "build/blind", int(seed or 1))
        else:
            render(figures, dirs[0] if dirs else "build/figures", pieces="--pieces" in argv)
        return 0
    if argv[0] == "pieces":
        for kind in BASE:
            for code in range(2 if kind == "square" else 8):
                sel, _, pts = in_units(outline(kind, code))
                u = "g" if sel == 1 else "d"
                corners = " ".join(f"({x}{u},{y}{u})" for x, y in pts)
                print(f"{kind:7}{code}  {corners}   size {max(x for x, _ in pts)}{u} x {max(y for _, y in pts)}{u}")
        return 0
    if argv[0] == "tilings":
        return 0 if write_tilings(figures) else 1
    if argv[0] == "solve" and len(argv) == 3 and argv[1] in ("A", "B"):
        return 0 if solve_outline(argv[1], argv[2]) else 1
    print(__doc__, file=sys.stderr)
    return 2

if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
