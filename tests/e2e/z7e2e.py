"""Drives the real program on a real X display, as a person would.

Two programs, the same scenarios:

- the Linux program z7edit (--z7edit): each test gets a fresh throwaway Wine
  prefix made by scripts/make-demo-prefix (--hand, so no Wine is needed) and
  starts the program with WINEPREFIX pointing at it (or, to test the search of
  the launchers' prefixes, without WINEPREFIX and with the prefix where a
  launcher keeps it in the test's home folder);
- the Windows program z7edit.exe under Wine (--wine-exe): the Windows program
  reads the registry of a real prefix, so the prefix is booted by Wine once per
  run (a template, see make_wine_template), each test works on a copy of it, and the
  game's entry is written and deleted with `wine reg`.

The tests press keys and click with xdotool and check the files the program
leaves behind byte by byte. Only the standard library is used.

Windows are found by title among the visible windows of the program's own
process, so any box the test did not expect (an error report, a question)
fails the test with a screenshot instead of hanging it.
"""

import argparse
import os
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

import wine_prefix

MAIN_TITLE = "Z7 Edit"
QUESTION_TITLE = "Sicherheitsabfrage"
ERROR_TITLE = "Fehler"
CRLF = b"\r\n"
GUIDE_NAME = "Tellmar Modell Dateien.pdf"
GAME_PROCESS = "Z7.exe"
CLIENT_SIZE = (901, 601)
APP_PATHS_KEY = r"HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\z7.exe"

# Points in the window's client area, in pixels, for the fixed layout of the
# main window and its two value panels (Panel1 at 239,135; Panel2 at 239,269).
PANEL1 = (239, 135)
PANEL2 = (239, 269)
BEENDEN = (741, 579)
SPEICHERN = (569, 539)
GESAMTRESET = (120, 539)
# The first row of the catalogue tree while it is scrolled to the top.
TREE_FIRST_ROW = (60, 144)


def in_panel(panel, x, y):
    return (panel[0] + x, panel[1] + y)


class Failure(Exception):
    pass


class LinuxOnly:
    """Marks a case that has no meaning for the Windows program; a Windows run
    lists it as skipped by design and counts it neither way."""

    def __init__(self, reason, case):
        self.reason = reason
        self.case = case
        self.__name__ = case.__name__

    def __call__(self, ctx):
        return self.case(ctx)


def linux_only(reason):
    return lambda case: LinuxOnly(reason, case)


def check(condition, message):
    if not condition:
        raise Failure(message)


def login_name():
    # The same user make-demo-prefix gives a Documents folder (id -un).
    return pwd.getpwuid(os.getuid()).pw_name


def xdotool(*args, check_rc=True):
    result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True)
    if check_rc and result.returncode != 0:
        raise Failure(f"xdotool {' '.join(map(str, args))} failed: {result.stderr.strip()}")
    return result


def wait_until(what, predicate, timeout, interval=0.05):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def cpu_ticks(pid):
    """The CPU time a process has used so far, in clock ticks, or None once it is gone."""
    try:
        fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return int(fields[11]) + int(fields[12])  # utime and stime of all its threads


def wait_idle(pid, quiet=0.15, timeout=10):
    """Waits until the process has used no CPU for `quiet` seconds. Under Wine a
    window takes the focus asynchronously: X tells the program, and only when
    the program has handled that does Wine send it keys. Keys sent earlier are
    dropped, so input waits for the program to have caught up."""
    deadline = time.monotonic() + timeout
    last, since = cpu_ticks(pid), time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(0.03)
        now = cpu_ticks(pid)
        if now is None:
            return
        if now != last:
            last, since = now, time.monotonic()
        elif time.monotonic() - since >= quiet:
            return


WINE_OVERRIDES = "mscoree,mshtml=;winemenubuilder.exe=d"
# The complaints of a Wine without its 32-bit half, which say nothing about the test.
WINE_NOISE = ("wine32 is missing", "multiarch needs", "dpkg --add-architecture",
              "apt-get install wine32", "execute ")


