#!/usr/bin/python3
"""What the editor costs while nobody uses it: processor time of the editor and the X server.

Starts the built editor on a private Xvfb display, rests the pointer on each of the three
command buttons and on the map view in turn (moved there with xdotool), waits a second, then
reads from /proc the processor time both processes use in the next few seconds.

    bench/rest_cost.py BUILD_DIR [--seconds 5]

Prints one line per resting place: editor and X server in percent of one core.
Needs Xvfb and xdotool (Debian: xvfb, xdotool).
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

TITLE = "Vellmark地图编辑器"
# Client coordinates of the places the pointer rests on.
PLACES = [("button 关于", (8 + 20, 528 + 12)), ("button 浏览", (56 + 24, 528 + 12)),
          ("button 保存", (112 + 24, 528 + 12)), ("map view", (400, 300))]


def cpu_seconds(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            total += int(open(f"/proc/{pid}/task/{task}/schedstat").read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total / 1e9


def start_display():
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x800x24",
                             "-nolisten", "tcp"], pass_fds=(write,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            sys.exit("rest_cost: Xvfb did not start")
        number += chunk
    os.close(read)
    env = dict(os.environ, DISPLAY=":" + number.decode().strip())
    env.pop("QT_QPA_PLATFORM", None)
    return xvfb, env


class EditorOnDisplay:
    """The built editor started on a private Xvfb display, and xdotool talking to it."""

    def __init__(self, build, *arguments):
        for tool in ("Xvfb", "xdotool"):
            if not shutil.which(tool):
                sys.exit(f"{os.path.basename(sys.argv[0])}: {tool} is not installed")
        self.xvfb, self.env = start_display()
        self.editor = None
        try:
            self.editor = subprocess.Popen([os.path.join(build, "tarvos"), *arguments],
                                           cwd=build, env=self.env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)
            self.window = self.xdo("search", "--sync", "--onlyvisible", "--name",
                                   f"^{TITLE}").split()[0]
        except BaseException:
            self.close()
            raise
        self.pids = (self.editor.pid, self.xvfb.pid)
        time.sleep(1.0)

    def xdo(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, capture_output=True,
                              text=True).stdout.strip()

    def close(self):
        if self.editor:
            self.editor.terminate()
            self.editor.wait(5)
        self.xvfb.terminate()
        self.xvfb.wait(5)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("build")
    ap.add_argument("--seconds", type=float, default=5.0)
    a = ap.parse_args()
    with EditorOnDisplay(os.path.abspath(a.build)) as display:
        for name, (x, y) in PLACES:
            display.xdo("mousemove", "--window", display.window, x, y)
            time.sleep(1.0)
            before = [cpu_seconds(p) for p in display.pids]
            time.sleep(a.seconds)
            after = [cpu_seconds(p) for p in display.pids]
            used = [100 * (b - f) / a.seconds for f, b in zip(before, after)]
            print(f"{name:12} editor {used[0]:5.2f} %   X server {used[1]:5.2f} %   "
                  f"together {sum(used):5.2f} %")


if __name__ == "__main__":
    main()
