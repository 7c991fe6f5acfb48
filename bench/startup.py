#!/usr/bin/env python3
"""Start-up of the whole process, from exec to every window painted, and its peak memory.

Runs the game and the floor, a bare Qt Widgets window (bench/floor.cpp, built in the same tree with
the same compiler and flags), in turn, with the floor once more showing a line of text (which loads
the fonts, as any window with a caption or a button does), interleaved and alternating which goes first, on a private Xvfb with
no window manager. Both programs are started with KALIDO_PAINT_TRACE set and report on stderr when
each window's first paint has been handed to the X server; the time is taken from just before the
exec to the last window painted (the game's two windows, the floor's one). The CPU time the process
has used by then comes from /proc/<pid>/schedstat: on a busy machine it says more than the wall
time. Peak memory is VmHWM from /proc/<pid>/status, read 300 ms after the last paint, before the
program is ended.

    bench/startup.py [--build build/rel] [--runs 10] [--also NAME=PATH ...]

--also adds further programs to the same interleaved run, for example an older build of the game.
"""
import argparse
import os
import select
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SRC = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def start_xvfb(display):
    socket = "/tmp/.X11-unix/X" + display.lstrip(":")
    if os.path.exists(socket):
        sys.exit(f"display {display} is in use: choose another with --display")
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(socket):
            return xvfb
        time.sleep(0.05)
    xvfb.kill()
    sys.exit(f"Xvfb did not start on {display}")


def run_once(command, windows, folder, env):
    """Milliseconds from exec to the last of `windows` windows painted, CPU milliseconds used by
    then, and peak memory in MiB."""
    path = command[0]
    start = time.monotonic_ns()
    proc = subprocess.Popen(command, cwd=folder, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    painted = []
    buffer = b""
    deadline = time.monotonic() + 10
    try:
        while len(painted) < windows:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([proc.stderr], [], [], left)[0]:
                raise RuntimeError(f"{path}: {len(painted)} of {windows} windows painted in 10 s")
            chunk = os.read(proc.stderr.fileno(), 4096)
            if not chunk:
                raise RuntimeError(f"{path} ended before its windows were painted")
            buffer += chunk
            *lines, buffer = buffer.split(b"\n")
            painted += [int(line.split()[1]) for line in lines if line.startswith(b"painted ")]
        with open(f"/proc/{proc.pid}/schedstat") as schedstat:
            cpu_ms = int(schedstat.read().split()[0]) / 1e6
        time.sleep(0.3)
        with open(f"/proc/{proc.pid}/status") as status:
            hwm_kib = next(int(line.split()[1]) for line in status if line.startswith("VmHWM:"))
    finally:
        proc.kill()
        proc.wait()
    return (max(painted) - start) / 1e6, cpu_ms, hwm_kib / 1024


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.path.join(SRC, "build", "rel"), help="a Release build tree")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--display", default=":97")
    parser.add_argument("--also", action="append", default=[], metavar="NAME=PATH",
                        help="another build of the game to run in the same rounds")
    args = parser.parse_args()

    subprocess.run(["cmake", "--build", args.build, "--target", "kalido", "kalido_floor"], check=True,
                   stdout=subprocess.DEVNULL)
    floor = os.path.join(args.build, "bench", "kalido_floor")
    programs = [("floor", [floor], 1), ("floor+text", [floor, "--text"], 1),
                ("game", [os.path.join(args.build, "kalido")], 2)]
    programs += [(name, [path], 2) for name, path in (a.split("=", 1) for a in args.also)]

    folder = tempfile.mkdtemp(prefix="kalido-startup-")
    for name in os.listdir(os.path.join(SRC, "data")):
        shutil.copy(os.path.join(SRC, "data", name), folder)
    runtime = tempfile.mkdtemp(prefix="kalido-xdg-")
    env = dict(os.environ, DISPLAY=args.display, KALIDO_PAINT_TRACE="1", XDG_RUNTIME_DIR=runtime)
    env.pop("QT_QPA_PLATFORM", None)
    xvfb = start_xvfb(args.display)
    results = {name: [] for name, _, _ in programs}
    try:
        for _, path, windows in programs:  # one run each to warm the file cache, not counted
            run_once(path, windows, folder, env)
        for round_ in range(args.runs):
            order = programs if round_ % 2 == 0 else programs[::-1]
            for name, path, windows in order:
                results[name].append(run_once(path, windows, folder, env))
    finally:
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(folder)
        shutil.rmtree(runtime)

    def medians(name):
        return [statistics.median(run[k] for run in results[name]) for k in range(3)]

    floor = medians("floor")
    print(f"{args.runs} interleaved rounds on Xvfb {args.display}, no window manager; medians, "
          "and the difference from the floor's")
    print(f"{'program':<11} {'painted ms':>10} {'(min..max)':>14} {'':>7} {'CPU ms':>7} {'':>7} {'peak MiB':>8}")
    for name, _, _ in programs:
        times = [run[0] for run in results[name]]
        t, cpu, mib = medians(name)
        print(f"{name:<11} {t:10.1f} ({min(times):5.1f}..{max(times):5.1f}) {t - floor[0]:+7.1f} {cpu:7.1f} "
              f"{cpu - floor[1]:+7.1f} {mib:8.1f} {mib - floor[2]:+6.1f}")


if __name__ == "__main__":
    main()
