#!/usr/bin/python3
"""Writes Pedivo's LibreCAD font (a LibreCAD Font 1 file, .lff) from a CJK OpenType font.

LibreCAD draws text only with its own stroke fonts, and none of those it ships has the Chinese
characters of a 柱脚详图. This turns the outlines of a CJK font into polylines: each glyph's
contours, flattened within a set tolerance, become the glyph's strokes, so characters are drawn
hollow. Capitals are 9 units high, as in every LibreCAD font; Chinese characters are scaled to
the same height (as a CAD big font is) and centred on the capitals.

The characters: printable ASCII and Latin-1, the symbols, full-width forms and Greek of GB 2312,
its 3,755 level-1 hanzi, and every character of the engine's sources (design/), which holds
every text the program writes into a drawing.

  make_lff_font.py --font NotoSansCJK-Regular.ttc --face "Noto Sans CJK SC" \
                   --sources design --output pedivo.lff
"""

import argparse
import math
import os
import pathlib
import sys

from fontTools.pens.basePen import BasePen
from fontTools.pens.boundsPen import BoundsPen
from fontTools.ttLib import TTCollection, TTFont

CAP_HEIGHT = 9.0          # a LibreCAD font's capitals, in font units
HANZI_HEIGHT = 9.3        # a hanzi's ink, about the capitals' height
# Letters, figures and hanzi are drawn condensed, as drafting lettering is: a figure then takes
# about 0.6 of the text height and a hanzi about the full height, with the space to the next one,
# which is what the drawing allows for a text when it places leaders, table cells and dimension
# texts.
LATIN_WIDTH = 0.82
HANZI_WIDTH = 0.88
TOLERANCE = 0.06          # largest gap between a curve and its chords, in font units
LETTER_SPACING = 0.9      # between one glyph's ink and the next
WORD_SPACING = 3.0        # the space's advance
DECIMALS = 2              # 1/100 of a unit: 0.004 mm on 3.5 mm text

# GB 2312 rows by their first byte: symbols (0xA1), numbered forms (0xA2), full-width ASCII
# (0xA3), Greek (0xA6); the level-1 hanzi are rows 0xB0 to 0xD7, the last one ending at 0xF9.
GB2312_SYMBOL_ROWS = (0xA1, 0xA2, 0xA3, 0xA6)
GB2312_LEVEL1_ROWS = range(0xB0, 0xD8)
GB2312_LEVEL1_LAST = bytes((0xD7, 0xF9))


def gb2312_row(lead):
    chars = []
    for trail in range(0xA1, 0xFF):
        code = bytes((lead, trail))
        if lead == GB2312_LEVEL1_LAST[0] and trail > GB2312_LEVEL1_LAST[1]:
            break
        try:
            chars.append(code.decode("gb2312"))
        except UnicodeDecodeError:
            pass  # the rows' unassigned cells
    return chars


def gb2312_level1():
    return [c for lead in GB2312_LEVEL1_ROWS for c in gb2312_row(lead)]


def in_gbk(char):
    try:
        char.encode("gbk")
        return True
    except UnicodeEncodeError:
        return False


def source_characters(folders, accept):
    """Every character above ASCII in the C++ sources under the folders that accept takes."""
    found = set()
    for folder in folders:
        for path in sorted(pathlib.Path(folder).rglob("*")):
            if path.suffix in (".cpp", ".h"):
                found |= {c for c in path.read_text(encoding="utf-8") if ord(c) > 0x7F and accept(c)}
    return found


def wanted_characters(source_folders):
    """The characters the font covers: those it must have, and the common set for users' texts."""
    required = {chr(c) for c in range(0x21, 0x7F)} | source_characters(source_folders, in_gbk)
    # A drawing's texts are written in GBK: a character outside it reaches a drawing only as an
    # escape, which not every reader decodes, so the font has such characters where it can.
    common = source_characters(source_folders, lambda c: not in_gbk(c))
    common |= {chr(c) for c in range(0xA1, 0x100) if chr(c).isprintable() and c != 0xAD}
    for lead in GB2312_SYMBOL_ROWS:
        common |= set(gb2312_row(lead))
    common |= set(gb2312_level1())
    # The characters a text could not show anyway: spaces and controls.
    blank = {c for c in required | common if c.isspace() or not c.isprintable()}
    return required - blank, common - required - blank


