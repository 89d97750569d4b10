#!/usr/bin/env python3
"""Writes the two built-in model texts, resources/texts/DE_Modell and
resources/texts/NewModell, byte for byte.

The building rows come from tools/shipped-values.csv; the headers and the
house lines are fixed here. Both texts are Windows-1252, lines separated by
CR LF, no break after the last line. They differ in one byte: the reference
text ("NewModell") carries a TAB in front of the "{" of "Herrschaftliche
Villa", as the game's own file does.

Usage: tools/make_model_texts.py [--check]
  --check  compare with the committed files instead of writing them
"""

import csv
import pathlib
import sys

from textfiles import write_or_check

ROOT = pathlib.Path(__file__).resolve().parent.parent
CSV = ROOT / "tools" / "shipped-values.csv"
OUT = ROOT / "resources" / "texts"

HOUSES = [
    "Kleines Zelt,{,-99,-10,0,0,0,0,0,0,0,0,0,0,0,0,0,3,25,5,5,1,,,3,,,,,,",
    "Grosses Zelt,{,-12,-5,0,1,0,0,0,0,0,0,0,0,0,0,0,3,25,10,7,1,,,4,,,,,,",
    "Kleine Hütte,{,-7,0,0,1,0,0,1,0,0,0,1,0,0,0,0,3,25,15,9,1,,,5,,,,,,",
    "Grosse Hütte,{,-2,4,0,1,1,0,1,0,0,0,1,0,0,0,0,3,25,20,11,1,,,6,,,,,,",
    "Kleines Haus,{,2,8,0,2,1,0,1,0,0,0,1,0,0,0,0,3,22,25,13,2,,,13,,,,,,",
    "Grosses Haus,{,6,12,10,2,1,0,1,0,0,0,1,0,0,0,0,3,22,30,15,2,,,15,,,,,,",
    "Kleine Casa,{,10,16,10,2,1,1,1,0,0,0,1,0,0,0,0,2,17,35,17,2,,,17,,,,,,",
    "Grosse Casa,{,14,20,10,2,1,1,1,0,1,0,1,1,0,0,0,2,17,45,19,2,,,19,,,,,,",
    "Kleines Insulae,{,18,25,25,2,1,1,1,0,1,0,1,1,0,0,0,2,17,50,19,3,,,29,,,,,,",
    "Mittleres Insulae,{,22,32,25,2,1,1,1,0,1,1,1,1,0,1,0,2,17,58,20,3,,,30,,,,,,",
    "Grosses Insulae,{,29,40,25,2,1,2,1,1,1,1,1,1,1,1,0,2,12,65,84,3,,,126,,2by2,4,,31.5,",
    "Herrschaftliches Insulae,{,37,48,35,2,1,2,1,1,1,1,2,1,1,1,0,2,12,80,84,4,,,168,,2by2,4,,42.00,",
    "Kleine Villa,{,45,53,35,2,2,2,1,1,1,1,2,1,1,1,1,1,8,150,40,9,,,180,,2by2,4,,45.00,",
    "Mittlere Villa,{,50,58,40,2,2,2,1,1,1,2,2,1,1,1,1,1,8,180,42,10,,,210,,2by2,4,,52.50",
    "Grosse Villa,{,55,63,45,2,2,3,1,1,1,2,2,1,1,1,1,1,8,400,90,11,,,495,,3by3,9,,55.00",
    "Herrschaftliche Villa,{,60,68,50,2,3,3,1,1,1,2,3,1,1,1,1,1,8,600,100,11,,,550,,3by3,9,,61.11",
    "Kleiner Palast,{,65,74,55,2,3,3,1,1,1,2,3,1,1,1,2,1,5,700,106,12,,,636,,3by3,9,,70.67",
    "Mittlerer Palast,{,70,80,60,2,4,3,1,1,1,2,3,1,1,1,2,1,5,900,112,12,,,672,,3by3,9,,74.67",
    "Grosser Palast,{,76,90,70,2,4,3,1,1,1,2,3,1,1,1,2,1,5,1500,190,15,,,1425,,4by4,16,,89.06",
    "Luxus Palast,{,85,100,80,2,4,3,1,1,1,2,3,1,1,1,2,1,5,1750,200,16,,,1600,,,16,,100.00",
]

TAB_HOUSE = "Herrschaftliche Villa"
SIZES = {"DE_Modell": 6650, "NewModell": 6651}


def building_rows():
    with CSV.open(encoding="utf-8", newline="") as f:
        rows = csv.reader(line for line in f if not line.startswith("#"))
        header = next(rows)
        assert header[:8] == ["number", "name", "cost", "desirability", "step",
                              "step_size", "range", "workers"], header
        lines = []
        for number, row in enumerate(rows):
            assert int(row[0]) == number, row
            values = ",".join(row[2:8])
            lines.append(f"{row[0]},{row[1]},{{,{values},0,0,}},,")
    assert len(lines) == 130, len(lines)
    return lines


def model_text(reference):
    houses = list(HOUSES)
    if reference:
        k = next(i for i, h in enumerate(houses) if h.startswith(TAB_HOUSE + ","))
        houses[k] = houses[k].replace(",{", ",\t{", 1)
    lines = ["ALL BUILDINGS"] + building_rows() + ["ALL HOUSES"] + houses
    assert len(lines) == 152
    return "\r\n".join(lines).encode("cp1252")


def main():
    texts = {"DE_Modell": model_text(False), "NewModell": model_text(True)}
    return write_or_check(texts, SIZES, OUT)


if __name__ == "__main__":
    sys.exit(main())
