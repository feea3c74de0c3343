#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Writes the boxes' last-resort font: one glyph, an empty box one cell of
Liberation Mono wide, for every code point. Placed after the fonts that
have a text's characters, it ends the search for a character that no
installed font has (drawn as a box either way) at once.
Usage: make-last-resort.py OUT.ttf (data/fonts/last-resort.ttf is its output)"""
import sys

from fontTools.feaLib.builder import addOpenTypeFeaturesFromString
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

UPM, ADVANCE = 2048, 1229  # Liberation Mono's em and cell


def box():
    pen = TTGlyphPen(None)
    for (x0, y0, x1, y1, outer) in ((150, 0, 1079, 1300, True), (250, 100, 979, 1200, False)):
        points = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
        if not outer:
            points.reverse()
        pen.moveTo(points[0])
        for p in points[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


fb = FontBuilder(UPM, isTTF=True)
fb.setupGlyphOrder([".notdef", "box"])
fb.setupCharacterMap({0x20: "box"})
fb.setupGlyf({".notdef": box(), "box": box()})
fb.setupHorizontalMetrics({".notdef": (ADVANCE, 150), "box": (ADVANCE, 150)})
fb.setupHorizontalHeader(ascent=1705, descent=-615)
fb.setupNameTable({"familyName": "Nombrelix Last Resort", "styleName": "Regular"})
fb.setupOS2(sTypoAscender=1705, sTypoDescender=-615, usWinAscent=1705, usWinDescent=615,
            ulUnicodeRange1=0xFFFFFFFF, ulUnicodeRange2=0xFFFFFFFF, ulUnicodeRange3=0xFFFFFFFF,
            ulUnicodeRange4=0x07FFFFFF)
fb.setupPost()
# Every code point to the box: one format 13 (many to one) range for the
# full Unicode repertoire.
whole = CmapSubtable.newSubtable(13)
whole.platformID, whole.platEncID, whole.language = 3, 10, 0
whole.cmap = dict.fromkeys(range(0x110000), "box")
fb.font["cmap"].tables = [whole]
# The scripts that a toolkit draws only from fonts with OpenType layout for
# them (Qt asks fontconfig for "otlayout:<tag>"): without these tags the box
# is never chosen for them, and nothing draws their characters.
SCRIPTS = ("syrc thaa nko deva dev2 beng bng2 guru gur2 gujr gjr2 orya ory2 taml tml2 "
           "telu tel2 knda knd2 mlym mlm2 sinh khmr").split()
fea = "languagesystem DFLT dflt;\n" + "".join(f"languagesystem {t:<4} dflt;\n" for t in SCRIPTS)
fea += "feature ccmp { sub box by box; } ccmp;\n"
addOpenTypeFeaturesFromString(fb.font, fea)
# Fixed dates: the same bytes on every run.
fb.font["head"].created = fb.font["head"].modified = 0
fb.save(sys.argv[1])