def is_cjk(char):
    """Drawn to the hanzi's height: CJK ideographs, their punctuation and the full-width forms."""
    c = ord(char)
    return (0x2E80 <= c <= 0x9FFF or 0xF900 <= c <= 0xFAFF or 0xFE30 <= c <= 0xFE4F
            or 0xFF01 <= c <= 0xFF60 or 0xFFE0 <= c <= 0xFFE6)


class FlatteningPen(BasePen):
    """Collects a glyph's contours as polylines, curves cut into chords no farther than the
    tolerance from the curve. Points arrive in font units and leave in LFF units."""

    def __init__(self, glyph_set, transform, tolerance):
        super().__init__(glyph_set)
        self.transform = transform
        self.tolerance = tolerance
        self.contours = []
        self.current = None

    def _moveTo(self, p):
        self.current = [self.transform(p)]
        self.contours.append(self.current)

    def _lineTo(self, p):
        self.current.append(self.transform(p))

    def _chords(self, points, bend, weight):
        # A polynomial curve of largest second derivative D strays at most D/(8·n²) from n equal
        # chords; D is weight × the control polygon's largest second difference.
        n = max(1, math.ceil(math.sqrt(weight * bend / (8 * self.tolerance))))
        for i in range(1, n + 1):
            self.current.append(points(i / n))

    def _qCurveToOne(self, p1, p2):
        p0 = self.current[-1]
        a, b = self.transform(p1), self.transform(p2)
        bend = math.dist((p0[0] - 2 * a[0] + b[0], p0[1] - 2 * a[1] + b[1]), (0, 0))

        def at(t):
            u = 1 - t
            return tuple(u * u * p0[k] + 2 * u * t * a[k] + t * t * b[k] for k in (0, 1))

        self._chords(at, bend, 2)

    def _curveToOne(self, p1, p2, p3):
        p0 = self.current[-1]
        a, b, c = self.transform(p1), self.transform(p2), self.transform(p3)
        bend = max(math.dist((p0[0] - 2 * a[0] + b[0], p0[1] - 2 * a[1] + b[1]), (0, 0)),
                   math.dist((a[0] - 2 * b[0] + c[0], a[1] - 2 * b[1] + c[1]), (0, 0)))

        def at(t):
            u = 1 - t
            return tuple(u * u * u * p0[k] + 3 * u * u * t * a[k] + 3 * u * t * t * b[k] + t * t * t * c[k]
                         for k in (0, 1))

        self._chords(at, bend, 6)

    def _closePath(self):
        if self.current and self.current[0] != self.current[-1]:
            self.current.append(self.current[0])
        self.current = None

    def _endPath(self):
        self.current = None


def number(value):
    text = f"{value:.{DECIMALS}f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def polyline_text(points):
    """A contour as an LFF stroke line, repeated points (after rounding) and straight-through
    points dropped; None where nothing of the contour is left to draw."""
    rounded = []
    for x, y in points:
        p = (number(x), number(y))
        if not rounded or rounded[-1] != p:
            rounded.append(p)
    kept = []
    for p in rounded:
        if len(kept) >= 2 and collinear(kept[-2], kept[-1], p):
            kept[-1] = p
        else:
            kept.append(p)
    if len(kept) < 2:
        return None
    return ";".join(f"{x},{y}" for x, y in kept)


def collinear(a, b, c):
    ax, ay, bx, by, cx, cy = (float(v) for v in (*a, *b, *c))
    cross = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax)
    along = (bx - ax) * (cx - bx) + (by - ay) * (cy - by)
    return abs(cross) < 1e-9 and along > 0


