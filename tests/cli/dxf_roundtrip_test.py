#!/usr/bin/python3
"""Reads the DXF files of pedivo-calc --dxf back with ezdxf, a second DXF implementation, and
compares what it finds with the design pedivo-calc reports for the same case."""

import json
import math
import os
import random
import subprocess
import sys
import tempfile
import unittest
from collections import Counter

import ezdxf

CALC = sys.argv.pop(1)
LAYERS = {"轮廓", "锚栓", "加劲肋", "焊缝", "尺寸", "文字"}
BOLTS = {"j1": 2, "j2": 4, "g11": 8, "g12": 10, "g2": 6, "g3": 4, "gc": 0}


def general(x):
    """The general number format of whole and half millimetres, as the result window shows them."""
    return str(int(x)) if x == int(x) else repr(x)


def run(case, *options, check=True):
    result = subprocess.run([CALC, *options], input=json.dumps(case) + "\n", capture_output=True, text=True)
    if check:
        assert result.returncode == 0, result.stderr
    return result


class DefaultDesigns(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def design_and_read(self, module, entries=None):
        path = os.path.join(self.folder.name, module + ".dxf")
        out = run({"module": module, "entries": entries or {}}, "--dxf", path)
        case = json.loads(out.stdout)
        doc = ezdxf.readfile(path)
        return case, doc

    def test_every_type_reads_back_with_its_layers_units_and_bolts(self):
        for module, bolts in BOLTS.items():
            with self.subTest(module=module):
                case, doc = self.design_and_read(module)
                self.assertEqual(doc.dxfversion, "AC1015")
                self.assertEqual(doc.header.get("$INSUNITS"), 4)
                self.assertEqual(doc.header.get("$DWGCODEPAGE"), "ANSI_936")
                self.assertTrue(LAYERS <= {layer.dxf.name for layer in doc.layers})
                msp = doc.modelspace()
                self.assertTrue({e.dxf.layer for e in msp} <= LAYERS)
                circles = msp.query("CIRCLE")
                self.assertEqual(len(circles), bolts)
                values = case["values"]
                for circle in circles:
                    self.assertEqual(circle.dxf.layer, "锚栓")
                    dms = values["dms"]
                    self.assertAlmostEqual(2 * circle.dxf.radius, dms + (1.5 if dms <= 27 else 2), places=9)
                texts = [t.dxf.text for t in msp.query("TEXT")]
                self.assertIn("平面图", texts)
                # The version that drew the sheet, as `pedivo-calc --version` names it.
                version = subprocess.run([CALC, "--version"], capture_output=True, text=True).stdout.split(" ", 1)[1]
                self.assertIn("Pedivo 软件版本 " + version.strip(), texts)
                self.assertFalse(doc.audit().has_errors)

    def test_plate_outline_is_one_closed_polyline_of_the_designed_plan(self):
        for module in ("j1", "j2", "g11", "g12", "g2", "g3"):
            with self.subTest(module=module):
                case, doc = self.design_and_read(module)
                L, B = case["values"]["L"], case["values"]["B"]
                outline = doc.modelspace().query('LWPOLYLINE[layer=="轮廓"]')[0]
                self.assertTrue(outline.closed)
                points = [(round(x, 6), round(y, 6)) for x, y in outline.get_points("xy")]
                self.assertEqual(sorted(points), sorted([(-L / 2, -B / 2), (L / 2, -B / 2), (L / 2, B / 2), (-L / 2, B / 2)]))
                fields = dict(case["results"])
                dimension_texts = [t.dxf.text for t in doc.modelspace().query('TEXT[layer=="尺寸"]')]
                for field in ("EdtL", "EdtB", "Edttpb"):
                    self.assertIn(fields[field], dimension_texts)

    def test_eight_bolt_holes_stand_in_two_rows_and_beside_the_web(self):
        case, doc = self.design_and_read("g11")
        v = case["values"]
        row_x = v["hb"] / 2 + v["a"]
        centres = Counter((round(c.dxf.center.x, 6), round(c.dxf.center.y, 6)) for c in doc.modelspace().query("CIRCLE"))
        for k in range(3):
            y = round(-v["B"] / 2 + v["bt"] + k * (2 * v["c"] + v["tjjl"]), 6)
            self.assertEqual(centres[(row_x, y)], 1)
            self.assertEqual(centres[(-row_x, y)], 1)
        self.assertEqual(sum(1 for (x, _) in centres if x == 0), 2)

    def test_grown_plate_of_a_heavier_two_bolt_base(self):
        case, doc = self.design_and_read("j1", {"EdtN": "2000", "EdtV": "100"})
        self.assertEqual((case["values"]["L"], case["values"]["B"]), (560, 310))
        texts = [t.dxf.text for t in doc.modelspace().query('TEXT[layer=="尺寸"]')]
        self.assertIn("560", texts)
        self.assertIn("310", texts)
        welds = [t.dxf.text for t in doc.modelspace().query('TEXT[layer=="焊缝"]')]
        self.assertEqual(welds, ["角焊缝 hf=" + general(case["values"]["hf11"])])


class Refusals(unittest.TestCase):
    def test_an_unfinished_design_writes_no_file(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "g11.dxf")
            result = run({"module": "g11", "entries": {"EdtN": "-800", "EdtM": "10"}}, "--dxf", path, check=False)
            self.assertEqual(result.returncode, 1)
            self.assertIn("尚无完成的设计", result.stderr)
            self.assertFalse(os.path.exists(path))
            self.assertEqual(os.listdir(folder), [])

    def test_with_a_report_both_files_are_written(self):
        with tempfile.TemporaryDirectory() as folder:
            dxf, docx = os.path.join(folder, "g2.dxf"), os.path.join(folder, "g2.docx")
            run({"module": "g2", "entries": {}}, "--report", docx, "--dxf", dxf)
            self.assertTrue(os.path.getsize(docx) > 0)
            self.assertEqual(len(ezdxf.readfile(dxf).modelspace().query("CIRCLE")), 6)

    def test_output_without_dxf_is_unchanged_by_asking_for_one(self):
        with tempfile.TemporaryDirectory() as folder:
            case = {"module": "j2", "entries": {"EdtN": "300"}}
            plain = run(case).stdout
            drawn = run(case, "--dxf", os.path.join(folder, "j2.dxf")).stdout
            self.assertEqual(plain, drawn)


class RandomDesigns(unittest.TestCase):
    """Seeded random cases (PEDIVO_DXF_FUZZ_CASES of them, 12 by default): every completed design's
    file reads back without an audit error and holds only finite coordinates."""

    def test_every_drawn_design_reads_back_clean(self):
        rng = random.Random(int(os.environ.get("PEDIVO_FUZZ_SEED", "20261209")))
        count = int(os.environ.get("PEDIVO_DXF_FUZZ_CASES", "12"))
        drawn = 0
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "plan.dxf")
            for _ in range(count):
                module = rng.choice(list(BOLTS))
                entries = {name: str(round(rng.uniform(low, high)))
                           for name, low, high in (("EdtN", 20, 4000), ("EdtV", 5, 800), ("EdtM", 10, 3000))
                           if rng.random() < 0.7}
                case = {"module": module, "entries": entries}
                if module not in ("j1", "j2", "gc"):
                    case["cbsize"] = rng.random() < 0.5
                result = run(case, "--dxf", path, check=False)
                if result.returncode != 0:
                    self.assertEqual(result.returncode, 1, result.stderr)
                    continue
                drawn += 1
                doc = ezdxf.readfile(path)
                with self.subTest(case=json.dumps(case)):
                    self.assertFalse(doc.audit().has_errors)
                    for entity in doc.modelspace():
                        for name in ("start", "end", "center", "insert"):
                            if entity.dxf.hasattr(name):
                                self.assertTrue(all(math.isfinite(v) for v in entity.dxf.get(name)))
        print(f"dxf read back: {drawn} of {count} cases drawn", file=sys.stderr)
        self.assertGreater(drawn, 0)


if __name__ == "__main__":
    unittest.main()
