#!/usr/bin/env python3
"""Start-up of both editors against their floors, each pair measured from
outside in the same way, alternately and in the same run, on one X server.

Linux: z7edit against a bare Qt window of the same size that shows one label
and one edit (and against an empty one, to tell the first text's cost apart).
Windows: z7edit.exe under Wine against a bare Win32 window with one label and
one edit (bench/bare_window_win.cpp), both started on the same warm wineserver
of a throwaway prefix in which the game is registered; and against the same
window with a tree, three buttons and the Documents folder, to tell apart
what the common controls and the shell cost any program under Wine.

Time: from just before the process is started until its window is shown and
the program is idle. A process counts as idle once its window is visible and
its threads have used no CPU for a quiet spell; the figure is the moment of its
last CPU use before that spell (the threads' run time from
/proc/PID/task/*/schedstat, sampled about every millisecond), which is when
the first frame has been painted and the event loop has gone to sleep. Under
Wine the process started as `wine PROGRAM` becomes the Windows process itself,
so the same criterion holds for both halves.

Memory: the peak resident set size of the ended process, from the kernel's
resource usage (the figure /usr/bin/time -v prints as "Maximum resident set
size").

Page faults and context switches come from the same resource usage. They
hardly vary between runs, so they show a change of a few per cent that the
times of a shared machine hide. Each round starts the programs in another
order, so that none of them always runs right after the same other one.

Both editors run on a throwaway prefix whose first start (backup, default
model, guide) has already happened, so the runs measure the ordinary start.

Run it through the build target bench_startup, or by hand under a display:
  xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' bench/startup.py --source . \\
      --z7edit ... --bare ... [--windows-build build-windows]
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

QUIET = 0.3
TIMEOUT = 60
# The targets: at most these ratios against the floor with one label and one edit.
LINUX_TIME_TARGET = 1.25
LINUX_MEMORY_TARGET = 1.15
WINDOWS_TIME_TARGET = 1.15


def cpu_ns(pid):
    total = 0
    try:
        tasks = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return total
    for tid in tasks:
        try:
            with open(f"/proc/{pid}/task/{tid}/schedstat") as stat:
                total += int(stat.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass  # a thread that ended meanwhile
    return total


def window_visible(pid, title):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid),
                            "--name", f"^{title}$"], capture_output=True)
    return found.returncode == 0 and bool(found.stdout.strip())


def measure(program, title, env):
    """One start: (seconds until shown and idle, CPU seconds used until then,
    peak RSS in KiB, page faults, context switches)."""
    start = time.monotonic()
    proc = subprocess.Popen(program, env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    last_cpu = -1
    last_change = start
    try:
        while True:
            now = time.monotonic()
            if now - start > TIMEOUT:
                raise RuntimeError(f"{program[0]}: no idle window \"{title}\" within {TIMEOUT} s")
            if proc.poll() is not None:
                raise RuntimeError(f"{program[0]} ended with exit code {proc.returncode}")
            cpu = cpu_ns(proc.pid)
            if cpu != last_cpu:
                last_cpu, last_change = cpu, now
            elif now - last_change >= QUIET and window_visible(proc.pid, title):
                if cpu_ns(proc.pid) == last_cpu:
                    break
            time.sleep(0.0005)
    finally:
        if proc.poll() is None:
            proc.send_signal(signal.SIGTERM)
    _, _, usage = os.wait4(proc.pid, 0)
    return (last_change - start, last_cpu / 1e9, usage.ru_maxrss,
            usage.ru_minflt + usage.ru_majflt, usage.ru_nvcsw + usage.ru_nivcsw)


def run_series(programs, env, runs):
    """Medians of time, CPU, peak RSS, page faults and context switches per
    program, started alternately."""
    results = {name: ([], [], [], [], []) for name in programs}
    order = list(programs.items())
    for _, (program, title) in order:
        measure(program, title, env)  # warm-up; the editor's first start happens here
    for run in range(runs):
        turn = run % len(order)
        for name, (program, title) in order[turn:] + order[:turn]:
            for series, value in zip(results[name], measure(program, title, env)):
                series.append(value)
    medians = {}
    print(f"start-up until shown and idle, median of {runs} runs (min..max):")
    for name, series in results.items():
        medians[name] = [statistics.median(values) for values in series]
        times = series[0]
        time_, cpu, rss, faults, switches = medians[name]
        print(f"  {name:26} {time_ * 1000:7.1f} ms ({min(times) * 1000:.1f}.."
              f"{max(times) * 1000:.1f}), CPU {cpu * 1000:6.1f} ms, "
              f"peak RSS {rss / 1024:5.1f} MiB, {faults:6.0f} page faults, "
              f"{switches:5.0f} context switches")
    return medians


def ratios(medians, name, floor):
    """time, CPU, peak memory, page faults, context switches of name / floor."""
    return [z / b for z, b in zip(medians[name], medians[floor])]


def counted(ratio):
    return f"page faults {ratio[3]:.2f}, context switches {ratio[4]:.2f}"


def figures(ratio):
    """A ratio without a target, in the order the targeted lines print it."""
    return (f"time {ratio[0]:.2f}, peak memory {ratio[2]:.2f}, CPU {ratio[1]:.2f}, "
            f"{counted(ratio)}")


def demo_prefix(source, folder, by_hand):
    """A prefix with the demo game folder and the game's model file in it."""
    command = [str(Path(source) / "scripts" / "make-demo-prefix"), str(folder)]
    if by_hand:
        command.append("--hand")
    prefix = subprocess.run(command, check=True, capture_output=True, text=True,
                            env=dict(os.environ, HOME=str(folder.parent / "home"))
                            ).stdout.strip().splitlines()[-1]
    shutil.copy(Path(source) / "resources" / "texts" / "NewModell",
                Path(prefix) / "drive_c" / "Spiele" / "Z7" / "z7_model.txt")
    return prefix


