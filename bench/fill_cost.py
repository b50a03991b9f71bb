#!/usr/bin/python3
"""What a fill costs in the real editor: processor time of the editor and the X server.

Starts the built editor on a private Xvfb display with a copy of an image on its command line,
chooses a chapter and then fills, with Ctrl+right-click on one cell, the area that cell belongs
to, alternating between two palette tiles so that every fill changes the whole area. Reads from
/proc the processor time both processes use from the click until both are idle again. Then it
saves the copy with the Save button and checks the bytes the fills changed: all of them cells
of the chapter in the clicked cell's area, holding the last tile, and the whole area it had
before the first fill among them. A run whose fills changed anything else, or nothing, fails.

    bench/fill_cost.py BUILD_DIR [--chapter 23] [--cell 13,8] [--runs 9]

Defaults: the sample image and chapter 23 (48 x 36), where cell 13,8 lies in its largest
area of one code (276 cells). Prints the medians in ms. Needs Xvfb and xdotool (Debian: xvfb,
xdotool).
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from rest_cost import EditorOnDisplay, cpu_seconds

LIST_ENTRY = (40, 88 + 15 * 0 + 7)   # the first chapter's entry; one entry is 15 pixels
MAP_ORIGIN = (169 + 1, 41 + 1)       # client pixel of the map's cell 0,0 at 1x, unscrolled
CELL = 16                            # pixels per cell at 1x
PALETTE = [(722 + 12, 42 + 12), (722 + 36, 42 + 12)]   # two tiles of the palette
SAVE_BUTTON = (112 + 24, 528 + 12)


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


def chapter_cells(cli, image, chapter):
    """The chapter's width, height and the file offset before its first cell (tarvos-cli info)."""
    out = subprocess.run([cli, "info", image], capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 6 and parts[0] == str(chapter) and parts[4] == "x":
            return int(parts[3]), int(parts[5]), int(parts[2], 16)
    sys.exit(f"fill_cost: chapter {chapter} not found in {image}")


def area(data, width, height, offset, column, row):
    """The offsets of the cells connected to (column, row) that hold its code, side by side."""
    def at(c, r):
        return offset + width * (r - 1) + c
    code = data[at(column, row)]
    seen, pending = {(column, row)}, [(column, row)]
    while pending:
        c, r = pending.pop()
        for n in ((c + 1, r), (c - 1, r), (c, r + 1), (c, r - 1)):
            if 1 <= n[0] <= width and 1 <= n[1] <= height and n not in seen \
                    and data[at(*n)] == code:
                seen.add(n)
                pending.append(n)
    return {at(c, r) for c, r in seen}


def check_fill(before, after, cells, column, row):
    """Whether the fills changed the clicked cell's area and nothing beside it; the reason if not."""
    width, height, offset = cells
    changed = {i for i in range(len(before)) if before[i] != after[i]}
    if len(before) != len(after):
        return "the saved image has another length"
    if not changed:
        return "the fills changed no byte"
    clicked = offset + width * (row - 1) + column
    first, last = area(before, width, height, offset, column, row), area(after, width, height,
                                                                         offset, column, row)
    if not changed <= last:
        return f"{len(changed - last)} changed bytes lie outside the clicked cell's area"
    if before[clicked] != after[clicked] and not first <= changed:
        return f"{len(first - changed)} cells of the area the first fill met were not changed"
    return None


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("build")
    ap.add_argument("--chapter", type=int, default=23)
    ap.add_argument("--cell", default="13,8", help="column,row of a cell in the area to fill")
    ap.add_argument("--runs", type=int, default=9)
    a = ap.parse_args()
    column, row = (int(n) for n in a.cell.split(","))
    build = os.path.abspath(a.build)
    # A copy, which the run saves: the build's own sample stays as it was.
    work = tempfile.mkdtemp(prefix="fill-cost-")
    image = os.path.join(work, "sample.nes")
    shutil.copyfile(os.path.join(build, "sample", "sample.nes"), image)
    before = open(image, "rb").read()
    cells = chapter_cells(os.path.join(build, "tarvos-cli"), image, a.chapter)
    try:
        costs = measure(build, image, a, column, row)
        after = open(image, "rb").read()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    problem = check_fill(before, after, cells, column, row)
    if problem:
        sys.exit(f"fill_cost: {problem}")
    editor_ms = statistics.median(c[0] for c in costs) * 1000
    server_ms = statistics.median(c[1] for c in costs) * 1000
    print(f"fill, chapter {a.chapter} cell {column},{row}: editor {editor_ms:.1f} ms   "
          f"X server {server_ms:.1f} ms   (medians of {a.runs}; "
          f"{sum(x != y for x, y in zip(before, after))} bytes changed, checked)")


def measure(build, image, a, column, row):
    """Fills a.runs times, then saves; the processor times of each fill."""
    with EditorOnDisplay(build, image) as display:
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
        click(*SAVE_BUTTON)
        time.sleep(0.5)
        display.xdo("key", "Return")   # the box that says the image was saved
        wait_idle(display.pids)
    return costs


if __name__ == "__main__":
    main()
