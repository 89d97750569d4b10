#!/usr/bin/env python3
"""Derives the two fonts that Z7 Edit carries from Debian's OFL fonts.

The window asks for the families "BacciSmallCaps" (style "Normal") and
"Formal436 BT" (style "Regular"). Both are Modified Versions under the SIL Open
Font License, so each one gets names of its own:

* BacciSmallCaps: EB Garamond 12 All Small Caps, renamed; the few letters it
  leaves empty or full-size are taken from EB Garamond 12 Regular's small
  capitals.
* Formal436 BT: a script face built from two fonts. TypoScript gives the
  swash capitals; its cubic CFF outlines become quadratic TrueType outlines
  (the font is registered from memory as a TrueType font). Everything else
  comes from EB Garamond 12 Italic, scaled to TypoScript's capital height.

TypoScript is unfinished and cannot carry a line of text on its own: it has
only eleven lowercase letters, its "v" is an empty glyph one em wide, its "t"
reaches far into the next letter, and its lowercase stands at a fifth of an
em, less than four pixels at the 13 points of the imprint line. Mixing those
eleven letters with Garamond's lowercase gave a line of two sizes with holes
in it, so the lowercase, digits and signs are Garamond's throughout. Capitals
that TypoScript lacks (J, V, W) are Garamond's italic ones, and accented
capitals put Garamond's accents on TypoScript's letters, so "Ä" matches "A".

The output is byte-for-byte the same on every run: no time stamps are renewed.
"""
import argparse
import copy
import os
import sys
import unicodedata

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

# Name records that carry the font's identity; all of them are replaced.
IDENTITY_NAME_IDS = {1, 2, 3, 4, 6, 16, 17, 18, 21, 22}
# Windows Unicode English and Macintosh Roman English.
PLATFORMS = ((3, 1, 0x409), (1, 0, 0))
# Fixed head times (seconds since 1904): the derived files must not change
# from one build to the next.
FIXED_TIME = 3786825600  # 2024-01-01


def _windows_1252():
    codes = set()
    for byte in list(range(0x20, 0x7F)) + list(range(0x80, 0x100)):
        try:
            codes.add(ord(bytes([byte]).decode('cp1252')))
        except UnicodeDecodeError:  # the five unassigned bytes
            pass
    # EB Garamond has no florin and no per-mille sign; no text of the
    # program uses them.
    return sorted(codes - {0x0192, 0x2030})


# Every printable character of Windows-1252, the program's code page, must
# have a glyph of its own.
WANTED = _windows_1252()
# The largest distance, in font units, between TypoScript's cubic curves and
# their quadratic replacement.
MAX_CURVE_ERROR = 1.0


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


def mend_small_caps(font, fill_path):
    """EB Garamond 12 All SC (Debian's 0.016) maps the thorn to empty glyphs,
    "Œ" to a full capital, "œ" to a lowercase letter, and draws "ø" as "o" and
    "ð" as "d". Such letters get the small capital of the same name from EB
    Garamond 12 Regular, which shares the design and the em."""
    glyph_set = font.getGlyphSet()
    cmap = font.getBestCmap()
    small_cap_height = bounds(glyph_set, cmap[ord('H')])[3]

    def shape(name):
        recording = DecomposingRecordingPen(glyph_set)
        glyph_set[name].draw(recording)
        return repr(recording.value)

    def letter(code):
        return unicodedata.category(chr(code)) in ('Lu', 'Ll')

    # Upper and lower case share their small capital; other letters must differ.
    letters_by_shape = {}
    for code, name in cmap.items():
        if code in WANTED and letter(code):
            letters_by_shape.setdefault(shape(name), set()).add(chr(code).casefold())

    def wrong(code, name):
        box = bounds(glyph_set, name)
        if box is None:
            return not chr(code).isspace()
        if not letter(code):
            return False
        if code > 0x7F and len(letters_by_shape[shape(name)]) > 1:
            return True
        # Accents rise above the small capitals on purpose.
        plain = not unicodedata.decomposition(chr(code))
        return plain and not 0.95 * small_cap_height <= box[3] <= 1.1 * small_cap_height

    names = sorted({name for code, name in cmap.items()
                    if code in WANTED and wrong(code, name)})
    if not names:
        return
    fill = TTFont(fill_path)
    if fill['head'].unitsPerEm != font['head'].unitsPerEm:
        raise SystemExit(f'{fill_path} has another em than the small caps')
    fill_set = fill.getGlyphSet()
    for name in names:
        small_cap = f'{name}.sc'
        if small_cap not in fill_set or not has_ink(fill_set, small_cap):
            raise SystemExit(f'{fill_path} has no glyph {small_cap} for {name}')
        glyph = glyph_of(Outline(fill_set, small_cap, cubic=False))
        font['glyf'][name] = glyph
        font['hmtx'][name] = (fill['hmtx'][small_cap][0], glyph.xMin)


