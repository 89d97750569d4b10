#!/usr/bin/env python3
"""Without a game installation the program says so and ends: no window, no
file touched, exit code 0."""

import z7e2e
from z7e2e import check


def refuses_to_start(ctx, prefix):
    game_own = ctx.text("NewModell")
    if prefix.game.exists():
        prefix.model.write_bytes(game_own)

    editor = z7e2e.Editor(ctx, prefix).start()
    box = editor.wait_window(z7e2e.ERROR_TITLE, allowed=())
    ctx.screenshot("message")
    check(sorted(editor.windows().values()) == [z7e2e.ERROR_TITLE],
          f"expected only the message, found {sorted(editor.windows().values())}")
    editor.keys("Return", wid=box)
    editor.expect_exit_code_0("Return on the message")

    # The program ended before the backup, the default model and the guide.
    check(not prefix.backup.exists(), "a backup was made")
    if prefix.game.exists():
        z7e2e.assert_bytes(prefix.model, game_own)
    check(not prefix.guide.exists(), "the guide was written")


def no_registry_entry(ctx):
    prefix = ctx.new_prefix()
    prefix.drop_registry_entry()
    refuses_to_start(ctx, prefix)


def registry_entry_without_game(ctx):
    prefix = ctx.new_prefix()
    prefix.drop_game_executable()
    refuses_to_start(ctx, prefix)


if __name__ == "__main__":
    z7e2e.run(no_registry_entry, registry_entry_without_game)
