#!/usr/bin/env python3
"""What a selection in the catalogue costs both editors: the CPU time per
group and per entry while the Down key walks the tree, as a player browses it
at key-repeat speed, and their ratio.

The walk: the ten top-level groups, the tree collapsed, then the house group
opened and its twenty levels, one Down key each. Each key waits until the
program is idle again; the cost of a selection is the run time the kernel
counted for the program's threads (and, under Wine, for the wineserver's,
which does half of every call into the window system) between the key and
the program's last step before it went idle, from
/proc/PID/task/*/schedstat. Clock time would count the
other developers on the machine; run time counts only our own work.

Each round starts every program once and walks once, in turns, so that the
programs share the machine's moods; the figures are the medians of the rounds
of each program's mean cost per group and per entry. Before its walk each
program shows one entry, whose first showing makes the controls of the value
panels: a cost of the start, not of browsing.

With --windows-classic the Windows half turns Wine's own theme off in its
prefix (as choosing no theme in winecfg does): the buttons and edits then draw
without it, which shows what the theme costs a repainted control.

With --screenshots DIR every program leaves pictures of a building, the first
house level and an upper house level in DIR, taken at the end of its last
walk, to compare two builds pixel by pixel (compare -metric AE).

Run it through the build target bench_show, or by hand under a display:
  xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' bench/show.py --source . \\
      --z7edit ... [--baseline ...] [--windows-exe ... --windows-baseline ...]
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from startup import cpu_ns, demo_prefix, window_visible  # noqa: E402

QUIET = 0.25
TIMEOUT = 60
GROUPS = 10
HOUSE_LEVELS = 20
# At most these ratios of an entry's cost to a group's.
WINDOWS_RATIO_TARGET = 4.0
LINUX_RATIO_TARGET = 2.0
# The levels pictured: the first, and an upper one ("Grosse Casa").
SHOTS = {1: "house-first", 8: "house-upper"}
CLIENT_SIZE = (901, 601)
TREE_FIRST_ROW = (60, 144)


class Program:
    """One running editor and the processes whose run time it costs."""

    def __init__(self, command, env, server=None):
        self.proc = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.server = server
        deadline = time.monotonic() + TIMEOUT
        while not window_visible(self.proc.pid, "Z7 Edit"):
            if self.proc.poll() is not None:
                raise RuntimeError(f"{command[-1]} ended with exit code {self.proc.returncode}")
            if time.monotonic() > deadline:
                raise RuntimeError(f"{command[-1]}: no window within {TIMEOUT} s")
            time.sleep(0.05)
        self.window = subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--pid", str(self.proc.pid), "--name",
             "^Z7 Edit$"], capture_output=True, text=True, check=True).stdout.split()[0]
        self.idle()
        # The keys go to the tree: a click on its first row. Wine draws a
        # frame of its own around the client area, Qt none.
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", self.window],
                                  capture_output=True, text=True, check=True).stdout
        size = dict(line.split("=") for line in geometry.split())
        side = (int(size["WIDTH"]) - CLIENT_SIZE[0]) // 2
        top = int(size["HEIGHT"]) - CLIENT_SIZE[1] - side
        subprocess.run(["xdotool", "windowfocus", "--sync", self.window], check=True)
        self.idle()
        subprocess.run(["xdotool", "mousemove", "--window", self.window,
                        str(TREE_FIRST_ROW[0] + side), str(TREE_FIRST_ROW[1] + top), "click", "1"],
                       check=True)
        self.idle()
        # The first entry makes the controls of the value panels, once per
        # start: not a cost of browsing.
        for key in ("Right", "Down", "Left", "Left"):
            subprocess.run(["xdotool", "key", key], check=True)
            self.idle()
        # The pointer stays on the window, where X sends the keys, but away
        # from the tree, whose hot tracking works on every pointer event.
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(880 + side),
                        str(60 + top)], check=True)
        self.idle()

    def cpu(self):
        """The run time of the program and of the server, in nanoseconds."""
        return cpu_ns(self.proc.pid), cpu_ns(self.server) if self.server else 0

    def idle(self):
        """The run time so far, once the program has not run for a quiet
        spell; the server's as it was at the program's last step. The server
        also serves Wine's own services, which poll all the time: only the
        program can say when a selection is over."""
        last = self.cpu()
        since = time.monotonic()
        deadline = since + TIMEOUT
        while True:
            time.sleep(0.002)
            now = self.cpu()
            if now[0] != last[0]:
                last, since = now, time.monotonic()
            elif time.monotonic() - since >= QUIET:
                return last
            if time.monotonic() > deadline:
                raise RuntimeError("the program does not come to rest")
            if self.proc.poll() is not None:
                raise RuntimeError(f"the program ended with exit code {self.proc.returncode}")

    def key(self, name):
        """Presses a key; the run time it cost, in seconds."""
        self.idle()
        before = self.cpu()
        subprocess.run(["xdotool", "key", name], check=True)
        after = self.idle()
        return sum(a - b for a, b in zip(after, before)) / 1e9

    def shoot(self, target):
        self.idle()
        subprocess.run(["import", "-window", "root", str(target)], check=True)

    def close(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=20)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def walk(program, shots=None):
    """One walk: (CPU seconds per group, per entry), each the mean of the walk."""
    program.key("Home")
    program.key("Left")  # the house group closed again after an earlier walk
    groups = [program.key("Down") for _ in range(GROUPS - 1)]
    groups.append(program.key("Home"))
    program.key("Right")
    entries = []
    for level in range(1, HOUSE_LEVELS + 1):
        entries.append(program.key("Down"))
        if shots and level in SHOTS:
            program.shoot(shots / f"{SHOTS[level]}.png")
    if shots:
        # The well, the first entry of the next group.
        for key in ("Down", "Right", "Down"):
            program.key(key)
        program.shoot(shots / "building.png")
    return statistics.mean(groups), statistics.mean(entries)


def run_series(programs, runs, shots):
    """Walks every program once per round, in turns; medians per program."""
    results = {name: ([], []) for name in programs}
    order = list(programs.items())
    for run in range(runs):
        turn = run % len(order)
        for name, start in order[turn:] + order[:turn]:
            program = start()
            try:
                where = None
                if shots and run == runs - 1:
                    where = shots / name.replace(" ", "-")
                    where.mkdir(parents=True, exist_ok=True)
                group, entry = walk(program, where)
            finally:
                program.close()
            results[name][0].append(group)
            results[name][1].append(entry)
    return {name: (statistics.median(g), statistics.median(e))
            for name, (g, e) in results.items()}


def report(medians, target):
    for name, (group, entry) in medians.items():
        print(f"  {name:22} group {group * 1000:6.2f} ms, entry {entry * 1000:6.2f} ms, "
              f"entry/group {entry / group:5.2f} (target at most {target})")


def linux_half(args, work, shots):
    prefix = demo_prefix(args.source, work / "prefix", by_hand=True)
    env = dict(os.environ, WINEPREFIX=prefix, HOME=str(work / "home"))
    env.pop("QT_QPA_PLATFORM", None)
    programs = {"z7edit": lambda: Program([args.z7edit], env)}
    if args.baseline:
        programs["z7edit baseline"] = lambda: Program([args.baseline], env)
    Program([args.z7edit], env).close()  # the first start's backup and guide
    print(f"== Linux: CPU of z7edit per selection, median of {args.runs} walks", flush=True)
    report(run_series(programs, args.runs, shots), LINUX_RATIO_TARGET)


def windows_half(args, work, shots):
    print("  making a Wine prefix ...", flush=True)
    # The prefix of the Windows tests and the e2e harness, with the game
    # registered as its installer registers it.
    sys.path.insert(0, str(Path(args.source) / "tests" / "e2e"))
    import wine_prefix
    env = wine_prefix.bench_environment(args.source, work)
    if args.windows_classic:
        subprocess.run(["wine", "reg", "add",
                        r"HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager",
                        "/v", "ThemeActive", "/t", "REG_SZ", "/d", "0", "/f"], env=env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=TIMEOUT)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=TIMEOUT)

    server = subprocess.Popen(["wineserver", "-f", "-p"], env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        def starter(exe):
            return lambda: Program(["wine", str(exe)], env, server.pid)
        programs = {"z7edit.exe": starter(args.windows_exe)}
        if args.windows_baseline:
            programs["z7edit.exe baseline"] = starter(args.windows_baseline)
        programs["z7edit.exe"]().close()  # warms the server; the first start's backup
        print(f"== Windows: CPU of z7edit.exe and the wineserver per selection, median of "
              f"{args.runs} walks", flush=True)
        report(run_series(programs, args.runs, shots), WINDOWS_RATIO_TARGET)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, timeout=60)
        server.wait(timeout=60)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--source", required=True)
    parser.add_argument("--z7edit", help="the Linux program")
    parser.add_argument("--baseline", help="another build of z7edit, walked in turns with it")
    parser.add_argument("--windows-exe", help="z7edit.exe; the Windows half runs when given")
    parser.add_argument("--windows-baseline", help="another z7edit.exe, walked in turns with it")
    parser.add_argument("--windows-classic", action="store_true",
                        help="the Windows half without Wine's theme")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--screenshots", help="a folder for the pictures of the last walk")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run under xvfb-run -a -s '-screen 0 1280x1024x24 -noreset'")
    windows = args.windows_exe and Path(args.windows_exe).exists()
    if windows and not shutil.which("wine"):
        print("== Windows: skipped, no wine installed")
        windows = False
    shots = Path(args.screenshots).resolve() if args.screenshots else None
    work = Path(tempfile.mkdtemp(prefix="z7-bench-show-"))
    try:
        (work / "home").mkdir()
        if args.z7edit:
            linux_half(args, work, shots and shots / "linux")
        if windows:
            windows_half(args, work, shots and shots / "windows")
        elif args.windows_exe:
            print(f"== Windows: skipped, no {args.windows_exe}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
