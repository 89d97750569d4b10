#!/usr/bin/env python3
"""Edits made in the real window reach the model file, line by line, and the
whole reset brings back the shipped model."""

import z7e2e
from z7e2e import CRLF, PANEL1, PANEL2, check, in_panel

# Controls inside the panels (see the value rows' geometry).
COST_EDIT_LEFT = in_panel(PANEL1, 199, 36)
COST_UP_LEFT = in_panel(PANEL1, 236, 30)
COST_EDIT_RIGHT = in_panel(PANEL1, 524, 36)
TAX_UP = in_panel(PANEL1, 232, 30)
DESIRABILITY_DOWN = in_panel(PANEL1, 232, 97)
ENTERTAINMENT_EDIT = in_panel(PANEL2, 199, 67)
BARBER_TOGGLE = in_panel(PANEL2, 530, 69)

# (line index, shipped line, line as stored): stored lines take the form the
# record join gives them, building lines with 15 fields, house lines with 26.
EXPECTED_CHANGES = [
    (11, b"10,H100,{,10,-3,1,1,3,0,0,0,},,",
         b"10,H100,{,20,-3,1,1,3,0,0,0,},,,,"),
    (18, b"17,H170,{,0,0,0,0,0,0,0,0,},,",
         b"17,H170,{,0,-1,0,0,0,0,0,0,},,,,"),
    (32, b"31,Theater,{,50,2,1,-1,2,8,0,0,},,",
         b"31,Theater,{,85,2,1,-1,2,8,0,0,},,,,"),
    (132, b"Kleines Zelt,{,-99,-10,0,0,0,0,0,0,0,0,0,0,0,0,0,3,25,5,5,1,,,3,,,,,,",
          b"Kleines Zelt,{,-99,-10,0,0,0,0,0,0,0,0,0,0,0,0,0,3,25,5,5,1,,,3,,"),
    (139, b"Grosse Casa,{,14,20,10,2,1,1,1,0,1,0,1,1,0,0,0,2,17,45,19,2,,,19,,,,,,",
          b"Grosse Casa,{,14,20,25,2,1,1,1,1,1,0,1,1,0,0,0,2,17,45,19,2,,,44,,"),
]


def model_with(lines, *indexes):
    """The default model as written by the program, with the stored lines of
    the given indexes."""
    lines = list(lines)
    for index, shipped, stored in EXPECTED_CHANGES:
        check(lines[index] == shipped, f"line {index + 1} of DE_Modell is {lines[index]!r}")
        if index in indexes:
            lines[index] = stored
    return CRLF.join(lines) + CRLF