def derive_small_caps(src, fill, out):
    font = TTFont(src, recalcTimestamp=False)
    mend_small_caps(font, fill)
    rename(font, 'BacciSmallCaps', 'Normal', 'BacciSmallCaps-Normal', 'derived from EB Garamond 12 All SC')
    fix_times(font)
    font.save(out, reorderTables=True)


def bounds(glyph_set, name):
    pen = BoundsPen(glyph_set)
    glyph_set[name].draw(pen)
    return pen.bounds


def has_ink(glyph_set, name):
    return bounds(glyph_set, name) is not None


class Outline:
    """A glyph ready for the glyf table: quadratic, clockwise, no components."""

    def __init__(self, glyph_set, name, cubic, transform=(1, 0, 0, 1, 0, 0)):
        recording = DecomposingRecordingPen(glyph_set)
        glyph_set[name].draw(recording)
        self.recording = recording
        self.cubic = cubic
        self.transform = transform

    def moved(self, dx, dy):
        a, b, c, d, e, f = self.transform
        moved = copy.copy(self)
        moved.transform = (a, b, c, d, e + dx, f + dy)
        return moved

    def draw(self, pen):
        if self.cubic:
            # CFF contours run counter-clockwise, TrueType contours clockwise.
            pen = Cu2QuPen(pen, MAX_CURVE_ERROR, reverse_direction=True)
        self.recording.replay(TransformPen(pen, self.transform))

    def points(self):
        """The outline's on- and off-curve points: close enough to the curve
        to find where a stroke ends."""
        pen = TTGlyphPen(None)
        self.draw(pen)
        return list(pen.glyph().coordinates)

    def bounds(self):
        pen = BoundsPen(None)
        self.draw(pen)
        return pen.bounds


def glyph_of(*outlines):
    pen = TTGlyphPen(None)
    for outline in outlines:
        outline.draw(pen)
    glyph = pen.glyph()
    glyph.coordinates.toInt()  # rounded once, so bounds and metrics agree
    glyph.recalcBounds(None)
    return glyph


def top_or_bottom_centre(outline, cap, top):
    """Middle of the ink in the band at the top (or bottom) of a letter,
    where an accent sits over a slanted, swashed capital."""
    points = outline.points()
    ys = [y for _, y in points]
    band = 0.15 * cap
    edge = max(ys) if top else min(ys)
    xs = [x for x, y in points if (y >= edge - band if top else y <= edge + band)]
    return (min(xs) + max(xs)) / 2, edge