def open_face(path, face):
    if path.endswith((".ttc", ".otc")):
        for font in TTCollection(path, lazy=True).fonts:
            if font["name"].getDebugName(1) == face:
                return font
        sys.exit(f"make_lff_font: {path} has no face {face!r}")
    return TTFont(path, lazy=True)


class GlyphWriter:
    def __init__(self, font):
        self.glyphs = font.getGlyphSet()
        self.cmap = font.getBestCmap()
        cap = font["OS/2"].sCapHeight
        self.latin_scale = CAP_HEIGHT / cap
        # The hanzi's ink is taken from 中, whose strokes reach the ideographic box's usual limits.
        box = self.bounds("中")
        self.hanzi_scale = HANZI_HEIGHT / (box[3] - box[1])
        self.hanzi_centre = (box[1] + box[3]) / 2

    def bounds(self, char):
        pen = BoundsPen(self.glyphs)
        self.glyphs[self.cmap[ord(char)]].draw(pen)
        return pen.bounds

    def has(self, char):
        return ord(char) in self.cmap

    def strokes(self, char):
        """The glyph's polylines, its ink starting at x = 0: LibreCAD sets the next glyph
        LetterSpacing after this one's ink."""
        if is_cjk(char):
            across, up = self.hanzi_scale * HANZI_WIDTH, self.hanzi_scale
            lift = CAP_HEIGHT / 2 - self.hanzi_centre * up
        else:
            across, up, lift = self.latin_scale * LATIN_WIDTH, self.latin_scale, 0.0

        def transform(p):
            return (p[0] * across, p[1] * up + lift)

        pen = FlatteningPen(self.glyphs, transform, TOLERANCE)
        self.glyphs[self.cmap[ord(char)]].draw(pen)
        if not pen.contours:
            return []
        left = min(x for contour in pen.contours for x, _ in contour)
        lines = (polyline_text([(x - left, y) for x, y in contour]) for contour in pen.contours)
        return [line for line in lines if line]


def header(source_name, source_copyright):
    return "\n".join([
        "# Format:            LibreCAD Font 1",
        "# Creator:           Pedivo (tools/lff-font/make_lff_font.py)",
        "# Name:              Pedivo",
        "# Version:           1",
        "# Encoding:          UTF-8",
        f"# LetterSpacing:     {number(LETTER_SPACING)}",
        f"# WordSpacing:       {number(WORD_SPACING)}",
        "# LineSpacingFactor: 1",
        f"# Author:            outlines of {source_name}, {source_copyright}",
        "# License:           SIL Open Font License 1.1 (OFL-1.1), as the font it is made from;",
        "#                    the licence's text is in /usr/share/doc/pedivo/copyright",
        "",
    ]) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--font", required=True, help="the CJK OpenType font or collection")
    parser.add_argument("--face", required=True, help="its face's family name")
    parser.add_argument("--sources", nargs="+", required=True, help="folders whose texts the font must cover")
    parser.add_argument("--output", required=True)
    args = parser.parse_args()

    font = open_face(args.font, args.face)
    writer = GlyphWriter(font)
    required, common = wanted_characters(args.sources)
    missing = sorted(c for c in required if not writer.has(c))
    if missing:
        sys.exit(f"make_lff_font: {args.face} lacks {''.join(missing)}")
    chars = sorted(required | {c for c in common if writer.has(c)})

    parts = [header(font["name"].getDebugName(4), font["name"].getDebugName(0))]
    for char in chars:
        lines = writer.strokes(char)
        if lines or char in required:
            parts.append(f"[{ord(char):04x}] {char}\n" + "".join(line + "\n" for line in lines) + "\n")
    temporary = args.output + ".part"
    with open(temporary, "w", encoding="utf-8", newline="\n") as out:
        out.write("".join(parts))
    os.replace(temporary, args.output)


if __name__ == "__main__":
    main()