def linux_half(args, work):
    prefix = demo_prefix(args.source, work / "prefix", by_hand=True)
    env = dict(os.environ, WINEPREFIX=prefix, HOME=str(work / "home"))
    env.pop("QT_QPA_PLATFORM", None)
    programs = {"bare Qt window": ([args.bare], "Bare Window"),
                "bare with text": ([args.bare, "text"], "Bare Window"),
                "z7edit": ([args.z7edit], "Z7 Edit")}
    if args.baseline:
        programs["z7edit baseline"] = ([args.baseline], "Z7 Edit")
    print("== Linux: z7edit against a bare Qt window")
    medians = run_series(programs, env, args.runs)
    # The floor: any window with text pays for the font database, a font
    # match and a first text layout, which the empty window does not.
    text = ratios(medians, "z7edit", "bare with text")
    print(f"  against the bare window with one label and one edit: time {text[0]:.2f} "
          f"(target at most {LINUX_TIME_TARGET}), peak memory {text[2]:.2f} "
          f"(target at most {LINUX_MEMORY_TARGET}), CPU {text[1]:.2f}, {counted(text)}")
    empty = ratios(medians, "z7edit", "bare Qt window")
    print(f"  against the empty bare window: {figures(empty)}")
    if args.baseline:
        base = ratios(medians, "z7edit", "z7edit baseline")
        print(f"  against the baseline z7edit: {figures(base)}")


def windows_half(args, work, exe, bare_exe):
    print("== Windows: z7edit.exe under Wine against a bare Win32 window")
    print("  making a Wine prefix ...", flush=True)
    # The prefix of the Windows tests and the e2e harness, with the game
    # registered as its installer registers it.
    sys.path.insert(0, str(Path(args.source) / "tests" / "e2e"))
    import wine_prefix
    env = wine_prefix.bench_environment(args.source, work)

    # One warm wineserver for the whole series, its output away from ours.
    server = subprocess.Popen(["wineserver", "-f", "-p"], env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        programs = {"bare Win32 window": (["wine", str(bare_exe)], "Bare Window"),
                    "bare with common controls": (["wine", str(bare_exe), "controls"],
                                                  "Bare Window"),
                    "z7edit.exe": (["wine", str(exe)], "Z7 Edit")}
        if args.windows_baseline:
            programs["z7edit.exe baseline"] = (["wine", str(args.windows_baseline)], "Z7 Edit")
        medians = run_series(programs, env, args.runs)
    finally:
        subprocess.run(["wineserver", "-k"], env=env, timeout=60)
        server.wait(timeout=60)
    floor = ratios(medians, "z7edit.exe", "bare Win32 window")
    print(f"  against the bare Win32 window with one label and one edit: time {floor[0]:.2f} "
          f"(target at most {WINDOWS_TIME_TARGET}), peak memory {floor[2]:.2f}, "
          f"CPU {floor[1]:.2f}, {counted(floor)}")
    controls = ratios(medians, "z7edit.exe", "bare with common controls")
    print(f"  against the bare window with a tree and buttons: {figures(controls)}")
    if args.windows_baseline:
        base = ratios(medians, "z7edit.exe", "z7edit.exe baseline")
        print(f"  against the baseline z7edit.exe: {figures(base)}")


def windows_programs(args):
    """z7edit.exe and the bare window, or None when there is no Windows build."""
    exe = Path(args.windows_exe) if args.windows_exe else None
    build = Path(args.windows_build) if args.windows_build else None
    if not exe and build:
        exe = build / "z7edit.exe"
    if not exe or not exe.exists():
        return None
    if not shutil.which("wine"):
        print("== Windows: skipped, no wine installed")
        return None
    bare = Path(args.windows_bare) if args.windows_bare else exe.parent / "bench_bare_window.exe"
    if not args.windows_bare:
        # Built beside the editor with the same toolchain and flags.
        subprocess.run(["cmake", "--build", str(exe.parent), "--target", "bench_bare_window"],
                       check=True, stdout=subprocess.DEVNULL)
    return exe, bare


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--z7edit", help="the Linux program")
    parser.add_argument("--bare", help="bench_bare_window, the Qt floor")
    parser.add_argument("--source", required=True)
    parser.add_argument("--runs", type=int, default=20)
    parser.add_argument("--baseline", help="another build of z7edit, run alternately with the "
                        "first, to compare two versions side by side")
    parser.add_argument("--windows-build", help="the Windows build folder (scripts/build-windows): "
                        "the Windows half runs when it holds z7edit.exe")
    parser.add_argument("--windows-exe", help="z7edit.exe, instead of the build folder's")
    parser.add_argument("--windows-bare", help="the bare Win32 window program, instead of "
                        "building bench_bare_window beside z7edit.exe")
    parser.add_argument("--windows-baseline", help="another z7edit.exe, run alternately")
    parser.add_argument("--only", choices=["linux", "windows"], help="run one half")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run under xvfb-run -a -s '-screen 0 1280x1024x24 -noreset'")
    linux = args.only != "windows"
    if linux and not (args.z7edit and args.bare):
        sys.exit("the Linux half needs --z7edit and --bare (or --only windows)")
    windows = windows_programs(args) if args.only != "linux" else None
    if args.only == "windows" and not windows:
        sys.exit("no z7edit.exe: give --windows-build or --windows-exe")

    work = Path(tempfile.mkdtemp(prefix="z7-bench-startup-"))
    try:
        (work / "home").mkdir()
        if linux:
            linux_half(args, work)
        if windows:
            windows_half(args, work, *windows)
        elif args.only != "linux":
            print("== Windows: skipped, no z7edit.exe (build it with scripts/build-windows)")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
