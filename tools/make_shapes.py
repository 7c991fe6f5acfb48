#!/usr/bin/env python3
"""Writes data/KALIDO.kal: the piece geometry and the bundled figures, all computed exactly.

Geometry: lengths are counted in grid units (24 px); a diagonal unit (34 px) stands for sqrt 2
grid units. Every orientation of a piece is the base outline turned by a multiple of 45 degrees
(the parallelogram's codes 4 to 7 are its mirror image turned), written in whichever unit makes
all its vertices whole numbers, and moved so that its smallest x and y offsets are 0.

Figures are tilings of a target outline by the seven pieces, found by an exact-cover search over
the quarter-triangles of a 34-pixel lattice. Each is also offered turned by 45 degrees, where it
lies on the 24-pixel lattice instead.
"""
from fractions import Fraction as F
import math
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

# ---------------------------------------------------------------- figures on the 34-pixel lattice

QUARTERS = [(0.5, 0.2), (0.8, 0.5), (0.5, 0.8), (0.2, 0.5)]  # N, E, S, W sample points of a unit square

def inside(poly, px, py):
    n, c = len(poly), False
    for i in range(n):
        x0, y0 = poly[i]
        x1, y1 = poly[(i + 1) % n]
        if (y0 > py) != (y1 > py):
            if px < x0 + (py - y0) * (x1 - x0) / (y1 - y0):
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
    """Codes whose outline is whole in one unit (-1 diagonal, 1 grid), with their cells at offset 0."""
    res = []
    for code in range(2 if kind == "square" else 8):
        sel, _, pts = in_units(outline(kind, code))
        if sel == selector:
            res.append((code, pts, frozenset(cells_of(pts))))
    return res

# Lattice A: 34-pixel units, pieces in diagonal-unit codes. Lattice B: 24-pixel units, grid codes.
ORIENTS = {"A": {k: lattice_orients(k, -1) for k in BASE}, "B": {k: lattice_orients(k, 1) for k in BASE}}
CELLS = {"A": 64, "B": 128}
COUNTS = {"large": 2, "medium": 1, "small": 2, "square": 1, "para": 1}

def solve(lattice, target):
    cells = cells_of(target)
    if len(cells) != CELLS[lattice]:
        return None
    orients = ORIENTS[lattice]
    order = sorted(cells, key=lambda c: (c[1], c[0], c[2]))
    left = dict(COUNTS)
    placed = []
    covered = set()

    def search():
        free = next((c for c in order if c not in covered), None)
        if free is None:
            return True
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
                        if search():
                            return True
                        placed.pop()
                        covered.difference_update(moved)
                        left[kind] += 1
        return False

    return list(placed) if search() else None

def assign(lattice, placements):
    """Piece index -> (code, exact corner points) from kind placements on the lattice."""
    pool = {k: [p for p in placements if p[0] == k] for k in BASE}
    exact = (lambda v: Q(0, v)) if lattice == "A" else (lambda v: Q(v))
    out = {}
    for piece, kind in enumerate(KINDS):
        _, code, ox, oy = pool[kind].pop(0)
        pts = [(exact(x + ox), exact(y + oy)) for x, y in in_units(outline(kind, code))[2]]
        out[piece] = (code, pts)
    return out

def match(kind, pts):
    """The code whose outline is the given exact corner set, and the reference corner."""
    mx = min(p[0] for p in pts)
    my = min(p[1] for p in pts)
    shape = sorted((x - mx, y - my) for x, y in pts)
    for code in range(8):
        if sorted(outline(kind, code)) == shape:
            return code, (mx, my)
    raise ValueError("no orientation fits")

def record_of(pieces):
    """pieces: piece -> (code, exact corners). Returns [(code, px, py)] of reference points."""
    refs = []
    for piece, kind in enumerate(KINDS):
        code, pts = pieces[piece]
        code, (mx, my) = match(kind, pts)
        sel, unit, _ = in_units(outline(kind, code))
        # Reference corner in pixels, measured in the unit the whole figure lies on.
        x = mx.b * DIAG if mx.a == 0 else mx.a * GRID
        y = my.b * DIAG if my.a == 0 else my.a * GRID
        assert x.denominator == 1 and y.denominator == 1
        refs.append((code, int(x), int(y)))
    x0 = min(x for _, x, _ in refs)
    y0 = min(y for _, _, y in refs)
    return [(c, x - x0, y - y0) for c, x, y in refs]

