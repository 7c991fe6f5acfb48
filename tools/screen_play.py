#!/usr/bin/env python3
"""Plays the first figure of a shapes file on the running game under X with xdotool, as a player
would: right-clicks turn each piece, left drags carry it to its place. Start the game on a
collection whose only figure is that one, then run this with DISPLAY set.
Usage: screen_play.py SHAPES_FILE [SHOT_PREFIX]"""
import subprocess
import sys
import time

def values(line):
    return [v.strip() for v in line.split(",")]

def main():
    lines = open(sys.argv[1], newline="").read().split("\r\n")
    prefix = sys.argv[2] if len(sys.argv) > 2 else "/tmp/kalido"
    homes = [(100 + 24 * float(a), 100 + 24 * float(b)) for a, b in (values(l) for l in lines[:7])]
    geo = {}
    for p in range(7):
        for o in range(8):
            v = values(lines[7 + 8 * p + o])
            unit = 34 if float(v[1]) < 0 else 24
            verts = [int(x) * unit for x in v[6:16]]
            shift = (int(float(v[16]) * 24 // 1), int(float(v[17]) * 24 // 1))
            geo[p, o] = (verts, shift)
    fig = [int(x) for x in values(lines[65])]
    bx, by = fig[1], fig[2]
    target = [(fig[3 + 3 * k], fig[4 + 3 * k] - bx, fig[5 + 3 * k] - by) for k in range(7)]

    wid = subprocess.check_output(["xdotool", "search", "--sync", "--onlyvisible", "--name", "File: "]).split()[0].decode()
    board_x, board_y = 6, 8  # the board inside its window, within its two-pixel border

    def inside(p, o, x, y):
        verts, _ = geo[p, o]
        cx = sum(verts[0:6:2]) / 3
        cy = sum(verts[1:6:2]) / 3
        return int(10 + x + cx) + board_x, int(10 + y + cy) + board_y

    def xdo(*args):
        subprocess.check_call(["xdotool", *map(str, args)])
        time.sleep(0.05)

    orient = [0, 2, 1, 0, 0, 0, 0]
    pos = [(int(x), int(y)) for x, y in homes]
    corner = (100, 130)
    for p in range(7):
        want, tx, ty = target[p]
        while orient[p] != want:
            sx, sy = inside(p, orient[p], *pos[p])
            xdo("mousemove", "--window", wid, sx, sy, "click", "3")
            orient[p] = (orient[p] + 1) % (2 if p == 3 else 8)
            dx, dy = geo[p, orient[p]][1]
            pos[p] = (pos[p][0] + dx, pos[p][1] + dy)
        sx, sy = inside(p, orient[p], *pos[p])
        ex, ey = sx + corner[0] + tx - pos[p][0], sy + corner[1] + ty - pos[p][1]
        xdo("mousemove", "--window", wid, sx, sy, "mousedown", "1")
        xdo("mousemove", "--window", wid, sx + 3, sy + 3)
        xdo("mousemove", "--window", wid, (sx + ex) // 2, (sy + ey) // 2)
        if p == 6:
            xdo("mousemove", "--window", wid, ex, ey)
            subprocess.check_call(["import", "-window", "root", prefix + "-dragging.png"])
        xdo("mousemove", "--window", wid, ex, ey, "mouseup", "1")
        pos[p] = (corner[0] + tx, corner[1] + ty)
    time.sleep(0.5)
    subprocess.check_call(["import", "-window", "root", prefix + "-solved.png"])

if __name__ == "__main__":
    main()