def edit_and_reset(ctx):
    prefix = ctx.new_prefix()
    prefix.model.write_bytes(ctx.text("NewModell"))
    shipped_lines = ctx.text("DE_Modell").split(CRLF)

    editor = z7e2e.Editor(ctx, prefix).start()
    editor.wait_main_window()

    # Theater: Tab into the tree, Home, down to "Unterhaltung", open it, down twice.
    editor.keys("Tab", "Home", "Down", "Down", "Down", "Down", "Down", "Right", "Down", "Down")
    editor.replace_text(COST_EDIT_LEFT, "75")
    editor.click(COST_UP_LEFT)  # the cost steps by 10
    ctx.screenshot("theater-edited")
    editor.click(z7e2e.SPEICHERN)
    z7e2e.wait_for_file(prefix.model, model_with(shipped_lines, 32))

    # Kleines Zelt: back into the tree (the house panel is hidden, so Shift+Tab
    # from Speichern lands there), the first level's cost in the right column.
    editor.keys("shift+Tab", "Home", "Right", "Down")
    editor.replace_text(COST_EDIT_RIGHT, "20")
    ctx.screenshot("kleines-zelt-edited")
    # Leaving the edited entry asks whether to store it; Ja is the default.
    editor.click(z7e2e.TREE_FIRST_ROW)
    editor.answer("Return")
    z7e2e.wait_for_file(prefix.model, model_with(shipped_lines, 32, 11, 132))

    # Grosse Casa, eight levels down: a typed need, two spin clicks, a toggle.
    editor.keys(*["Down"] * 8)
    editor.replace_text(ENTERTAINMENT_EDIT, "25")
    editor.click(TAX_UP)  # tax steps by 25
    editor.click(DESIRABILITY_DOWN)
    editor.click(BARBER_TOGGLE)
    ctx.screenshot("grosse-casa-edited")
    editor.click(z7e2e.SPEICHERN)
    edited = model_with(shipped_lines, 32, 11, 132, 18, 139)
    z7e2e.wait_for_file(prefix.model, edited)

    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")
    z7e2e.assert_bytes(prefix.model, edited)
    backup = prefix.backup.read_bytes()

    # Whole reset in a new run. Cancel is the default button: Return keeps the file.
    editor = z7e2e.Editor(ctx, prefix).start()
    editor.wait_main_window()
    z7e2e.assert_bytes(prefix.model, edited)
    editor.click(z7e2e.GESAMTRESET)
    editor.answer("Return")
    z7e2e.assert_bytes(prefix.model, edited)

    # Tab moves to OK, the space bar presses it.
    editor.click(z7e2e.GESAMTRESET)
    editor.answer("Tab", "space")
    shipped = ctx.text("NewModell") + CRLF
    check(len(shipped) == 6653, f"NewModell plus CR LF is {len(shipped)} bytes, expected 6653")
    z7e2e.wait_for_file(prefix.model, shipped)
    ctx.screenshot("after-reset")
    editor.assert_only_main_window()

    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")
    z7e2e.assert_bytes(prefix.model, shipped)
    z7e2e.assert_bytes(prefix.backup, backup)


THEATER = 32
# Tab into the tree from the focused Beenden button, to the top, then down.
TO_THEATER = ("Tab", "Home", "Down", "Down", "Down", "Down", "Down", "Right", "Down", "Down")
# Back from the first row once "Unterhaltung" is open.
BACK_TO_THEATER = ("Home", "Down", "Down", "Down", "Down", "Down", "Down", "Down")


def theater_line(cost):
    return f"31,Theater,{{,{cost},2,1,-1,2,8,0,0,}},,,,".encode()


def leaving_with_no_and_an_invalid_value(ctx):
    prefix = ctx.new_prefix()
    lines = ctx.text("DE_Modell").split(CRLF)
    default = CRLF.join(lines) + CRLF

    editor = z7e2e.Editor(ctx, prefix).start()
    editor.wait_main_window()
    z7e2e.assert_bytes(prefix.model, default)

    # Nein (Tab from the default Ja, then the space bar) drops the edit.
    editor.keys(*TO_THEATER)
    editor.replace_text(COST_EDIT_LEFT, "75")
    editor.click(z7e2e.TREE_FIRST_ROW)
    editor.answer("Tab", "space")
    z7e2e.assert_bytes(prefix.model, default)

    # Shown again, the Theater has its stored cost: Speichern writes 50.
    editor.keys(*BACK_TO_THEATER)
    editor.click(z7e2e.SPEICHERN)
    lines[THEATER] = theater_line(50)
    stored = CRLF.join(lines) + CRLF
    z7e2e.wait_for_file(prefix.model, stored)

    # An emptied cost is no number: the error, nothing stored, the edit keeps
    # the focus for the correction.
    editor.click(COST_EDIT_LEFT)
    editor.keys("ctrl+a", "BackSpace")
    editor.click(z7e2e.SPEICHERN)
    editor.answer("Return", title=z7e2e.ERROR_TITLE)
    z7e2e.assert_bytes(prefix.model, stored)
    editor.assert_only_main_window()
    editor.type("65")
    editor.click(z7e2e.SPEICHERN)
    lines[THEATER] = theater_line(65)
    z7e2e.wait_for_file(prefix.model, CRLF.join(lines) + CRLF)

    editor.click(z7e2e.BEENDEN)
    editor.expect_exit_code_0("a click on Beenden")


if __name__ == "__main__":
    z7e2e.run(edit_and_reset, leaving_with_no_and_an_invalid_value)
