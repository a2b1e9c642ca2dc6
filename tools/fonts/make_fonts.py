"""Builds the two screen fonts the wizard names: the braille cell font and
the black-text font.

    make_fonts.py OUTDIR VERSION MONO_TTF

Run with a Python that has the fontforge module.
"""

import os
import sys

import fontforge
import psMat

BRAILLE_FACE = "Vantor Font"
BLACK_FACE = "Vantor Black Text Font"

# Name entries of the black-text source face that the rename keeps.
KEPT_NAMES = ("Trademark", "Manufacturer", "Designer", "Vendor URL", "License", "License URL")

# One em is the 10 mm braille line, so one unit is 0.01 mm: the 6 mm cell
# pitch, 2.5 mm between dots and a 1.5 mm raised dot come out as whole units.
EM = 1000
ASCENT = 800
DESCENT = 200
CELL_WIDTH = 600
DOT_PITCH = 250
RAISED_RADIUS = 75
# Unraised positions are thin rings, so a sighted reader sees where a dot
# could be without mistaking it for a raised one.
RING_OUTER = 32
RING_INNER = 20

# Dots 1-3 run down the left column, 4-6 down the right; bit n-1 is dot n.
COLUMN_X = (CELL_WIDTH // 2 - DOT_PITCH // 2, CELL_WIDTH // 2 + DOT_PITCH // 2)
ROW_Y = (300 + DOT_PITCH, 300, 300 - DOT_PITCH)


def dot_centre(dot):
    """Centre of dot 1..6 in font units."""
    column, row = divmod(dot - 1, 3)
    return COLUMN_X[column], ROW_Y[row]


def ring(cx, cy, r):
    """A circle contour of radius r around (cx, cy)."""
    shape = fontforge.unitShape(0)
    shape.transform(psMat.compose(psMat.scale(r), psMat.translate(cx, cy)))
    return shape


def draw_cell(glyph, dots):
    layer = fontforge.layer()
    for dot in range(1, 7):
        cx, cy = dot_centre(dot)
        if dots & (1 << (dot - 1)):
            layer += ring(cx, cy, RAISED_RADIUS)
        else:
            layer += ring(cx, cy, RING_OUTER)
            hole = ring(cx, cy, RING_INNER)
            hole.reverseDirection()
            layer += hole
    glyph.foreground = layer
    glyph.correctDirection()
    glyph.width = CELL_WIDTH


def set_names(font, family, postscript, version, copyright_text, kept=()):
    """Gives the font its face name; `kept` are (key, value) name entries
    carried over unchanged, such as the licence."""
    font.familyname = family
    font.fontname = postscript
    font.fullname = family
    font.weight = "Regular"
    font.version = version
    font.copyright = copyright_text
    # Names in other languages would still carry the old face; GDI must find
    # only the new one.
    font.sfnt_names = ()
    for key, value in (
        ("Copyright", copyright_text),
        ("Family", family),
        ("SubFamily", "Regular"),
        ("UniqueID", "%s %s" % (family, version)),
        ("Fullname", family),
        ("Version", "Version %s" % version),
        ("PostScriptName", postscript),
        ("Preferred Family", family),
        ("Preferred Styles", "Regular"),
    ) + tuple(kept):
        font.appendSFNTName("English (US)", key, value)


def set_line_metrics(font, ascent, descent):
    """One line is ascent + descent, with no gap, in every table GDI and
    other renderers read."""
    for attr in ("os2_winascent_add", "os2_windescent_add", "os2_typoascent_add",
                 "os2_typodescent_add", "hhea_ascent_add", "hhea_descent_add"):
        setattr(font, attr, False)
    font.os2_winascent = ascent
    font.os2_windescent = descent
    font.os2_typoascent = ascent
    font.os2_typodescent = -descent
    font.os2_typolinegap = 0
    font.hhea_ascent = ascent
    font.hhea_descent = -descent
    font.hhea_linegap = 0
    font.os2_use_typo_metrics = True


def mark_fixed_pitch(font):
    # Latin-1 code page so GDI offers the face for ANSI_CHARSET requests;
    # panose proportion 9 is "monospaced".
    low, high = font.os2_codepages
    font.os2_codepages = (low | 1, high)
    panose = list(font.os2_panose)
    panose[3] = 9
    font.os2_panose = tuple(panose)


def braille_font(version):
    font = fontforge.font()
    font.encoding = "UnicodeBmp"
    font.em = EM
    font.ascent = ASCENT
    font.descent = DESCENT
    set_names(font, BRAILLE_FACE, "VantorFont", version,
              "Copyright (c) Vantor. Braille cell screen font.")
    set_line_metrics(font, ASCENT, DESCENT)

    notdef = font.createChar(-1, ".notdef")
    notdef.width = CELL_WIDTH
    for dots in range(64):
        glyph = font.createChar(0x40 + dots, "cell%02d" % dots)
        draw_cell(glyph, dots)
    space = font.createChar(0x20, "space")
    space.width = CELL_WIDTH
    mark_fixed_pitch(font)
    return font


def fit_to_cell_grid(font):
    """Scales the face so that one line is exactly one em and one character
    exactly one braille cell (0.6 em) wide. The label text box is measured
    in 10 mm lines and 6 mm cells and the wizard sets the em to 10 mm, so
    the print then fills the box line for line and cell for cell; with the
    source face's taller lines the last line of the box was cut off."""
    em = font.em
    ascent = max(font.os2_winascent, font.hhea_ascent)
    descent = max(font.os2_windescent, -font.hhea_descent)
    scale = em / (ascent + descent)
    advance = round(em * CELL_WIDTH / EM)
    # The source's hinting does not survive a transform; screens render the
    # plain outlines well at label sizes.
    for glyph in font.glyphs():
        glyph.ttinstrs = b""
    font.selection.all()
    font.transform(psMat.scale(scale))
    font.selection.none()
    for glyph in font.glyphs():
        if glyph.width > 0:
            glyph.transform(psMat.translate((advance - glyph.width) / 2, 0))
            glyph.width = advance
    new_ascent = round(ascent * scale)
    set_line_metrics(font, new_ascent, em - new_ascent)


def black_text_font(mono_path):
    font = fontforge.open(mono_path)
    # The licence of the source face allows changes when the face is renamed;
    # its notices, licence and version stay as they are.
    kept = [(key, value) for lang, key, value in font.sfnt_names
            if lang == "English (US)" and key in KEPT_NAMES]
    set_names(font, BLACK_FACE, "VantorBlackTextFont", font.version, font.copyright, kept)
    fit_to_cell_grid(font)
    mark_fixed_pitch(font)
    return font


def main(argv):
    if len(argv) != 4:
        sys.stderr.write("usage: make_fonts.py OUTDIR VERSION MONO_TTF\n")
        return 2
    outdir, version, mono = argv[1:]
    os.makedirs(outdir, exist_ok=True)
    flags = ("opentype", "short-post")
    braille_font(version).generate(os.path.join(outdir, "VantorFont.ttf"), flags=flags)
    black_text_font(mono).generate(
        os.path.join(outdir, "VantorBlackText.ttf"), flags=flags)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
