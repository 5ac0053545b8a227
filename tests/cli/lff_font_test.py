#!/usr/bin/python3
"""Pedivo's LibreCAD font against the drawings: it parses as a LibreCAD font, it has every character
every type's drawing holds, and the drawings name it the way LibreCAD looks a font up.

  lff_font_test.py PEDIVO-CALC FONT.lff
"""

import importlib.util
import json
import math
import os
import random
import re
import subprocess
import sys
import tempfile
import unittest

import ezdxf

CALC = sys.argv.pop(1)
FONT = sys.argv.pop(1)
HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(ROOT, "scripts"))
import realistic_columns  # noqa: E402

MODULES = ["j1", "j2", "g11", "g12", "g2", "g3", "gc"]
PROJECT = {"name": "华东钢结构厂房扩建工程（二期）", "number": "GJ-2026-018", "member": "GZ-3 柱脚",
           "designer": "张伟", "checker": "李晓明", "approver": "欧阳建国", "date": "2026年12月10日"}
NUMBER = r"-?\d+(\.\d+)?"
POINT = re.compile(rf"{NUMBER},{NUMBER}(,A{NUMBER})?")
CAP_HEIGHT = 9


def load_generator():
    found = importlib.util.spec_from_file_location(
        "make_lff_font", os.path.join(ROOT, "tools", "lff-font", "make_lff_font.py"))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def parse_lff(path):
    """The font's header fields and glyphs ({char: [[(x, y), ...], ...]}); raises ValueError
    with the line where the file departs from the LibreCAD font format."""
    header, glyphs, current = {}, {}, None
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            where = f"{path}:{number}: {line[:60]!r}"
            if line.startswith("#"):
                if glyphs:
                    raise ValueError(f"header line after the glyphs: {where}")
                key, _, value = line[1:].partition(":")
                if value:
                    header[key.strip()] = value.strip()
            elif line.startswith("["):
                match = re.fullmatch(r"\[([0-9a-f]{4,6})\] (.)", line)
                if not match or chr(int(match.group(1), 16)) != match.group(2):
                    raise ValueError(f"glyph header: {where}")
                current = match.group(2)
                if current in glyphs:
                    raise ValueError(f"glyph twice: {where}")
                glyphs[current] = []
            elif line:
                if current is None:
                    raise ValueError(f"strokes outside a glyph: {where}")
                points = line.split(";")
                if len(points) < 2 or not all(POINT.fullmatch(p) for p in points):
                    raise ValueError(f"stroke: {where}")
                glyphs[current].append([tuple(float(v) for v in p.split(",")[:2]) for p in points])
            else:
                current = None
    return header, glyphs


def drawing_texts(doc):
    """Every text a reader draws: texts in the model and in blocks (the dimensions' own), and the
    dimensions' texts."""
    texts = []
    for entity in doc.entitydb.values():
        kind = entity.dxftype()
        if kind in ("TEXT", "ATTRIB"):
            texts.append(entity.dxf.text)
        elif kind == "MTEXT":
            texts.append(entity.plain_text())
        elif kind == "DIMENSION":
            texts.append(entity.dxf.get("text", ""))
    return texts