def derive_script(src, donor_path, out):
    script = TTFont(src)
    donor = TTFont(donor_path)
    script_map, donor_map = script.getBestCmap(), donor.getBestCmap()
    script_set, donor_set = script.getGlyphSet(), donor.getGlyphSet()
    script_cap = bounds(script_set, script_map[ord('H')])[3]
    scale = script_cap / bounds(donor_set, donor_map[ord('H')])[3]
    donor_transform = (scale, 0, 0, scale, 0, 0)

    def from_script(name):
        return Outline(script_set, name, cubic=True), script['hmtx'][name][0]

    def from_donor(name):
        return (Outline(donor_set, name, cubic=False, transform=donor_transform),
                round(donor['hmtx'][name][0] * scale))

    def script_capital(char):
        code = ord(char)
        return 'A' <= char <= 'Z' and code in script_map and has_ink(script_set, script_map[code])

    def capital(char):
        if script_capital(char):
            return from_script(script_map[ord(char)])
        # Garamond's swash capitals are heavy, upright cups beside
        # TypoScript's hairlines; its plain italic ones sit better.
        return from_donor(donor_map[ord(char)])

    def accented(char):
        """An accented capital on TypoScript's letter, or None."""
        parts = unicodedata.decomposition(char).split()
        if len(parts) != 2 or parts[0].startswith('<'):
            return None
        base, mark = chr(int(parts[0], 16)), int(parts[1], 16)
        if not script_capital(base) or mark not in donor_map:
            return None
        base_outline, advance = capital(base)
        mark_name = donor_map[mark]
        if f'{mark_name}.cap' in donor_set:
            mark_name = f'{mark_name}.cap'
        mark_outline, _ = from_donor(mark_name)
        mark_box = mark_outline.bounds()
        above = mark_box[1] > script_cap / 2
        centre, edge = top_or_bottom_centre(base_outline, script_cap, above)
        dx = centre - (mark_box[0] + mark_box[2]) / 2
        # Above: as far over the letter's top as Garamond sets it over its capital height.
        dy = edge - script_cap if above else 0
        return glyph_of(base_outline, mark_outline.moved(dx, dy)), advance

    glyphs, advances, cmap = {}, {}, {}
    outline, advance = from_script('.notdef')
    glyphs['.notdef'], advances['.notdef'] = glyph_of(outline), advance
    for code in WANTED:
        char = chr(code)
        made = accented(char)
        if made is None:
            if 'A' <= char <= 'Z':
                outline, advance = capital(char)
            elif code in donor_map:
                outline, advance = from_donor(donor_map[code])
            else:
                raise SystemExit(f'{donor_path} has no glyph for U+{code:04X}')
            made = glyph_of(outline), advance
        name = donor_map[code]
        glyphs[name], advances[name] = made
        cmap[code] = name

    order = ['.notdef'] + list(dict.fromkeys(cmap[code] for code in WANTED))
    builder = FontBuilder(unitsPerEm=script['head'].unitsPerEm, isTTF=True)
    builder.setupHead(unitsPerEm=script['head'].unitsPerEm, fontRevision=1.0,
                      created=FIXED_TIME, modified=FIXED_TIME)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap(cmap)
    builder.setupGlyf(glyphs)
    metrics = {}
    for name in order:
        metrics[name] = (advances[name], getattr(glyphs[name], 'xMin', 0))
    builder.setupHorizontalMetrics(metrics)
    # Line height from the glyphs themselves: the swashes and the accents on
    # the capitals must not be clipped (Windows cuts off at usWin*).
    ascent = max(getattr(g, 'yMax', 0) for g in glyphs.values())
    descent = min(getattr(g, 'yMin', 0) for g in glyphs.values())
    builder.setupHorizontalHeader(ascent=ascent, descent=descent, lineGap=0)
    copyright = (f"{script['name'].getDebugName(0)} "
                 f"{donor['name'].getDebugName(13).split(chr(10))[0]}")
    builder.setupNameTable({
        'copyright': copyright,
        'familyName': 'Formal436 BT',
        'styleName': 'Regular',
        'uniqueFontIdentifier': 'Formal436BT-Regular;derived from TypoScript and EB Garamond 12 Italic',
        'fullName': 'Formal436 BT',
        'version': 'Version 1.000',
        'psName': 'Formal436BT-Regular',
        'licenseDescription': 'This Font Software is licensed under the SIL Open Font License, Version 1.1.',
        'licenseInfoURL': 'http://scripts.sil.org/OFL',
        'typographicFamily': 'Formal436 BT',
        'typographicSubfamily': 'Regular',
    })
    donor_os2 = donor['OS/2']
    builder.setupOS2(
        version=4, usWeightClass=400, fsType=0, fsSelection=0x40, achVendID='PfEd',
        panose=script['OS/2'].panose,
        sTypoAscender=ascent, sTypoDescender=descent, sTypoLineGap=0,
        usWinAscent=ascent, usWinDescent=-descent,
        ulCodePageRange1=1,  # Latin 1
        sxHeight=round(donor_os2.sxHeight * scale), sCapHeight=round(script_cap),
        usFirstCharIndex=min(cmap), usLastCharIndex=min(max(cmap), 0xFFFF),
        yStrikeoutSize=round(donor_os2.yStrikeoutSize * scale),
        yStrikeoutPosition=round(donor_os2.yStrikeoutPosition * scale))
    builder.setupPost(underlinePosition=round(donor['post'].underlinePosition * scale),
                      underlineThickness=round(donor['post'].underlineThickness * scale))
    builder.font.save(out, reorderTables=True)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--small-caps', required=True, help='EB Garamond 12 All SC (TrueType)')
    parser.add_argument('--small-caps-fill',
                        help='EB Garamond 12 Regular (TrueType), for letters that the small caps '
                             'leave empty or full-size; by default the one beside --small-caps')
    parser.add_argument('--script', required=True, help='TypoScript (OpenType CFF)')
    parser.add_argument('--fill', required=True,
                        help='EB Garamond 12 Italic (TrueType), for lowercase, digits and signs')
    parser.add_argument('--out-z7', required=True)
    parser.add_argument('--out-zolt', required=True)
    args = parser.parse_args(argv)
    fill = args.small_caps_fill or os.path.join(os.path.dirname(args.small_caps), 'EBGaramond12-Regular.ttf')
    derive_small_caps(args.small_caps, fill, args.out_z7)
    derive_script(args.script, args.fill, args.out_zolt)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
