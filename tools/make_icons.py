#!/usr/bin/env python3
# Makes the command-panel icons and the program icon of app/icons (SVG 1.1, viewBox 0 0 32 32),
# so that they can be remade and changed in one place.
import math, os, subprocess, sys

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "icons")

# Shared palette
DARK = "#202020"
PAPER = "#FFFFFF"
GOLD = "#F5C832"
GOLD_DARK = "#D9A21E"
BLUE = "#2B5FC4"
RED = "#E01B1B"
GREEN = "#108A1E"
DCYAN = "#008080"
GREYLINE = "#8C8C8C"

# Piece colours of the game, in piece order:
# large, large, small, square, small, medium, parallelogram
PIECE = ["#800080", "#FFFF00", "#008000", "#0000FF", "#800000", "#00FFFF", "#FF0000"]

SW = 2  # common stroke width


def f(v):
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def pts(points):
    return " ".join(f"{f(x)},{f(y)}" for x, y in points)


def svg(title, body):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" '
        'width="32" height="32" viewBox="0 0 32 32">\n'
        f"  <!-- {title} -->\n" + body + "</svg>\n"
    )


def poly(points, fill, stroke=DARK, sw=SW, extra=""):
    st = f' stroke="{stroke}" stroke-width="{f(sw)}" stroke-linejoin="round"' if stroke else ""
    return f'  <polygon points="{pts(points)}" fill="{fill}"{st}{extra}/>\n'


# ---- the cat figure: all seven pieces, exact (unit = a quarter of the side of the tangram square)
# game piece order: large, large, small, square, small, medium, parallelogram
CAT = [
    [(0, 4), (4, 4), (2, 2)],            # large: front of the body
    [(4, 4), (4, 0), (2, 2)],            # large: back of the body
    [(2, 0), (3, -1), (2, -2)],          # small: left ear
    [(2, 0), (3, -1), (4, 0), (3, 1)],   # square: head
    [(4, 0), (3, -1), (4, -2)],          # small: right ear
    [(4, 4), (4, 2), (6, 4)],            # medium: haunch
    [(6, 4), (7, 3), (7, 1), (6, 2)],    # parallelogram: tail
]
CAT_W, CAT_H = 7, 6  # x 0..7, y -2..4


def cat_pieces(x, y, width):
    k = width / CAT_W
    return [[(x + px * k, y + (py + 2) * k) for px, py in piece] for piece in CAT]


# the outline of the whole cat: body and tail (the tail touches the haunch at one corner)
CAT_OUTLINE = [
    [(0, 4), (3, 1), (2, 0), (2, -2), (3, -1), (4, -2), (4, 0), (4, 2), (6, 4)],
    [(6, 4), (7, 3), (7, 1), (6, 2)],
]


def cat_outline(x, y, width):
    k = width / CAT_W
    return [[(x + px * k, y + (py + 2) * k) for px, py in part] for part in CAT_OUTLINE]


def cat_figure(x, y, width, fills, lines, edge=DARK, edge_w=1.4, line_w=0.7):
    s = "  <g>\n"
    for piece, fill in zip(cat_pieces(x, y, width), fills):
        s += "  " + poly(piece, fill, lines, line_w)
    for part in cat_outline(x, y, width):
        s += "  " + poly(part, "none", edge, edge_w)
    return s + "  </g>\n"


def silhouette(x, y, width, fill=DARK, edge=DARK, edge_w=1):
    s = ""
    for part in cat_outline(x, y, width):
        s += poly(part, fill, edge, edge_w)
    return s


def cat_icon(fills, lines):
    w = 28
    h = w * CAT_H / CAT_W
    return cat_figure((32 - w) / 2, (32 - h) / 2, w, fills, lines)


icons = {}

# ---- open: open folder with a figure peeking out
b = ""
b += (f'  <path d="M3 26 V7.5 Q3 6 4.5 6 H10.5 L13 8.5 H24.5 Q26 8.5 26 10 V14" '
      f'fill="{GOLD_DARK}" stroke="{DARK}" stroke-width="{SW}" stroke-linejoin="round"/>\n')
b += silhouette(11.5, 2.5, 14)
b += poly([(3, 26), (8, 14), (30.5, 14), (25.5, 26)], GOLD)
icons["open"] = ("Open new Kalido file", b)

# ---- saveas: floppy disk with a pen
b = ""
b += (f'  <path d="M3 3.5 H18.5 L23 8 V23 H3 Z" fill="{BLUE}" stroke="{DARK}" '
      f'stroke-width="{SW}" stroke-linejoin="round"/>\n')
b += (f'  <rect x="7" y="3.5" width="10" height="6" fill="#E6E6E6" stroke="{DARK}" '
      f'stroke-width="{SW}" stroke-linejoin="round"/>\n')
b += f'  <rect x="12.5" y="5" width="2.5" height="3" fill="{DARK}"/>\n'
b += (f'  <rect x="6.5" y="14" width="13" height="9" fill="{PAPER}" stroke="{DARK}" '
      f'stroke-width="{SW}" stroke-linejoin="round"/>\n')
