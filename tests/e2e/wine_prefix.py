"""The Wine prefix for the Windows program, made by the one recipe that the
stages and the Windows tests use too (z7_wine_prefix in scripts/lib.sh): booted
by Wine, the game registered at C:\\Spiele\\Z7, Wine drawing the window frames
itself, Tahoma and Marlett in its fonts. For the e2e harness (z7e2e.py) and
the start-up benchmark (bench/startup.py)."""

import os
import shutil
import subprocess
from pathlib import Path

LIB = Path(__file__).resolve().parents[2] / "scripts" / "lib.sh"


def make_prefix(prefix, home, timeout=600):
    """Makes the prefix, with HOME as the folder Wine links its Documents
    into, and returns its path once its wineserver has ended."""
    # The output goes nowhere: the session's own processes inherit it and
    # would hold a pipe open for as long as they run.
    subprocess.run(["bash", "-c", 'source "$0" && z7_wine_prefix "$1" "$2"',
                    str(LIB), str(prefix), str(home)],
                   check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, timeout=timeout)
    return Path(prefix)


def bench_environment(source, work):
    """The environment of a benchmark's Windows half: a prefix of its own
    below work, with the game's folder holding z7.exe and the shipped model
    file, as an installer leaves them."""
    env = dict(os.environ, WINEPREFIX=str(Path(work) / "wine"), HOME=str(Path(work) / "home"),
               WINEARCH="win64", WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
    Path(env["HOME"]).mkdir(parents=True, exist_ok=True)
    make_prefix(env["WINEPREFIX"], env["HOME"])
    game = Path(env["WINEPREFIX"]) / "drive_c" / "Spiele" / "Z7"
    game.mkdir(parents=True, exist_ok=True)
    (game / "z7.exe").touch()
    shutil.copy(Path(source) / "resources" / "texts" / "NewModell", game / "z7_model.txt")
    return env