def wine_env(prefix, home):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), HOME=str(home), WINEARCH="win64", WINEDEBUG="-all",
               WINEDLLOVERRIDES=WINE_OVERRIDES)
    env.pop("QT_QPA_PLATFORM", None)
    return env


def wine_output(text):
    return "\n".join(line for line in text.splitlines() if not line.startswith(WINE_NOISE))


def wine_command(env, *args, timeout=120):
    """Runs a Wine command to its end. A prefix that is still settling can
    refuse a command, which is then tried again. The output goes to a file: the first program of a Wine session
    starts the session's own processes, which inherit its output and would
    hold a pipe open for as long as they run."""
    for _ in range(3):
        with tempfile.TemporaryFile() as output:
            code = subprocess.run(args, env=env, stdout=output, stderr=subprocess.STDOUT,
                                  stdin=subprocess.DEVNULL, timeout=timeout).returncode
            output.seek(0)
            text = output.read().decode(errors="replace")
        if code == 0:
            return text
        time.sleep(1)
    raise Failure(f"{' '.join(args)} failed ({code}): {wine_output(text)[-500:]}")


def stop_wineserver(env):
    subprocess.run(["wineserver", "-k"], env=env, capture_output=True, timeout=60)
    subprocess.run(["wineserver", "-w"], env=env, capture_output=True, timeout=60)
    # Debian's Wine keeps the server's socket in a folder of /tmp that the
    # prefix names in its file "wineserver".
    server = Path(env["WINEPREFIX"]) / "wineserver"
    if server.is_file():
        name = server.read_text().strip()
        if name.startswith("wine-") and "/" not in name:
            shutil.rmtree(Path(tempfile.gettempdir()) / name, ignore_errors=True)


def make_wine_template(path):
    """Boots a prefix by the one recipe (wine_prefix.py), with everything a
    run of the window on Xvfb needs. Booting costs 5 to 20 s, so a run does it
    once and every test works on a copy (WinePrefix)."""
    path = Path(path).resolve()
    home = path.parent / f"{path.name}-home"
    wine_prefix.make_prefix(path, home)
    # The copies start servers of their own.
    stop_wineserver(wine_env(path, home))
    (path / "wineserver").unlink(missing_ok=True)
    return path


class Prefix:
    """A throwaway Wine prefix with the demo game folder C:\\Spiele\\Z7."""

    def __init__(self, source, root, path=None):
        self.path = Path(path) if path else Path(root) / "prefix"
        subprocess.run([str(Path(source) / "scripts" / "make-demo-prefix"), str(self.path), "--hand"],
                       check=True, stdout=subprocess.DEVNULL)
        self.game = self.path / "drive_c" / "Spiele" / "Z7"
        self.documents = self.path / "drive_c" / "users" / login_name() / "Documents"

    @property
    def model(self):
        return self.game / "z7_model.txt"

    @property
    def backup(self):
        return self.game / "z7_model.bak"

    @property
    def guide(self):
        return self.documents / GUIDE_NAME

    def drop_registry_entry(self):
        # A registry of the same form that simply lacks the App Paths key.
        (self.path / "system.reg").write_text(
            "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n")

    def drop_game_executable(self):
        (self.game / "z7.exe").unlink()

    def as_proton(self):
        """The layout of Proton's prefixes: the one user is "steamuser"."""
        users = self.path / "drive_c" / "users"
        (users / login_name()).rename(users / "steamuser")
        self.documents = users / "steamuser" / "Documents"
        return self


