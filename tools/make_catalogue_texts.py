#!/usr/bin/env python3
"""Writes the four catalogue texts, resources/texts/NodeTree, NodeIndex,
NodeStatusIndex and NodeExtendedIndex, byte for byte, from the node table
below.

NodeTree holds one caption per node, indented by one TAB per level; the three
code tables hold one decimal integer per node (selectCode, recordCode,
pictureIndex). All four are Windows-1252, lines separated by CR LF, no break
after the last line, and list the nodes in tree order (every node before its
children).

Usage: tools/make_catalogue_texts.py [--check]
  --check  compare with the committed files instead of writing them
"""

import pathlib
import sys

from textfiles import write_or_check

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "resources" / "texts"

# (depth, caption, selectCode, recordCode, pictureIndex), in tree order.
NODES = [
    (0, 'Wohnungen', 0, 0, 96),
    (1, 'Kleines Zelt', 100, 100, 0),
    (1, 'Grosses Zelt', 110, 110, 1),
    (1, 'Kleine Hütte', 120, 120, 2),
    (1, 'Grosse Hütte', 130, 130, 3),
    (1, 'Kleines Haus', 140, 140, 4),
    (1, 'Grosses Haus', 150, 150, 5),
    (1, 'Kleine Casa', 160, 160, 6),
    (1, 'Grosse Casa', 170, 170, 7),
    (1, 'Kleines Insulae', 180, 180, 8),
    (1, 'Mittleres Insulae', 190, 190, 9),
    (1, 'Grosses Insulae', 200, 200, 10),
    (1, 'Herrschaftliches Insulae', 210, 210, 11),
    (1, 'Kleine Villa', 220, 220, 12),
    (1, 'Mittlere Villa', 230, 230, 13),
    (1, 'Grosse Villa', 240, 240, 14),
    (1, 'Herrschaftliche Villa', 250, 250, 15),
    (1, 'Kleiner Palast', 260, 260, 16),
    (1, 'Mittlerer Palast', 270, 270, 17),
    (1, 'Grosser Palast', 280, 280, 18),
    (1, 'Luxus Palast', 290, 290, 19),
    (0, 'Wasser', 1, 1, 97),
    (1, 'Ziehbrunnen', 15, 15, 20),
    (1, 'Brunnen', 15, 15, 21),
    (1, 'Reservoir', 15, 15, 22),
    (1, 'Aquädukt', 15, 15, 23),
    (0, 'Gesundheit', 2, 2, 98),
    (1, 'Arzt', 15, 15, 24),
    (1, 'Krankenhaus', 15, 15, 25),
    (1, 'Badehaus', 15, 15, 26),
    (1, 'Barbier', 15, 15, 27),
    (0, 'Religion', 3, 3, 99),
    (1, 'Kleiner Tempel', 3, 3, 99),
    (2, 'Kleiner Cerestempel', 15, 15, 28),
    (2, 'Kleiner Neptuntempel', 15, 15, 29),
    (2, 'Kleiner Merkurtempel', 15, 15, 30),
    (2, 'Kleiner Marstempel', 15, 15, 31),
    (2, 'Kleiner Venustempel', 15, 15, 32),
    (1, 'Grosser Tempel', 3, 3, 99),
    (2, 'Grosser Cerestempel', 15, 15, 33),
    (2, 'Grosser Neptuntempel', 15, 15, 34),
    (2, 'Grosser Merkurtempel', 15, 15, 35),
    (2, 'Grosser Marstempel', 15, 15, 36),
    (2, 'Grosser Venustempel', 15, 15, 37),
    (2, 'Orakel', 15, 15, 38),
    (0, 'Bildung', 4, 4, 100),
    (1, 'Schule', 15, 15, 39),
    (1, 'Akademie', 15, 15, 40),
    (1, 'Bibliothek', 15, 15, 41),
    (1, 'Missionsposten', 15, 15, 42),
    (0, 'Unterhaltung', 5, 5, 101),
    (1, 'Amphitheater', 15, 15, 43),
    (1, 'Theater', 15, 15, 44),
    (1, 'Hippodrom', 15, 15, 45),
    (1, 'Kolosseum', 15, 15, 46),
    (1, 'Gladiatorenschule', 15, 15, 47),
    (1, 'Löwenhaus', 15, 15, 48),
    (1, 'Künstlerkolonie', 15, 15, 49),
    (1, 'Wagenlenkerschule', 15, 15, 50),
    (0, 'Verwaltung', 6, 6, 102),
    (1, 'Planieren', 7, 15, 106),
    (1, 'Strasse', 8, 15, 107),
    (1, 'Forum', 6, 15, 51),
    (1, 'Senat', 6, 15, 52),
    (1, 'Haus des Gouverneurs', 6, 15, 53),
    (1, 'Villa des Gouverneurs', 6, 15, 54),
    (1, 'Palast des Gouverneurs', 6, 15, 55),
    (1, 'Triumphbogen', 6, 15, 56),
    (1, 'Kleine Statue', 6, 15, 57),
    (1, 'Mittlere Statue', 6, 15, 58),
    (1, 'Grosse Statue', 6, 15, 59),
    (0, 'Ingenieure', 9, 9, 103),
    (1, 'Platz', 15, 15, 60),
    (1, 'Gärten', 15, 15, 61),
    (1, 'Ingenieursposten', 15, 15, 62),
    (1, 'Niedrige Brücke', 15, 15, 63),
    (1, 'Schiffsbrücke', 15, 15, 64),
    (1, 'Werft', 15, 15, 65),
    (1, 'Dock', 15, 15, 66),
    (1, 'Kai', 15, 15, 67),
    (0, 'Sicherheit', 10, 10, 104),
    (1, 'Mauer', 15, 15, 68),
    (1, 'Turm', 15, 15, 69),
    (1, 'Wachzimmer', 15, 15, 70),
    (1, 'Präfektur', 15, 15, 71),
    (1, 'Fort', 10, 10, 104),
    (2, 'Legionäre', 15, 15, 72),
    (2, 'Hilfstruppen-Wurfspeer', 15, 15, 73),
    (2, 'Hilfstruppen-Beritten', 15, 15, 74),
    (1, 'Militärakademie', 15, 15, 75),
    (1, 'Kaserne', 15, 15, 76),
    (0, 'Industrie', 11, 11, 105),
    (1, 'Farm', 11, 11, 105),
    (2, 'Weizenfarm', 15, 15, 77),
    (2, 'Gemüsefarm', 15, 15, 78),
    (2, 'Obstfarm', 15, 15, 79),
    (2, 'Olivenfarm', 15, 15, 80),
    (2, 'Weinberg', 15, 15, 81),
    (2, 'Schweinefarm', 15, 15, 82),
    (1, 'Rohmaterial', 11, 11, 105),
    (2, 'Marmorsteinbruch', 15, 15, 83),
    (2, 'Eisenmine', 15, 15, 84),
    (2, 'Sägewerk', 15, 15, 85),
    (2, 'Tongrube', 15, 15, 86),
    (1, 'Werkstatt', 11, 11, 105),
    (2, 'Weinkeller', 15, 15, 87),
    (2, 'Ölmühle', 15, 15, 88),
    (2, 'Waffenschmiede', 15, 15, 89),
    (2, 'Möbelwerkstatt', 15, 15, 90),
    (2, 'Töpferei', 15, 15, 91),
    (1, 'Markt', 15, 15, 92),
    (1, 'Silo', 15, 15, 93),
    (1, 'Lagerhaus', 15, 15, 94),
]

SIZES = {"NodeTree": 1660, "NodeIndex": 449, "NodeStatusIndex": 460, "NodeExtendedIndex": 452}


def text(lines):
    return "\r\n".join(lines).encode("cp1252")


def texts():
    return {
        "NodeTree": text("\t" * depth + caption for depth, caption, *_ in NODES),
        "NodeIndex": text(str(n[2]) for n in NODES),
        "NodeStatusIndex": text(str(n[3]) for n in NODES),
        "NodeExtendedIndex": text(str(n[4]) for n in NODES),
    }


def main():
    return write_or_check(texts(), SIZES, OUT)


if __name__ == "__main__":
    sys.exit(main())
