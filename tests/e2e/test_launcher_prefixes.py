#!/usr/bin/env python3
"""Started without WINEPREFIX, as from the desktop menu, the program finds the
game in the prefix where a launcher keeps it: Steam's Proton on a second disk,
Lutris and Bottles. Without any prefix that holds the game it says so, as
before.

All Linux only: the Windows program is started inside its prefix (by the
player's launcher, or under WINEPREFIX) and reads that prefix's registry; it
never searches for one."""

import z7e2e
from z7e2e import CRLF, check

APP_ID = "2450110"
LINUX_ONLY = z7e2e.linux_only("it finds the launchers' prefixes without WINEPREFIX")


def steam_library_vdf(*libraries):
    entries = "".join(f'\t"{i}"\n\t{{\n\t\t"path"\t\t"{path}"\n\t\t"label"\t\t""\n'
                      f'\t\t"apps"\n\t\t{{\n\t\t\t"{APP_ID}"\t\t"1800000000"\n\t\t}}\n\t}}\n'
                      for i, path in enumerate(libraries))
    return f'"libraryfolders"\n{{\n{entries}}}\n'


def other_game_prefix(path):
    """A prefix of another game: a registry without the game's entry."""
    path.mkdir(parents=True)
    (path / "system.reg").write_text(
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
        "[Software\\\\Wine] 1700000000\n")


def starts_on(ctx, prefix):
    """The program, started without WINEPREFIX, works on this prefix."""
    game_own = ctx.text("NewModell")
    prefix.model.write_bytes(game_own)

    editor = z7e2e.Editor(ctx, prefix, wineprefix=False).start()
    editor.wait_main_window()
    editor.assert_only_main_window()
    z7e2e.assert_bytes(prefix.backup, game_own)
    z7e2e.assert_bytes(prefix.model, ctx.text("DE_Modell") + CRLF)
    check(prefix.guide.is_file(), f"the guide is not in {prefix.documents}")
    check(prefix.guide.read_bytes().startswith(b"%PDF-"), "the guide is not a PDF document")
    ctx.screenshot("started")
    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")


@LINUX_ONLY
def steam_second_library(ctx):
    steam = ctx.home / ".local" / "share" / "Steam"
    library = ctx.tmp / "disk2" / "SteamLibrary"
    (steam / "steamapps").mkdir(parents=True)
    (steam / "steamapps" / "libraryfolders.vdf").write_text(steam_library_vdf(steam, library))
    (ctx.home / ".steam").mkdir()
    (ctx.home / ".steam" / "steam").symlink_to(steam)
    other_game_prefix(steam / "steamapps" / "compatdata" / "228980" / "pfx")
    prefix = ctx.new_prefix(library / "steamapps" / "compatdata" / APP_ID / "pfx").as_proton()
    starts_on(ctx, prefix)


@LINUX_ONLY
def lutris_game_file(ctx):
    prefix = ctx.new_prefix(ctx.tmp / "disk2" / "Lutris" / "ordavia")
    games = ctx.home / ".config" / "lutris" / "games"
    games.mkdir(parents=True)
    (games / "aaa-broken.yml").write_text("game: [prefix\n")
    (games / "ordavia-1700000000.yml").write_text(
        f"game:\n  arch: win64\n  exe: {prefix.game / 'Z7.exe'}\n  prefix: {prefix.path}\n"
        "game_slug: ordavia\nname: Ordavia\nrunner: wine\nsystem: {}\n"
        "wine:\n  version: lutris-GE-Proton8-26-x86_64\n")
    other_game_prefix(ctx.home / "Games" / "andere")
    starts_on(ctx, prefix)


@LINUX_ONLY
def bottles(ctx):
    bottle = ctx.home / ".local" / "share" / "bottles" / "bottles" / "Ordavia"
    prefix = ctx.new_prefix(bottle)
    (bottle / "bottle.yml").write_text("Name: Ordavia\nRunner: soda-7.0-9\nEnvironment: Gaming\n")
    starts_on(ctx, prefix)


@LINUX_ONLY
def no_prefix_holds_the_game(ctx):
    other_game_prefix(ctx.home / ".local" / "share" / "bottles" / "bottles" / "Andere")
    editor = z7e2e.Editor(ctx, None, wineprefix=False).start()
    box = editor.wait_window(z7e2e.ERROR_TITLE, allowed=())
    ctx.screenshot("message")
    editor.keys("Return", wid=box)
    editor.expect_exit_code_0("Return on the message")
    check(not (ctx.home / ".wine").exists(), "a prefix ~/.wine was made")


if __name__ == "__main__":
    z7e2e.run(steam_second_library, lutris_game_file, bottles, no_prefix_holds_the_game)