# pen from upper right to a tip at lower left
A = (29.5, 13.0)
T = (17.0, 28.5)
dx, dy = T[0] - A[0], T[1] - A[1]
L = math.hypot(dx, dy)
d = (dx / L, dy / L)
n = (-d[1], d[0])
w = 2.6
Bp = (T[0] - d[0] * 5, T[1] - d[1] * 5)
body_pen = [(A[0] + n[0] * w, A[1] + n[1] * w), (Bp[0] + n[0] * w, Bp[1] + n[1] * w),
            (Bp[0] - n[0] * w, Bp[1] - n[1] * w), (A[0] - n[0] * w, A[1] - n[1] * w)]
b += poly(body_pen, GOLD)
b += poly([(Bp[0] + n[0] * w, Bp[1] + n[1] * w), T, (Bp[0] - n[0] * w, Bp[1] - n[1] * w)], PAPER)
tipdot = (T[0] - d[0] * 1.4, T[1] - d[1] * 1.4)
b += f'  <circle cx="{f(tipdot[0])}" cy="{f(tipdot[1])}" r="1.3" fill="{DARK}"/>\n'
icons["saveas"] = ("Save Kalido file as", b)


# ---- remove / append: figure with a badge
def sign(colour, plus):
    cx, cy, t, l = 24.5, 8, 2.6, 7  # centre, half thickness, half length
    if plus:
        shape = [(cx - t, cy - l), (cx + t, cy - l), (cx + t, cy - t), (cx + l, cy - t),
                 (cx + l, cy + t), (cx + t, cy + t), (cx + t, cy + l), (cx - t, cy + l),
                 (cx - t, cy + t), (cx - l, cy + t), (cx - l, cy - t), (cx - t, cy - t)]
    else:  # the same cross turned by 45 degrees
        c, s = math.cos(math.pi / 4), math.sin(math.pi / 4)
        shape = [(cx - t, cy - l), (cx + t, cy - l), (cx + t, cy - t), (cx + l, cy - t),
                 (cx + l, cy + t), (cx + t, cy + t), (cx + t, cy + l), (cx - t, cy + l),
                 (cx - t, cy + t), (cx - l, cy + t), (cx - l, cy - t), (cx - t, cy - t)]
        shape = [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c)
                 for x, y in shape]
    return poly(shape, colour, DARK, 1.5)


icons["remove"] = ("Remove existing Kalido", silhouette(1, 10, 24) + sign(RED, False))
icons["append"] = ("Append existing Kalido", silhouette(1, 10, 24) + sign(GREEN, True))

# ---- reset: circular arrow around a few pieces
cx, cy, r = 16, 16, 12
start = math.radians(-75)          # the arc starts near the top ...
sweep = math.radians(285)          # ... and runs clockwise almost all the way round
end = start + sweep
p0 = (cx + r * math.cos(start), cy + r * math.sin(start))
pe = (cx + r * math.cos(end), cy + r * math.sin(end))
b = ""
b += (f'  <path d="M{f(p0[0])} {f(p0[1])} A{r} {r} 0 1 1 {f(pe[0])} {f(pe[1])}" fill="none" '
      f'stroke="{DARK}" stroke-width="2.4" stroke-linecap="round"/>\n')
tang = (-math.sin(end), math.cos(end))  # clockwise direction on screen
rad = (math.cos(end), math.sin(end))
tip = (pe[0] + tang[0] * 4.5, pe[1] + tang[1] * 4.5)
hb1 = (pe[0] + rad[0] * 4 - tang[0] * 0.5, pe[1] + rad[1] * 4 - tang[1] * 0.5)
hb2 = (pe[0] - rad[0] * 4 - tang[0] * 0.5, pe[1] - rad[1] * 4 - tang[1] * 0.5)
b += poly([tip, hb1, hb2], DARK, DARK, 1.4)
# three pieces inside the circle
b += poly([(8.5, 22), (15.5, 15), (15.5, 22)], PIECE[1], DARK, 1.2)               # triangle
b += poly([(20, 9), (24, 13), (20, 17), (16, 13)], PIECE[3], DARK, 1.2)            # square
b += poly([(18, 19), (24, 19), (21, 22), (15, 22)], PIECE[6], DARK, 1.2)           # parallelogram
icons["reset"] = ("Reset", b)

# ---- copy: a grey figure behind, a black copy of it in front
b = ""
b += silhouette(1, 1.5, 20, "#A8A8A8", DARK, 1.5)
b += silhouette(11, 12.5, 20, DARK, PAPER, 3.5) + silhouette(11, 12.5, 20)
icons["copy"] = ("Copy", b)

# ---- navigation
def tri_left(x0, x1, yc=16, half=9.5):
    return [(x0, yc), (x1, yc - half), (x1, yc + half)]


def bar(x):
    return (f'  <path d="M{f(x)} 7 V25" fill="none" stroke="{DARK}" stroke-width="4" '
            f'stroke-linecap="round"/>\n')


