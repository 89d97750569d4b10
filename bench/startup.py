#!/usr/bin/env python3
"""Start-up of z7edit against a bare Qt window, both measured from outside in
the same way and in the same run, on the same X server.

Time: from just before the process is started until its window is shown and
the program is idle. A process counts as idle once its window is visible and
its threads have used no CPU for a quiet spell; the figure is the moment of its
last CPU use before that spell (the threads' run time from
/proc/PID/task/*/schedstat, sampled about every millisecond), which is when
the first frame has been painted and the event loop has gone to sleep.

Memory: the peak resident set size of the ended process, from the kernel's
resource usage (the figure /usr/bin/time -v prints as "Maximum resident set
size").

z7edit runs on a throwaway prefix whose first start (backup, default model,
guide) has already happened, so the runs measure the ordinary start.

Run it through the build target bench_startup, or by hand under a display:
  xvfb-run -a -s '-screen 0 1280x1024x24 -noreset' bench/startup.py --z7edit ... --bare ... --source .
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
    peak RSS in KiB)."""
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
    return last_change - start, last_cpu / 1e9, usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--z7edit", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--baseline", help="another build of z7edit, run alternately with the "
                        "first, to compare two versions side by side")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run under xvfb-run -a -s '-screen 0 1280x1024x24 -noreset'")

    work = Path(tempfile.mkdtemp(prefix="z7-bench-startup-"))
    try:
        prefix = subprocess.run([str(Path(args.source) / "scripts" / "make-demo-prefix"),
                                 str(work / "prefix"), "--hand"],
                                check=True, capture_output=True, text=True).stdout.strip()
        shutil.copy(Path(args.source) / "resources" / "texts" / "NewModell",
                    Path(prefix) / "drive_c" / "Spiele" / "Z7" / "z7_model.txt")
        (work / "home").mkdir()
        env = dict(os.environ, WINEPREFIX=prefix, HOME=str(work / "home"))
        env.pop("QT_QPA_PLATFORM", None)

        programs = {"bare Qt window": ([args.bare], "Bare Window"),
                    "bare with text": ([args.bare, "text"], "Bare Window"),
                    "z7edit": ([args.z7edit], "Z7 Edit")}
        if args.baseline:
            programs["z7edit baseline"] = ([args.baseline], "Z7 Edit")
        results = {name: ([], [], []) for name in programs}
        for name, (program, title) in programs.items():
            measure(program, title, env)  # warm-up; z7edit's first start happens here
        for _ in range(args.runs):
            for name, (program, title) in programs.items():
                for series, value in zip(results[name], measure(program, title, env)):
                    series.append(value)
    finally:
        shutil.rmtree(work, ignore_errors=True)

    print(f"start-up until shown and idle, median of {args.runs} runs (min..max):")
    medians = {}
    for name, (times, cpu, rss) in results.items():
        medians[name] = [statistics.median(series) for series in (times, cpu, rss)]
        print(f"  {name:15} {medians[name][0] * 1000:7.1f} ms ({min(times) * 1000:.1f}.."
              f"{max(times) * 1000:.1f}), CPU {medians[name][1] * 1000:6.1f} ms, "
              f"peak RSS {medians[name][2] / 1024:5.1f} MiB")
    ratios = [z / b for z, b in zip(medians["z7edit"], medians["bare Qt window"])]
    print(f"  ratio time {ratios[0]:.2f} (target at most 1.3), "
          f"peak memory {ratios[2]:.2f} (target at most 1.5)")
    # The CPU time spent until idle hardly depends on what else the machine does.
    print(f"  ratio CPU time until idle {ratios[1]:.2f}")
    # A bare window draws no text; the editor's first label pays for the font
    # database and a font match, which any window with text pays as well.
    text = [z / b for z, b in zip(medians["z7edit"], medians["bare with text"])]
    print(f"  against a bare window with one label and one edit: time {text[0]:.2f}, "
          f"CPU {text[1]:.2f}, peak memory {text[2]:.2f}")
    if args.baseline:
        base = [z / b for z, b in zip(medians["z7edit"], medians["z7edit baseline"])]
        print(f"  against the baseline z7edit: time {base[0]:.2f}, CPU {base[1]:.2f}, "
              f"peak memory {base[2]:.2f}")


if __name__ == "__main__":
    main()