class WinePrefix(Prefix):
    """A copy of the run's booted prefix, with its own server and its own home
    folder, and the demo game folder C:\\Spiele\\Z7."""

    def __init__(self, ctx, path):
        self.path = Path(path)
        self.path.parent.mkdir(parents=True, exist_ok=True)
        template = ctx.wine_template
        # Linked, not copied: a prefix holds some 700 MB of system files that
        # nothing here writes. What Wine or a test does write is copied.
        linked = subprocess.run(["cp", "-a", "--link", str(template), str(self.path)],
                                capture_output=True)
        if linked.returncode != 0:
            shutil.rmtree(self.path, ignore_errors=True)
            subprocess.run(["cp", "-a", str(template), str(self.path)], check=True)
        for own in [*self.path.glob("*.reg"), *(self.path / "drive_c" / "windows").glob("*.ini")]:
            shutil.copy2(template / own.relative_to(self.path), own.with_suffix(own.suffix + ".new"))
            own.with_suffix(own.suffix + ".new").replace(own)
        users = self.path / "drive_c" / "users"
        shutil.rmtree(users)
        shutil.copytree(template / "drive_c" / "users", users, symlinks=True)
        # Wine linked the user's folders to the home of the boot; each test has its own.
        for link in users.rglob("*"):
            if link.is_symlink() and os.readlink(link).startswith("/") and \
                    Path(os.readlink(link)).resolve() == ctx.wine_template_home:
                link.unlink()
                link.symlink_to(ctx.home)
        self.env = wine_env(self.path, ctx.home)
        # One server for every program of the test, started before the first
        # of them: a cold start costs a second, a warm one a tenth. It stays a
        # minute after its last program, so that a test that died leaves no
        # server behind for long; close() ends it at once.
        subprocess.run(["wineserver", "-p60"], env=self.env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        self.game = self.path / "drive_c" / "Spiele" / "Z7"
        self.game.mkdir(parents=True)
        (self.game / "z7.exe").write_bytes(b"")
        self.documents = users / login_name() / "Documents"

    def wine(self, *args):
        return wine_command(self.env, "wine", *args)

    def drop_registry_entry(self):
        self.wine("reg", "delete", APP_PATHS_KEY, "/reg:32", "/f")

    def as_proton(self):
        raise Failure("a Proton prefix is the Linux program's concern")

    def close(self):
        stop_wineserver(self.env)


class Editor:
    """One run of the program on a prefix."""

    def __init__(self, ctx, prefix, wineprefix=True):
        """With wineprefix=False the program finds the prefix on its own."""
        self.ctx = ctx
        self.prefix = prefix
        self.wineprefix = wineprefix
        self.proc = None
        self.window = None

    def start(self):
        if self.ctx.wine:
            env = dict(self.prefix.env)
            command = ["wine", str(self.ctx.program)]
        else:
            env = dict(os.environ)
            if self.wineprefix:
                env["WINEPREFIX"] = str(self.prefix.path)
            else:
                env.pop("WINEPREFIX", None)
            # A home of its own, so that nothing can land in the real one.
            env["HOME"] = str(self.ctx.home)
            env.pop("QT_QPA_PLATFORM", None)
            command = [str(self.ctx.program)]
        self.ctx.runs += 1
        self.log = self.ctx.artifacts / f"z7edit-run{self.ctx.runs}.log"
        with open(self.log, "wb") as log:
            # Under Wine the process started is the Windows program's own: its
            # windows carry its process id, and its exit code is the program's.
            self.proc = subprocess.Popen(command, env=env, stdout=log,
                                         stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        self.ctx.editors.append(self)
        return self

    def windows(self):
        """The visible top-level windows of the program: {id: title}."""
        found = xdotool("search", "--onlyvisible", "--pid", self.proc.pid, check_rc=False)
        result = {}
        for wid in found.stdout.split():
            name = xdotool("getwindowname", wid, check_rc=False)
            if name.returncode == 0:
                result[wid] = name.stdout.rstrip("\n")
        return result

    def wait_window(self, title, timeout=60, allowed=(MAIN_TITLE,)):
        """Waits for a visible window with this title; any other window but
        the allowed ones, or the end of the process, fails at once."""
        def look():
            if self.proc.poll() is not None:
                raise Failure(f"z7edit ended with exit code {self.proc.returncode} "
                              f"before a window \"{title}\" appeared")
            shown = self.windows()
            strangers = {t for t in shown.values() if t != title and t not in allowed}
            if strangers:
                raise Failure(f"unexpected window(s) {sorted(strangers)} while waiting for \"{title}\"")
            return next((wid for wid, t in shown.items() if t == title), None)
        return wait_until(f"a window \"{title}\"", look, timeout)

    def wait_main_window(self, timeout=60):
        self.window = self.wait_window(MAIN_TITLE, timeout, allowed=())
        if self.ctx.wine:
            self.ctx.measure_frame(self.window)
        return self.window

    def wait_gone(self, wid, timeout=20):
        wait_until("a box to close",
                   lambda: wid not in self.windows() or self.proc.poll() is not None, timeout)

    def assert_only_main_window(self):
        shown = sorted(self.windows().values())
        check(shown == [MAIN_TITLE], f"expected only the window \"{MAIN_TITLE}\", found {shown}")

    def focus(self, wid):
        # Without a window manager nobody hands the focus back when a box
        # closes, so every input first puts the X focus where it belongs.
        xdotool("windowfocus", "--sync", wid)
        if self.ctx.wine:
            wait_idle(self.proc.pid)

    def keys(self, *keys, wid=None):
        wid = wid or self.window
        self.focus(wid)
        xdotool("key", "--delay", 40, *keys)

    def type(self, text):
        self.focus(self.window)
        xdotool("type", "--delay", 40, text)

    def click(self, point):
        """Clicks at a point of the main window's client area."""
        self.focus(self.window)
        dx, dy = self.ctx.frame_offset()
        xdotool("mousemove", "--window", self.window, point[0] + dx, point[1] + dy, "click", 1)

    def replace_text(self, point, text):
        """Clicks into an edit, selects what it holds and types the new text."""
        self.click(point)
        self.keys("ctrl+a")
        self.type(text)

    def answer(self, *keys, title=QUESTION_TITLE):
        """Waits for a box with the given title, presses the keys in it and
        waits for it to close."""
        box = self.wait_window(title, timeout=20)
        self.keys(*keys, wid=box)
        self.wait_gone(box)
        if self.ctx.wine:
            wait_idle(self.proc.pid)

    def geometry(self):
        """The X window: under Wine with its frame, under Qt the client area."""
        return window_geometry(self.window)

    def client_geometry(self):
        geo = self.geometry()
        if not self.ctx.wine:
            return geo
        frame = self.ctx.frame
        return {"X": geo["X"] + frame["left"], "Y": geo["Y"] + frame["top"],
                "WIDTH": frame["client_width"], "HEIGHT": geo["HEIGHT"] - frame["top"] - frame["left"]}

    def expect_exit_code_0(self, after, timeout=20):
        try:
            code = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise Failure(f"z7edit did not end within {timeout} s after {after}")
        check(code == 0, f"exit code {code} after {after}")

    def kill(self):
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGKILL)
            self.proc.wait()


def window_geometry(wid):
    out = xdotool("getwindowgeometry", "--shell", wid).stdout
    values = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return {k: int(v) for k, v in values.items() if k in ("X", "Y", "WIDTH", "HEIGHT")}


MAROON = b"\x80\x00\x00"
# The maroon line under the header strip: client row 130, from column 0 to
# past the client's right edge.
HEADER_LINE_ROW = 130
HEADER_LINE_MIN = 600


def find_header_line(wid):
    """Where the header line lies in the X window's picture: (left, top,
    length), or None while the window is not painted yet."""
    geo = window_geometry(wid)
    width, height = geo["WIDTH"], geo["HEIGHT"]
    shot = subprocess.run(["import", "-window", str(wid), "-depth", "8", "rgb:-"],
                          capture_output=True).stdout
    if len(shot) != width * height * 3:
        return None
    run = MAROON * HEADER_LINE_MIN
    for y in range(height):
        row = shot[y * width * 3:(y + 1) * width * 3]
        start = row.find(run)
        while start >= 0 and start % 3:
            start = row.find(run, start + 1)
        if start < 0:
            continue
        end = start
        while row[end:end + 3] == MAROON:
            end += 3
        return start // 3, y, (end - start) // 3
    return None


def wait_for_file(path, expected, timeout=20):
    """Waits until the file holds exactly the expected bytes (a store is
    written by the program after the click that asked for it)."""
    def matches():
        try:
            return Path(path).read_bytes() == expected
        except OSError:
            return False
    try:
        wait_until(f"{path} to hold the expected bytes", matches, timeout)
    except Failure:
        assert_bytes(path, expected)
        raise


def assert_bytes(path, expected):
    path = Path(path)
    check(path.exists(), f"{path} does not exist")
    actual = path.read_bytes()
    if actual == expected:
        return
    lines = []
    got, want = actual.split(CRLF), expected.split(CRLF)
    for i in range(max(len(got), len(want))):
        g = got[i] if i < len(got) else None
        w = want[i] if i < len(want) else None
        if g != w:
            lines.append(f"  line {i + 1}: expected {w!r}\n  {' ' * len(str(i + 1))}       got {g!r}")
        if len(lines) >= 10:
            break
    raise Failure(f"{path.name}: {len(actual)} bytes, expected {len(expected)}; first differences:\n"
                  + "\n".join(lines))


# Wine's frame around the client area, the same for every window of a run.
_measured_frame = None


class Context:
    def __init__(self, args):
        self.wine = bool(args.wine_exe)
        self.program = Path(args.wine_exe or args.z7edit).resolve()
        self.wine_template = Path(args.wine_template).resolve() if self.wine else None
        self.wine_template_home = (self.wine_template.parent / f"{self.wine_template.name}-home"
                                   if self.wine else None)
        self.running_game = args.running_game
        self.game_processes = []
        self.wine_prefixes = []
        self.source = Path(args.source).resolve()
        self.artifacts = Path(args.artifacts).resolve()
        shutil.rmtree(self.artifacts, ignore_errors=True)
        self.artifacts.mkdir(parents=True)
        self.tmp = Path(tempfile.mkdtemp(prefix="z7-e2e-"))
        self.home = self.tmp / "home"
        self.home.mkdir()
        self.editors = []
        self.runs = 0
        self.prefixes = 0

    def text(self, name):
        return (self.source / "resources" / "texts" / name).read_bytes()

    def new_prefix(self, path=None):
        """A fresh prefix, by default in a folder of its own, else at path
        (which only the Linux program's search of the launchers needs)."""
        self.prefixes += 1
        if self.wine:
            check(path is None, "the Windows program is given its prefix by WINEPREFIX only")
            prefix = WinePrefix(self, self.tmp / f"p{self.prefixes}" / "prefix")
            self.wine_prefixes.append(prefix)
            return prefix
        return Prefix(self.source, self.tmp / f"p{self.prefixes}", path)

    def start_game(self, prefix):
        """A process named Z7.exe, as the running game: under Wine a real
        Windows process in the prefix, on Linux a program of that name."""
        if self.wine:
            check(self.running_game, "--running-game names no stand-in for the game")
            command, env = ["wine", str(Path(self.running_game).resolve())], prefix.env
        else:
            stand_in = self.tmp / GAME_PROCESS
            shutil.copy2(shutil.which("sleep"), stand_in)
            command, env = [str(stand_in), "600"], dict(os.environ)
        game = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)
        self.game_processes.append(game)
        if self.wine:
            # The stand-in says so once it runs, and is then in the process list.
            line = game.stdout.readline()
            check(line.strip() == b"running", f"the stand-in for the game said {line!r}")
        return game

    def measure_frame(self, wid):
        """Measures once per run where Wine's frame puts the client area: the
        header line starts at the client's left edge, in its row 130, and
        runs to the client's right edge."""
        global _measured_frame
        if _measured_frame is None:
            left, row, length = wait_until("the header line to be painted",
                                           lambda: find_header_line(wid), 10)
            _measured_frame = {"left": left, "top": row - HEADER_LINE_ROW, "client_width": length}
            check(0 <= left < 40 and 0 <= row - HEADER_LINE_ROW < 60,
                  f"Wine's frame is not where a frame can be: {_measured_frame}")
        return _measured_frame

    @property
    def frame(self):
        check(_measured_frame is not None, "the frame is measured on the first main window")
        return _measured_frame

    def frame_offset(self):
        if not self.wine:
            return (0, 0)
        return (self.frame["left"], self.frame["top"])

    def screenshot(self, name):
        target = self.artifacts / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(target)], capture_output=True)
        return target

    def close(self):
        for editor in self.editors:
            editor.kill()
        for game in self.game_processes:
            if game.poll() is None:
                game.kill()
            game.wait()
        for prefix in self.wine_prefixes:
            prefix.close()
        shutil.rmtree(self.tmp, ignore_errors=True)


