"""Checks the generated screen fonts: check_fonts.py FONTDIR.

A wrong dot in the braille face misleads whoever proofreads a label on
screen, so every cell is read back from the font file itself.
"""

import os
import sys

import fontforge

failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)


def raised_dots(glyph):
    """Dot numbers whose position holds a raised (large) dot."""
    dots = set()
    for contour in glyph.foreground:
        xs = [p.x for p in contour]
        ys = [p.y for p in contour]
        radius = (max(xs) - min(xs)) / 2
        if radius < 50:
            continue
        cx = (max(xs) + min(xs)) / 2
        cy = (max(ys) + min(ys)) / 2
        column = 0 if cx < 300 else 1
        row = 0 if cy > 425 else (1 if cy > 175 else 2)
        dots.add(column * 3 + row + 1)
    return dots


def english_names(font):
    return {key: value for lang, key, value in font.sfnt_names if lang == "English (US)"}


def check_fixed_pitch(font, label):
    expect(font.os2_panose[3] == 9, "%s: panose proportion %d, want 9 (monospaced)"
           % (label, font.os2_panose[3]))
    expect(font.os2_codepages[0] & 1, "%s: Latin-1 code page bit missing" % label)


def check_cell_grid(font, label):
    # The text box is measured in 10 mm lines and 6 mm cells with the em set
    # to 10 mm: a taller line cuts the box's last line off.
    line = font.os2_winascent + font.os2_windescent
    expect(line == font.em, "%s: line is %d units, want the em %d" % (label, line, font.em))
    expect(font.hhea_ascent - font.hhea_descent + font.hhea_linegap == font.em,
           "%s: hhea line is not the em" % label)
    # Zero-width glyphs (.null, combining marks) do not break fixed pitch.
    widths = {g.width for g in font.glyphs() if g.isWorthOutputting() and g.width}
    want = round(font.em * 0.6)
    expect(widths == {want}, "%s: advance %s, want one cell (%d)" % (label, sorted(widths)[:3], want))


def check_braille(path):
    font = fontforge.open(path)
    expect(font.familyname == "Vantor Font", "braille family %r" % font.familyname)
    for dots in range(64):
        code = 0x40 + dots
        if code not in font:
            expect(False, "byte 0x%02X has no glyph" % code)
            continue
        want = {d for d in range(1, 7) if dots & (1 << (d - 1))}
        got = raised_dots(font[code])
        expect(got == want, "byte 0x%02X: raised dots %s, want %s"
               % (code, sorted(got), sorted(want)))
    expect(0x20 in font and not raised_dots(font[0x20]), "space is not the empty cell")
    check_fixed_pitch(font, "braille")
    check_cell_grid(font, "braille")


def check_black_text(path):
    font = fontforge.open(path)
    names = english_names(font)
    expect(names.get("Family") == "Vantor Black Text Font", "black-text family %r"
           % names.get("Family"))
    # The licence forbids the source's names in a renamed face; credits and
    # notices keep them.
    for key, value in names.items():
        if key not in ("Family", "SubFamily", "UniqueID", "Fullname", "PostScriptName",
                       "Preferred Family", "Preferred Styles", "Compatible Full", "WWS Family"):
            continue
        for word in ("Bitstream", "Vera", "DejaVu"):
            expect(word not in value, "black-text name %s still says %r: %r" % (key, word, value))
    expect("Bitstream" in font.copyright, "the source face's copyright notice was dropped")
    expect("Bitstream" in names.get("License", ""), "the source face's licence entry was dropped")
    for lang, key, value in font.sfnt_names:
        expect(lang == "English (US)", "a %s name is left: %s=%r" % (lang, key, value))
    check_fixed_pitch(font, "black-text")
    check_cell_grid(font, "black-text")


def main(argv):
    folder = argv[1]
    check_braille(os.path.join(folder, "VantorFont.ttf"))
    check_black_text(os.path.join(folder, "VantorBlackText.ttf"))
    expect(os.path.exists(os.path.join(folder, "VantorBlackText-LICENSE.txt")),
           "licence text is not beside the black-text font")
    for message in failures:
        print("FAIL:", message)
    print("screen fonts: %d failed" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
