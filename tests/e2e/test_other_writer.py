#!/usr/bin/env python3
"""Nothing the editor reported as stored is lost to a second writer: a second
start on the same game ends without writing, and a file changed by hand while
the editor runs keeps the hand edit when an entry is stored."""

import os
import tempfile
from pathlib import Path

import z7e2e
from z7e2e import CRLF, PANEL1, check, in_panel

COST_EDIT_LEFT = in_panel(PANEL1, 199, 36)

THEATER = 32
ARZT = 47
THEATER_SHIPPED = b"31,Theater,{,50,2,1,-1,2,8,0,0,},,"
ARZT_SHIPPED = b"46,Arzt,{,30,0,0,0,0,5,0,0,},,"

# Tab into the tree from the focused Beenden button, to the top, then down.
TO_THEATER = ("Tab", "Home", "Down", "Down", "Down", "Down", "Down", "Right", "Down", "Down")
TO_ARZT = ("Tab", "Home", "Down", "Down", "Right", "Down")


def private_runtime_folder(ctx):
    # The editors of this test meet in a runtime folder of their own.
    folder = Path(tempfile.mkdtemp(prefix="runtime-", dir=ctx.tmp))
    folder.chmod(0o700)
    os.environ["XDG_RUNTIME_DIR"] = str(folder)


def model_with(ctx, changes):
    lines = ctx.text("DE_Modell").split(CRLF)
    check(lines[THEATER] == THEATER_SHIPPED and lines[ARZT] == ARZT_SHIPPED,
          "DE_Modell is not what this test expects")
    for index, line in changes.items():
        lines[index] = line
    return CRLF.join(lines) + CRLF


def snapshot(*folders):
    files = {}
    for folder in folders:
        for root, _, names in os.walk(folder):
            for name in names:
                path = Path(root) / name
                files[str(path)] = path.read_bytes()
    return files


def store_cost(editor, path, cost):
    editor.keys(*path)
    editor.replace_text(COST_EDIT_LEFT, cost)
    editor.click(z7e2e.SPEICHERN)


def second_start_on_the_same_game(ctx):
    private_runtime_folder(ctx)
    prefix = ctx.new_prefix()
    # The game's own file, which the first start moves aside once.
    prefix.model.write_bytes(ctx.text("NewModell"))
    first = z7e2e.Editor(ctx, prefix).start()
    first.wait_main_window()
    store_cost(first, TO_THEATER, "60")
    theater_60 = model_with(ctx, {THEATER: b"31,Theater,{,60,2,1,-1,2,8,0,0,},,,,"})
    z7e2e.wait_for_file(prefix.model, theater_60)

    # As if the first editor were in the middle of a save.
    (prefix.game / "~z7edit-Ab12Cd.tmp").write_bytes(b"half a save")
    before = snapshot(prefix.game, prefix.documents)

    second = z7e2e.Editor(ctx, prefix).start()
    box = second.wait_window(z7e2e.MAIN_TITLE, allowed=())
    second.window = box
    size = second.geometry()
    check(size["WIDTH"] < 901 and size["HEIGHT"] < 601,
          f"the second start opened a window of {size['WIDTH']}x{size['HEIGHT']}, not a message box")
    ctx.screenshot("second-start-message")
    second.keys("Return", wid=box)
    second.expect_exit_code_0("the message that Z7 Edit is already open")
    check(snapshot(prefix.game, prefix.documents) == before, "the second start changed files in the prefix")

    # The first editor goes on; the next store keeps the Theater.
    first.keys("shift+Tab")
    store_cost(first, ("Home", "Down", "Down", "Right", "Down"), "33")
    both = model_with(ctx, {THEATER: b"31,Theater,{,60,2,1,-1,2,8,0,0,},,,,",
                            ARZT: b"46,Arzt,{,33,0,0,0,0,5,0,0,},,,,"})
    z7e2e.wait_for_file(prefix.model, both)
    first.assert_only_main_window()

    # Killed, the first editor cannot release anything: the system does, and
    # the next start opens as usual.
    first.kill()
    third = z7e2e.Editor(ctx, prefix).start()
    third.wait_main_window()
    third.click(z7e2e.BEENDEN)
    third.expect_exit_code_0("a click on Beenden")
    z7e2e.assert_bytes(prefix.model, both)


def hand_edit_while_the_editor_runs(ctx):
    private_runtime_folder(ctx)
    prefix = ctx.new_prefix()
    editor = z7e2e.Editor(ctx, prefix).start()
    editor.wait_main_window()
    z7e2e.wait_for_file(prefix.model, model_with(ctx, {}))

    # A text editor sets Theater's cost to 77.
    by_hand = prefix.model.read_bytes().replace(THEATER_SHIPPED, b"31,Theater,{,77,2,1,-1,2,8,0,0,},,")
    prefix.model.write_bytes(by_hand)

    # Arzt stored in the editor: the question comes, Ja is its default.
    store_cost(editor, TO_ARZT, "33")
    box = editor.wait_window(z7e2e.QUESTION_TITLE, timeout=20)
    ctx.screenshot("file-changed-question")
    editor.keys("Return", wid=box)
    editor.wait_gone(box)
    merged = model_with(ctx, {THEATER: b"31,Theater,{,77,2,1,-1,2,8,0,0,},,",
                              ARZT: b"46,Arzt,{,33,0,0,0,0,5,0,0,},,,,"})
    z7e2e.wait_for_file(prefix.model, merged)
    editor.assert_only_main_window()

    # Changed by hand once more; this time Nein: the file stays as the hand left it.
    by_hand = merged.replace(b"46,Arzt,{,33,", b"46,Arzt,{,35,")
    prefix.model.write_bytes(by_hand)
    editor.replace_text(COST_EDIT_LEFT, "34")
    editor.click(z7e2e.SPEICHERN)
    editor.answer("Escape")
    z7e2e.assert_bytes(prefix.model, by_hand)
    editor.assert_only_main_window()

    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")
    z7e2e.assert_bytes(prefix.model, by_hand)


if __name__ == "__main__":
    z7e2e.run(second_start_on_the_same_game, hand_edit_while_the_editor_runs)