def turned(pieces):
    """The figure turned 45 degrees counter-clockwise, which moves it onto the other lattice."""
    def back45(p):
        x, y = p
        return ((x + y).over_r2(), (y - x).over_r2())
    return {i: (c, [back45(p) for p in pts]) for i, (c, pts) in pieces.items()}

# (name, lattice, outline, also turned by 45 degrees)
TARGETS = [
    ("square", "A", [(0, 0), (4, 0), (4, 4), (0, 4)], True),
    ("big triangle", "B", [(0, 0), (8, 0), (0, 8)], False),
    ("rectangle", "B", [(0, 0), (8, 0), (8, 4), (0, 4)], True),
    ("barn", "B", [(0, 4), (4, 0), (8, 4), (8, 6), (0, 6)], True),
    ("house", "B", [(0, 4), (4, 0), (8, 4), (6, 4), (6, 8), (2, 8), (2, 4)], False),
    ("tee", "B", [(0, 0), (8, 0), (8, 2), (6, 2), (6, 6), (2, 6), (2, 2), (0, 2)], False),
    ("chair", "B", [(0, 0), (2, 0), (2, 4), (6, 4), (6, 8), (0, 8)], False),
    ("chevron", "B", [(0, 0), (4, 4), (8, 0), (8, 4), (4, 8), (0, 4)], False),
    ("arrow", "B", [(0, 2), (4, 2), (4, 0), (8, 4), (4, 8), (4, 6), (0, 6)], True),
    ("hexagon", "A", [(2, 0), (4, 0), (6, 2), (4, 4), (2, 4), (0, 2)], True),
    ("kite", "A", [(2, 0), (4, 2), (4, 4), (2, 6), (0, 4), (0, 2)], True),
    ("rocket", "B", [(4, 0), (6, 2), (6, 6), (8, 8), (0, 8), (2, 6), (2, 2)], False),
    ("flag", "B", [(0, 0), (8, 0), (6, 2), (8, 4), (2, 4), (2, 6), (0, 6)], False),
    ("bird", "A", [(0, 0), (2, 0), (4, 2), (6, 2), (4, 4), (0, 4)], True),
    ("step", "B", [(0, 4), (4, 0), (4, 2), (8, 2), (8, 6), (0, 6)], False),
]

def fits_view(refs):
    xs = [x + max(p[0] for p in pixel_outline(KINDS[i], c)) for i, (c, x, _) in enumerate(refs)]
    ys = [y + max(p[1] for p in pixel_outline(KINDS[i], c)) for i, (c, _, y) in enumerate(refs)]
    xs0 = min(x for _, x, _ in refs)
    ys0 = min(y for _, _, y in refs)
    return max(xs) - xs0 <= 220 and max(ys) - ys0 <= 220

def main():
    homes = [(28, 28), (136, 28), (256, 100), (256, 28), (268, 316), (28, 316), (148, 316)]
    lines = header_lines(homes)
    lines.append('"Kalido figures"')
    figures, names = [], []
    for name, lattice, target, also_turned in TARGETS:
        found = solve(lattice, target)
        if not found:
            print(f"no tiling: {name}", file=sys.stderr)
            continue
        pieces = assign(lattice, found)
        variants = [(name, pieces)]
        if also_turned:
            variants.append((name + " turned", turned(pieces)))
        for label, p in variants:
            refs = record_of(p)
            if fits_view(refs):
                figures.append(refs)
                names.append(label)
            else:
                print(f"too large for the view: {label}", file=sys.stderr)
    for n, refs in enumerate(figures, start=1):
        values = [n, 60, 60]  # the figure's corner, as if built 50 pixels into the board
        for code, x, y in refs:
            values += [code, 60 + x, 60 + y]
        lines.append(",".join(str(v) for v in values))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "KALIDO.kal")
    with open(out, "w", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))
    print(f"{len(figures)} figures: " + ", ".join(names))

if __name__ == "__main__":
    main()