def run(*cases):
    """Runs the given test functions, each with a fresh Context; prints one
    line per case and a closing count, and exits non-zero when any failed."""
    parser = argparse.ArgumentParser()
    program = parser.add_mutually_exclusive_group(required=True)
    program.add_argument("--z7edit", help="the Linux program")
    program.add_argument("--wine-exe", help="the Windows program, run under Wine")
    parser.add_argument("--wine-template",
                        help="a prefix made by z7e2e.py --make-wine-template (default: one of "
                             "this run's own)")
    parser.add_argument("--running-game", help="the stand-in Z7.exe that Windows tests run as the game")
    parser.add_argument("--source", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("cases", nargs="*", help="names of the cases to run (default: all)")
    args = parser.parse_args()
    for tool in ("xdotool", "import") + (("wine", "wineserver") if args.wine_exe else ()):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing (scripts/test installs it)")
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run under xvfb-run -a -s '-screen 0 1280x1024x24 -noreset'")

    own_template = None
    if args.wine_exe and not args.wine_template:
        own_template = Path(tempfile.mkdtemp(prefix="z7-e2e-wine-"))
        args.wine_template = str(make_wine_template(own_template / "template"))

    chosen = [c for c in cases if not args.cases or c.__name__ in args.cases]
    passed = failed = skipped = 0
    for case in chosen:
        if args.wine_exe and isinstance(case, LinuxOnly):
            skipped += 1
            print(f"SKIP {case.__name__}: the Linux program only ({case.reason})")
            continue
        case_args = argparse.Namespace(**vars(args))
        case_args.artifacts = str(Path(args.artifacts) / case.__name__)
        ctx = Context(case_args)
        started = time.monotonic()
        try:
            case(ctx)
            passed += 1
            print(f"PASS {case.__name__} ({time.monotonic() - started:.1f} s)")
        except Exception as error:  # noqa: BLE001 - every failure is reported the same way
            failed += 1
            shot = ctx.screenshot("failure")
            print(f"FAIL {case.__name__} ({time.monotonic() - started:.1f} s): {error}")
            if subprocess.run(["xdotool", "getdisplaygeometry"], capture_output=True).returncode:
                print(f"     the X server on {os.environ['DISPLAY']} is gone")
            if not isinstance(error, Failure):
                traceback.print_exc()
            print(f"     screenshot: {shot}")
            for editor in ctx.editors:
                if editor.log.exists() and editor.log.stat().st_size:
                    print(f"     {editor.log.name}:\n" + editor.log.read_text(errors="replace"))
        finally:
            ctx.close()
    if own_template:
        shutil.rmtree(own_template, ignore_errors=True)
    print(f"{passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else ""))
    sys.exit(1 if failed or not chosen else 0)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description="Helpers of the end-to-end tests.")
    parser.add_argument("--make-wine-template", metavar="DIR", required=True,
                        help="boots a prefix at DIR (its home folder beside it, DIR-home) that "
                             "the Windows tests of a run copy")
    try:
        print(make_wine_template(parser.parse_args().make_wine_template))
    except Failure as error:
        sys.exit(f"z7e2e: {error}")
