#!/usr/bin/env python3
"""Start-up of the real program on a fresh prefix, and a second start on the
files the first one left."""

import z7e2e
from z7e2e import CRLF, check


def first_start_installs_default_model(ctx):
    prefix = ctx.new_prefix()
    game_own = ctx.text("NewModell")
    prefix.model.write_bytes(game_own)

    editor = z7e2e.Editor(ctx, prefix).start()
    editor.wait_main_window()
    editor.assert_only_main_window()

    # The game's own file is moved aside once; the default model takes its place.
    z7e2e.assert_bytes(prefix.backup, game_own)
    default = ctx.text("DE_Modell") + CRLF
    check(len(default) == 6652, f"DE_Modell plus CR LF is {len(default)} bytes, expected 6652")
    z7e2e.assert_bytes(prefix.model, default)

    check(prefix.guide.is_file(), f"the guide is not in {prefix.documents}")
    guide = prefix.guide.read_bytes()
    # Whole: a PDF from its header to its end-of-file mark.
    check(guide.startswith(b"%PDF-") and guide.rstrip().endswith(b"%%EOF"),
          f"the guide is not a whole PDF document ({len(guide)} bytes)")

    # Fixed size, centred on the 1280 x 1024 screen: the client area, and the
    # window with its frame where the system draws one (Wine on Xvfb does).
    client = editor.client_geometry()
    check((client["WIDTH"], client["HEIGHT"]) == z7e2e.CLIENT_SIZE, f"client area {client}")
    geo = editor.geometry()
    check(abs(geo["X"] - (1280 - geo["WIDTH"]) // 2) <= 1
          and abs(geo["Y"] - (1024 - geo["HEIGHT"]) // 2) <= 1, f"window not centred: {geo}")

    ctx.screenshot("started")
    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")


def second_start_leaves_files_alone(ctx):
    prefix = ctx.new_prefix()
    prefix.model.write_bytes(ctx.text("NewModell"))
    first = z7e2e.Editor(ctx, prefix).start()
    first.wait_main_window()
    first.click(z7e2e.BEENDEN)
    first.expect_exit_code_0("a click on Beenden")

    # The player's own guide and a model file stored meanwhile must survive.
    own_guide = b"%PDF-1.4\n% the player's own notes\n"
    prefix.guide.write_bytes(own_guide)
    edited = prefix.model.read_bytes().replace(b"31,Theater,{,50,", b"31,Theater,{,60,")
    check(edited != prefix.model.read_bytes(), "Theater line not found in the default model")
    prefix.model.write_bytes(edited)
    backup = prefix.backup.read_bytes()

    second = z7e2e.Editor(ctx, prefix).start()
    second.wait_main_window()
    second.assert_only_main_window()
    z7e2e.assert_bytes(prefix.model, edited)
    z7e2e.assert_bytes(prefix.backup, backup)
    z7e2e.assert_bytes(prefix.guide, own_guide)

    # The focus starts on Beenden, so Return quits.
    second.keys("Return")
    second.expect_exit_code_0("Return on Beenden, which has the focus")


def running_game_is_warned_about(ctx):
    prefix = ctx.new_prefix()
    prefix.model.write_bytes(ctx.text("NewModell"))
    game = ctx.start_game(prefix)

    # The warning comes before the window, and the start goes on after it.
    editor = z7e2e.Editor(ctx, prefix).start()
    box = editor.wait_window(z7e2e.ERROR_TITLE, allowed=())
    ctx.screenshot("warning")
    check(prefix.model.read_bytes() == ctx.text("NewModell") and not prefix.backup.exists(),
          "files changed before the warning was answered")
    editor.keys("Return", wid=box)
    editor.wait_main_window()
    editor.assert_only_main_window()
    z7e2e.assert_bytes(prefix.backup, ctx.text("NewModell"))
    z7e2e.assert_bytes(prefix.model, ctx.text("DE_Modell") + CRLF)
    check(game.poll() is None, "the game ended while the editor started")

    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")


if __name__ == "__main__":
    z7e2e.run(first_start_installs_default_model, second_start_leaves_files_alone,
              running_game_is_warned_about)
