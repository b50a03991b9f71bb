#!/usr/bin/python3
"""What a fill costs in the real editor: processor time of the editor and the X server.

Starts the built editor on a private Xvfb display with an image on its command line, chooses
a chapter and then fills, with Ctrl+right-click on one cell, the area that cell belongs to,
alternating between two palette tiles so that every fill changes the whole area. Reads from
/proc the processor time both processes use from the click until both are idle again.

    bench/fill_cost.py BUILD_DIR [--chapter 23] [--cell 13,8] [--runs 9]

Defaults: the sample image and chapter 23 (48 x 36), where cell 13,8 lies in its largest
area of one code (276 cells). Prints the medians in ms. Needs Xvfb and xdotool (Debian: xvfb,
xdotool).
"""
import argparse
import os
import statistics
import time

from rest_cost import EditorOnDisplay, cpu_seconds

LIST_ENTRY = (40, 88 + 15 * 0 + 7)   # the first chapter's entry; one entry is 15 pixels
MAP_ORIGIN = (169 + 1, 41 + 1)       # client pixel of the map's cell 0,0 at 1x, unscrolled
CELL = 16                            # pixels per cell at 1x
PALETTE = [(722 + 12, 42 + 12), (722 + 36, 42 + 12)]   # two tiles of the palette


def wait_idle(pids, quiet=0.3, limit=20.0):
    """Waits until none of the processes used the processor for `quiet` seconds."""
    start = time.monotonic()
    last = [cpu_seconds(p) for p in pids]
    while time.monotonic() - start < limit:
        time.sleep(quiet)
        now = [cpu_seconds(p) for p in pids]
        if all(n - l < 0.0005 for n, l in zip(now, last)):
            return
        last = now


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("build")
    ap.add_argument("--chapter", type=int, default=23)
    ap.add_argument("--cell", default="13,8", help="column,row of a cell in the area to fill")
    ap.add_argument("--runs", type=int, default=9)
    a = ap.parse_args()
    column, row = (int(n) for n in a.cell.split(","))
    with EditorOnDisplay(os.path.abspath(a.build), "sample/sample.nes") as display:
        def click(x, y, button=1, *keys):
            display.xdo("mousemove", "--window", display.window, x, y)
            time.sleep(0.05)
            # One xdotool connection for the whole gesture, as a chapter click costs one.
            chain = [arg for key in keys for arg in ("keydown", key)] + ["click", button]
            display.xdo(*chain, *[arg for key in keys for arg in ("keyup", key)])

        click(LIST_ENTRY[0], LIST_ENTRY[1] + 15 * (a.chapter - 1))
        wait_idle(display.pids)
        cell = (MAP_ORIGIN[0] + CELL * column + CELL // 4, MAP_ORIGIN[1] + CELL * row + CELL // 4)
        costs = []
        for run in range(a.runs):
            click(*PALETTE[run % 2])
            display.xdo("mousemove", "--window", display.window, *cell)
            wait_idle(display.pids)
            before = [cpu_seconds(p) for p in display.pids]
            click(*cell, 3, "ctrl")
            wait_idle(display.pids)
            after = [cpu_seconds(p) for p in display.pids]
            costs.append([b - f for f, b in zip(before, after)])
    editor_ms = statistics.median(c[0] for c in costs) * 1000
    server_ms = statistics.median(c[1] for c in costs) * 1000
    print(f"fill, chapter {a.chapter} cell {column},{row}: editor {editor_ms:.1f} ms   "
          f"X server {server_ms:.1f} ms   (medians of {a.runs})")


if __name__ == "__main__":
    main()