icons["first"] = ("First", bar(7.5) + poly(tri_left(12, 26.5), DARK))
icons["left"] = ("Left", poly(tri_left(8, 23.5), DARK))
icons["right"] = ("Right", poly([(32 - x, y) for x, y in tri_left(8, 23.5)], DARK))
icons["last"] = ("Last", bar(24.5) + poly([(32 - x, y) for x, y in tri_left(12, 26.5)], DARK))

# ---- random: die with five pips, slightly turned
b = f'  <g transform="rotate(-12 16 16)">\n'
b += (f'    <rect x="5" y="5" width="22" height="22" rx="4.5" ry="4.5" fill="{PAPER}" '
      f'stroke="{DARK}" stroke-width="{SW}" stroke-linejoin="round"/>\n')
for px, py in [(10.5, 10.5), (21.5, 10.5), (16, 16), (10.5, 21.5), (21.5, 21.5)]:
    b += f'    <circle cx="{px}" cy="{py}" r="2.4" fill="{DARK}"/>\n'
b += "  </g>\n"
icons["random"] = ("Random", b)

# ---- sound: loudspeaker and two waves
b = poly([(3.5, 12), (8.5, 12), (15, 6), (15, 26), (8.5, 20), (3.5, 20)], DARK)
for rr in (6, 11):
    ccx, ccy = 14, 16
    ang = math.radians(42 if rr == 6 else 45)
    q0 = (ccx + rr * math.cos(-ang), ccy + rr * math.sin(-ang))
    q1 = (ccx + rr * math.cos(ang), ccy + rr * math.sin(ang))
    b += (f'  <path d="M{f(q0[0])} {f(q0[1])} A{rr} {rr} 0 0 1 {f(q1[0])} {f(q1[1])}" '
          f'fill="none" stroke="{DARK}" stroke-width="2.4" stroke-linecap="round"/>\n')
icons["sound"] = ("Sound", b)

# ---- help / about
circle = f'  <circle cx="16" cy="16" r="13.5" fill="{BLUE}" stroke="{DARK}" stroke-width="1.5"/>\n'
b = circle
b += (f'  <path d="M11.6 12.4 C11.6 9.4 13.6 7.6 16.2 7.6 C18.9 7.6 20.6 9.4 20.6 11.7 '
      f'C20.6 14.8 16.2 15.2 16.2 18.6" fill="none" stroke="{PAPER}" stroke-width="3.6" '
      f'stroke-linecap="round" stroke-linejoin="round"/>\n')
b += f'  <circle cx="16.2" cy="23.6" r="2.2" fill="{PAPER}"/>\n'
icons["help"] = ("Help", b)

b = circle
b += f'  <circle cx="16" cy="9.4" r="2.4" fill="{PAPER}"/>\n'
b += (f'  <path d="M13.4 14 H16 V23.6" fill="none" stroke="{PAPER}" stroke-width="3.8" '
      f'stroke-linecap="round" stroke-linejoin="round"/>\n')
icons["about"] = ("About", b)

# ---- difficulty levels: the same seven-piece cat figure
icons["normal"] = ("Normal", cat_icon([DARK] * 7, GREYLINE))
icons["easy"] = ("Easy", cat_icon([DCYAN, DARK, DARK, DCYAN, DARK, DARK, DARK], GREYLINE))
icons["veryeasy"] = ("Very easy", cat_icon(PIECE, DARK))

# ---- program icon: the classic square of seven pieces
o, k = 0.5, 31 / 32  # keep the thin edge inside the 32 x 32 box


def sq(points):
    return [(o + x * k, o + y * k) for x, y in points]


square = [
    [(0, 0), (32, 0), (16, 16)],              # large
    [(0, 0), (16, 16), (0, 32)],              # large
    [(32, 0), (32, 16), (24, 8)],             # small
    [(16, 16), (24, 8), (32, 16), (24, 24)],  # square
    [(16, 16), (24, 24), (8, 24)],            # small
    [(16, 32), (32, 32), (32, 16)],           # medium
    [(0, 32), (8, 24), (24, 24), (16, 32)],   # parallelogram
]
b = ""
for piece, fill in zip(square, PIECE):
    b += poly(sq(piece), fill, DARK, 0.9)
icons["kalido"] = ("Kalido", b)

# The game shows its icons from pictures made here, at the size the panel's buttons draw them and
# at twice that for scaled screens, so that starting it parses no SVG (rsvg-convert, from
# librsvg2-bin, draws them).
SIZES = {"kalido": 32}  # the window icon; every other icon is a button's 20-pixel picture

os.makedirs(OUT, exist_ok=True)
for name, (title, body) in icons.items():
    path = os.path.join(OUT, name + ".svg")
    with open(path, "w") as fh:
        fh.write(svg(title, body))
    size = SIZES.get(name, 20)
    for scale, suffix in ((1, ""), (2, "@2x")):
        subprocess.run(["rsvg-convert", "-w", str(size * scale), "-h", str(size * scale),
                        "-o", os.path.join(OUT, name + suffix + ".png"), path], check=True)
print(len(icons), "icons written to", OUT)
