#!/usr/bin/env python3
"""The program of the portable Linux archive, as a player on the Steam Deck or
another Linux starts it: its first start leaves the backup, the default model
and the guide byte for byte, a store reaches the model file, and started from
the menu it finds the game through the game files of Lutris and Heroic from
Flathub. scripts/stages/62-portable-linux.sh runs these on the program
unpacked in a clean root (--z7edit z7edit_in_root.sh), with Z7_E2E_GUIDE
naming the guide the build embedded."""

import os
from pathlib import Path

import z7e2e
from test_editing import COST_EDIT_LEFT, COST_UP_LEFT, model_with
from test_launcher_prefixes import LINUX_ONLY, other_game_prefix, starts_on
from z7e2e import CRLF, check


def first_start_and_a_store(ctx):
    guide = Path(os.environ.get("Z7_E2E_GUIDE", ""))
    check(guide.is_file(), "Z7_E2E_GUIDE names no guide to compare with")
    prefix = ctx.new_prefix()
    game_own = ctx.text("NewModell")
    prefix.model.write_bytes(game_own)

    editor = z7e2e.Editor(ctx, prefix).start()
    editor.wait_main_window()
    editor.assert_only_main_window()
    z7e2e.assert_bytes(prefix.backup, game_own)
    z7e2e.assert_bytes(prefix.model, ctx.text("DE_Modell") + CRLF)
    z7e2e.assert_bytes(prefix.guide, guide.read_bytes())
    ctx.screenshot("started")

    # Theater, as test_editing goes there: its cost typed, then one step up.
    editor.keys("Tab", "Home", "Down", "Down", "Down", "Down", "Down", "Right", "Down", "Down")
    editor.replace_text(COST_EDIT_LEFT, "75")
    editor.click(COST_UP_LEFT)
    editor.click(z7e2e.SPEICHERN)
    z7e2e.wait_for_file(prefix.model, model_with(ctx.text("DE_Modell").split(CRLF), 32))
    ctx.screenshot("stored")
    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")


@LINUX_ONLY
def lutris_from_flathub(ctx):
    prefix = ctx.new_prefix(ctx.tmp / "sdcard" / "Games" / "ordavia")
    games = ctx.home / ".var" / "app" / "net.lutris.Lutris" / "data" / "lutris" / "games"
    games.mkdir(parents=True)
    (games / "ordavia-1700000000.yml").write_text(
        f"game:\n  arch: win64\n  exe: {prefix.game / 'Z7.exe'}\n  prefix: {prefix.path}\n"
        "game_slug: ordavia\nname: Ordavia\nrunner: wine\nsystem: {}\n"
        "wine:\n  version: wine-ge-8-26-x86_64\n")
    other_game_prefix(ctx.home / "Games" / "andere")
    starts_on(ctx, prefix)


@LINUX_ONLY
def heroic_from_flathub(ctx):
    # Heroic runs the game with Proton, which makes its prefix in "pfx".
    folder = ctx.tmp / "sdcard" / "Heroic" / "Prefixes" / "default" / "Ordavia"
    prefix = ctx.new_prefix(folder / "pfx").as_proton()
    heroic = ctx.home / ".var" / "app" / "com.heroicgameslauncher.hgl" / "config" / "heroic"
    games = heroic / "GamesConfig"
    games.mkdir(parents=True)
    proton = heroic / "tools" / "proton" / "GE-Proton9-7" / "proton"
    (games / "1207658924.json").write_text(
        '{\n  "1207658924": {\n    "autoInstallDxvk": true,\n    "language": "de",\n'
        f'    "winePrefix": "{folder}",\n'
        f'    "wineVersion": {{"bin": "{proton}", "name": "Proton - GE-Proton9-7", '
        '"type": "proton"}\n  },\n  "version": "v0",\n  "explicit": true\n}\n')
    starts_on(ctx, prefix)


if __name__ == "__main__":
    z7e2e.run(first_start_and_a_store, lutris_from_flathub, heroic_from_flathub)
