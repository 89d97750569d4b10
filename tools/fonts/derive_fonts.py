#!/usr/bin/env python3
"""Derives the two fonts that Z7 Edit carries from Debian's OFL fonts.

The window asks for the families "BacciSmallCaps" (style "Normal") and
"Formal436 BT" (style "Regular"). Both are Modified Versions under the SIL Open
Font License, so each one gets names of its own:

* BacciSmallCaps: EB Garamond 12 All Small Caps, renamed, outlines untouched.
* Formal436 BT: TypoScript, whose cubic CFF outlines are turned into quadratic
  TrueType outlines (the font is registered from memory as a TrueType font).
  TypoScript covers only part of the alphabet; the letters, digits and signs it
  lacks are taken from EB Garamond Italic, scaled to its capital height, so the
  imprint line never falls back to a font of the system for single letters.

The output is byte-for-byte the same on every run: no time stamps are renewed.
"""
import argparse
import sys

from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont, newTable

# Name records that carry the font's identity; all of them are replaced.
IDENTITY_NAME_IDS = {1, 2, 3, 4, 6, 16, 17, 18, 21, 22}
# Windows Unicode English and Macintosh Roman English.
PLATFORMS = ((3, 1, 0x409), (1, 0, 0))
# Fixed head times (seconds since 1904): the derived files must not change
# from one build to the next.
FIXED_TIME = 3786825600  # 2024-01-01

# Every character of Windows-1252's printable range must have a glyph.
WANTED = [c for c in range(0x20, 0x7F)] + [c for c in range(0xA0, 0x100)] + [
    0x20AC, 0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E,
    0x2022, 0x2026]


def rename(font, family, style, postscript, version_note):
    name = font['name']
    name.names = [n for n in name.names if n.nameID not in IDENTITY_NAME_IDS]
    full = family if style in ('Regular', 'Normal') else f'{family} {style}'
    entries = {
        1: family,
        2: style,
        3: f'{postscript};{version_note}',
        4: full,
        6: postscript,
        16: family,
        17: style,
    }
    for name_id, text in entries.items():
        for platform in PLATFORMS:
            name.setName(text, name_id, *platform)
    name.names.sort(key=lambda n: (n.platformID, n.platEncID, n.langID, n.nameID))


def fix_times(font):
    font['head'].created = FIXED_TIME
    font['head'].modified = FIXED_TIME
    if 'FFTM' in font:  # FontForge's own time stamps
        del font['FFTM']


def derive_small_caps(src, out):
    font = TTFont(src, recalcTimestamp=False)
    rename(font, 'BacciSmallCaps', 'Normal', 'BacciSmallCaps-Normal', 'derived from EB Garamond 12 All SC')
    fix_times(font)
    font.save(out, reorderTables=True)


def cff_to_glyf(font, max_err=1.0):
    order = font.getGlyphOrder()
    glyph_set = font.getGlyphSet()
    glyf = newTable('glyf')
    glyf.glyphOrder = order
    glyf.glyphs = {}
    for glyph_name in order:
        pen = TTGlyphPen(None)
        # CFF contours run counter-clockwise, TrueType contours clockwise.
        glyph_set[glyph_name].draw(Cu2QuPen(pen, max_err, reverse_direction=True))
        glyf[glyph_name] = pen.glyph()
    del font['CFF ']
    font['glyf'] = glyf
    font['loca'] = newTable('loca')
    maxp = newTable('maxp')
    maxp.tableVersion = 0x00010000
    maxp.numGlyphs = len(order)
    for field in ('maxZones',):
        setattr(maxp, field, 1)
    for field in ('maxPoints', 'maxContours', 'maxCompositePoints', 'maxCompositeContours',
                  'maxTwilightPoints', 'maxStorage', 'maxFunctionDefs', 'maxInstructionDefs',
                  'maxStackElements', 'maxSizeOfInstructions', 'maxComponentElements',
                  'maxComponentDepth'):
        setattr(maxp, field, 0)
    font['maxp'] = maxp
    post = font['post']
    post.formatType = 2.0
    post.extraNames = []
    post.mapping = {}
    post.glyphOrder = order
    font['head'].glyphDataFormat = 0
    font.sfntVersion = '\x00\x01\x00\x00'


def cap_height(font):
    glyph_set = font.getGlyphSet()
    from fontTools.pens.boundsPen import BoundsPen
    pen = BoundsPen(glyph_set)
    glyph_set[font.getBestCmap()[ord('H')]].draw(pen)
    return pen.bounds[3]


def fill_missing(font, donor_path):
    """Adds the characters of WANTED that the font lacks, drawn from the donor."""
    donor = TTFont(donor_path)
    donor_map = donor.getBestCmap()
    donor_set = donor.getGlyphSet()
    scale = cap_height(font) / cap_height(donor)
    cmap = font.getBestCmap()
    glyf = font['glyf']
    hmtx = font['hmtx']
    order = list(font.getGlyphOrder())
    added = {}
    for code in WANTED:
        if code in cmap or code not in donor_map:
            continue
        source_name = donor_map[code]
        if source_name not in added:
            rec = DecomposingRecordingPen(donor_set)
            donor_set[source_name].draw(rec)
            pen = TTGlyphPen(None)
            rec.replay(TransformPen(pen, (scale, 0, 0, scale, 0, 0)))
            new_name = f'z7.{source_name}'
            glyf[new_name] = pen.glyph()
            advance = round(donor['hmtx'][source_name][0] * scale)
            glyph = glyf[new_name]
            glyph.recalcBounds(glyf)
            hmtx[new_name] = (advance, getattr(glyph, 'xMin', 0))
            order.append(new_name)
            added[source_name] = new_name
        for table in font['cmap'].tables:
            if table.isUnicode():
                table.cmap[code] = added[source_name]
    font.setGlyphOrder(order)
    glyf.glyphOrder = order
    font['post'].glyphOrder = order
    font['maxp'].numGlyphs = len(order)
    return len(added)


def derive_script(src, donor, out):
    font = TTFont(src, recalcTimestamp=False)
    cff_to_glyf(font)
    if donor:
        fill_missing(font, donor)
    # The converted outlines and added glyphs need fresh bounds and maxima.
    font['head'].indexToLocFormat = 1
    rename(font, 'Formal436 BT', 'Regular', 'Formal436BT-Regular', 'derived from TypoScript')
    fix_times(font)
    font.save(out, reorderTables=True)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--small-caps', required=True, help='EB Garamond 12 All SC (TrueType)')
    parser.add_argument('--script', required=True, help='TypoScript (OpenType CFF)')
    parser.add_argument('--fill', help='EB Garamond 12 Italic (TrueType), for missing characters')
    parser.add_argument('--out-z7', required=True)
    parser.add_argument('--out-zolt', required=True)
    args = parser.parse_args(argv)
    derive_small_caps(args.small_caps, args.out_z7)
    derive_script(args.script, args.fill, args.out_zolt)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