class Font(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.header, cls.glyphs = parse_lff(FONT)

    def test_header_says_what_librecad_reads_and_where_the_outlines_come_from(self):
        self.assertEqual(self.header["Format"], "LibreCAD Font 1")
        self.assertEqual(self.header["Encoding"], "UTF-8")
        for field in ("LetterSpacing", "WordSpacing", "LineSpacingFactor"):
            self.assertGreater(float(self.header[field]), 0)
        self.assertIn("Noto Sans CJK SC", self.header["Author"])
        self.assertIn("Open Font License", self.header["License"])

    def test_covers_ascii_the_drawing_symbols_and_gb2312_level_1(self):
        wanted = [chr(c) for c in range(0x21, 0x7F)] + list("×φΦ±°²·—，。：；（）《》、“”")
        self.assertEqual([c for c in wanted if c not in self.glyphs], [])
        level1 = load_generator().gb2312_level1()
        self.assertEqual(len(level1), 3755)
        self.assertEqual([c for c in level1 if c not in self.glyphs], [])

    def test_outlines_are_closed_and_in_the_line_of_text(self):
        for char, strokes in self.glyphs.items():
            self.assertTrue(strokes, char)
            for stroke in strokes:
                self.assertEqual(stroke[0], stroke[-1], f"{char}: an outline left open")
            xs = [x for stroke in strokes for x, _ in stroke]
            ys = [y for stroke in strokes for _, y in stroke]
            # Ink starts at the glyph's origin; nothing reaches far above the capitals or below
            # the descenders.
            self.assertEqual(min(xs), 0, char)
            self.assertGreater(min(ys), -4, char)
            self.assertLess(max(ys), 13, char)

    def test_sizes_match_the_room_the_drawing_gives_a_text(self):
        # The drawing allows 0.6 of the text height for a figure and the full height for a hanzi
        # when it sets leaders, table cells and dimension texts.
        spacing = float(self.header["LetterSpacing"])

        def box(char):
            points = [p for stroke in self.glyphs[char] for p in stroke]
            return (min(x for x, _ in points), min(y for _, y in points),
                    max(x for x, _ in points), max(y for _, y in points))

        _, bottom, _, top = box("H")
        self.assertAlmostEqual(bottom, 0, delta=0.01)
        self.assertAlmostEqual(top, CAP_HEIGHT, delta=0.01)
        for char in "中国钢柱":
            left, bottom, right, top = box(char)
            self.assertLess(abs(top - bottom - CAP_HEIGHT), 0.8, char)
            self.assertLess(abs(right - left + spacing - CAP_HEIGHT), 1.0, char)
        for char in "0123456789":
            left, _, right, _ = box(char)
            self.assertLess(right - left + spacing, 0.7 * CAP_HEIGHT, char)


class Flattening(unittest.TestCase):
    def test_chords_of_a_curve_stay_within_the_tolerance(self):
        generator = load_generator()
        radius, k = 100.0, 0.5522847498  # a quarter circle as one cubic, within 0.03 % of it
        for tolerance in (0.5, 0.06, 0.01):
            with self.subTest(tolerance=tolerance):
                pen = generator.FlatteningPen(None, lambda p: p, tolerance)
                pen.moveTo((radius, 0))
                pen.curveTo((radius, k * radius), (k * radius, radius), (0, radius))
                pen.closePath()
                points = pen.contours[0][:-1]
                self.assertGreater(len(points), 3)
                for a, b in zip(points, points[1:]):
                    middle = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)
                    self.assertLess(radius - math.hypot(*middle), tolerance + 0.03 * radius / 100)
                # Not far finer than asked either: the chords' count grows as 1/√tolerance.
                self.assertLess(len(points), 3 * math.sqrt(radius / tolerance))

    def test_straight_points_and_rounding_repeats_are_dropped(self):
        generator = load_generator()
        line = generator.polyline_text([(0, 0), (1, 0), (2, 0), (2.001, 0), (2, 1), (0, 0)])
        self.assertEqual(line, "0,0;2,0;2,1;0,0")
        self.assertIsNone(generator.polyline_text([(1, 1), (1.001, 1.002)]))


class Drawings(unittest.TestCase):
    """Every type's default drawing and realistic ones with a project block."""

    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        cls.glyphs = parse_lff(FONT)[1]
        rng = random.Random(20261210)
        cases = [{"module": m, "entries": {}} for m in MODULES]
        cases += [dict(realistic_columns.case(rng, m), project=PROJECT) for m in MODULES]
        cls.docs = []
        for i, case in enumerate(cases):
            path = os.path.join(cls.folder.name, f"{i}.dxf")
            out = subprocess.run([CALC, "--dxf", path], input=json.dumps(case) + "\n", capture_output=True,
                                 text=True)
            assert out.returncode == 0, out.stderr
            assert json.loads(out.stdout)["state"] != "未计算", out.stdout
            cls.docs.append((case, ezdxf.readfile(path)))

    @classmethod
    def tearDownClass(cls):
        cls.folder.cleanup()

    def test_the_font_has_every_character_of_every_drawing(self):
        for case, doc in self.docs:
            with self.subTest(module=case["module"], project="project" in case):
                texts = drawing_texts(doc)
                if "project" in case:
                    self.assertIn(PROJECT["name"], texts)
                missing = {c for text in texts for c in text if not c.isspace() and c not in self.glyphs}
                self.assertEqual("".join(sorted(missing)), "")

    def test_texts_name_the_font_as_librecad_looks_it_up(self):
        # LibreCAD draws a text in the font file named as its style (lower case), dimension texts
        # in the one $DIMTXSTY names; CAD programs read the style's shape fonts.
        font_name = os.path.splitext(os.path.basename(FONT))[0]
        for case, doc in self.docs:
            with self.subTest(module=case["module"]):
                styles = {e.dxf.style for e in doc.entitydb.values() if e.dxftype() == "TEXT"}
                self.assertEqual({s.lower() for s in styles}, {font_name})
                self.assertEqual(doc.header.get("$DIMTXSTY", "").lower(), font_name)
                for name in styles | {"Standard"}:
                    style = doc.styles.get(name)
                    self.assertEqual((style.dxf.font, style.dxf.bigfont), ("gbenor.shx", "gbcbig.shx"))
                dimstyle = doc.dimstyles.get(doc.header.get("$DIMSTYLE"))
                self.assertEqual(dimstyle.dxf.dimtxsty.lower(), font_name)


if __name__ == "__main__":
    unittest.main()
