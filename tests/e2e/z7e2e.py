"""Drives the real z7edit on a real X display, as a person would.

Each test gets a fresh throwaway Wine prefix made by scripts/make-demo-prefix
(--hand, so no Wine is needed), starts the program with WINEPREFIX pointing at
it (or, to test the search of the launchers' prefixes, without WINEPREFIX and
with the prefix where a launcher keeps it in the test's home folder), presses
keys and clicks with xdotool, and checks the files the program leaves behind
byte by byte. Only the standard library is used.

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

MAIN_TITLE = "Z7 Edit"
QUESTION_TITLE = "Sicherheitsabfrage"
ERROR_TITLE = "Fehler"
CRLF = b"\r\n"
GUIDE_NAME = "Tellmar Modell Dateien.pdf"

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


class Editor:
    """One run of z7edit on a prefix."""

    def __init__(self, ctx, prefix, wineprefix=True):
        """With wineprefix=False the program finds the prefix on its own."""
        self.ctx = ctx
        self.prefix = prefix
        self.wineprefix = wineprefix
        self.proc = None
        self.window = None

    def start(self):
        env = dict(os.environ)
        if self.wineprefix:
            env["WINEPREFIX"] = str(self.prefix.path)
        else:
            env.pop("WINEPREFIX", None)
        # A home of its own, so that nothing can land in the real one.
        env["HOME"] = str(self.ctx.home)
        env.pop("QT_QPA_PLATFORM", None)
        self.ctx.runs += 1
        self.log = self.ctx.artifacts / f"z7edit-run{self.ctx.runs}.log"
        with open(self.log, "wb") as log:
            self.proc = subprocess.Popen([str(self.ctx.z7edit)], env=env, stdout=log,
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

    def keys(self, *keys, wid=None):
        wid = wid or self.window
        self.focus(wid)
        xdotool("key", "--delay", 40, *keys)

    def type(self, text):
        self.focus(self.window)
        xdotool("type", "--delay", 40, text)

    def click(self, point):
        self.focus(self.window)
        xdotool("mousemove", "--window", self.window, point[0], point[1], "click", 1)

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

    def geometry(self):
        out = xdotool("getwindowgeometry", "--shell", self.window).stdout
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return {k: int(v) for k, v in values.items() if k in ("X", "Y", "WIDTH", "HEIGHT")}

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


class Context:
    def __init__(self, args):
        self.z7edit = Path(args.z7edit).resolve()
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
        """A fresh prefix, by default in a folder of its own, else at path."""
        self.prefixes += 1
        return Prefix(self.source, self.tmp / f"p{self.prefixes}", path)

    def screenshot(self, name):
        target = self.artifacts / f"{name}.png"
        subprocess.run(["import", "-window", "root", str(target)], capture_output=True)
        return target

    def close(self):
        for editor in self.editors:
            editor.kill()
        shutil.rmtree(self.tmp, ignore_errors=True)


def run(*cases):
    """Runs the given test functions, each with a fresh Context; prints one
    line per case and a closing count, and exits non-zero when any failed."""
    parser = argparse.ArgumentParser()
    parser.add_argument("--z7edit", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("cases", nargs="*", help="names of the cases to run (default: all)")
    args = parser.parse_args()
    for tool in ("xdotool", "import"):
        if not shutil.which(tool):
            sys.exit(f"{tool} is missing (scripts/test installs it)")
    if not os.environ.get("DISPLAY"):
        sys.exit("no DISPLAY: run under xvfb-run -a -s '-screen 0 1280x1024x24 -noreset'")

    chosen = [c for c in cases if not args.cases or c.__name__ in args.cases]
    passed = failed = 0
    for case in chosen:
        case_args = argparse.Namespace(**vars(args))
        case_args.artifacts = str(Path(args.artifacts) / case.__name__)
        ctx = Context(case_args)
        try:
            case(ctx)
            passed += 1
            print(f"PASS {case.__name__}")
        except Exception as error:  # noqa: BLE001 - every failure is reported the same way
            failed += 1
            shot = ctx.screenshot("failure")
            print(f"FAIL {case.__name__}: {error}")
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
    print(f"{passed} passed, {failed} failed")
    sys.exit(1 if failed or not chosen else 0)
