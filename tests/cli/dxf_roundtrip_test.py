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
import ezdxf.bbox

CALC = sys.argv.pop(1)
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import realistic_columns  # noqa: E402

LAYERS = {"轮廓", "锚栓", "加劲肋", "焊缝", "尺寸", "文字", "中心线"}
# The result fields each type's drawing dimensions, with the held value each measures.
DIMENSIONED = {
    "j1": {"EdtL": "L", "EdtB": "B", "Edttpb": "tpb"},
    "j2": {"EdtL": "L", "EdtB": "B", "Edttpb": "tpb", "Edthjjl": "hjjl"},
    "g11": {"EdtL": "L", "EdtB": "B", "Edttpb": "tpb", "Edtlt": "lt", "Edta": "a", "Edtbt": "bt", "Edtc": "c",
            "Edthjjl": "hjjl"},
    "g2": {"EdtL": "L", "EdtB": "B", "Edttpb": "tpb", "Edtlt": "lt", "Edta": "a", "Edtbt": "bt", "Edtc": "c",
           "Edthxlb": "hsh", "Edthjjl": "hjjl"},
    "g3": {"EdtL": "L", "EdtB": "B", "Edttpb": "tpb", "Edtlt": "lt", "Edthxlb": "hsh", "Edthjjl": "hjjl",
           "Edthgb": "hcb"},
    "gc": {"edtH": "H2"},
}
DIMENSIONED["g12"] = DIMENSIONED["g11"]
USUAL_GROUT = 50
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
                extmin, extmax = doc.header.get("$EXTMIN"), doc.header.get("$EXTMAX")
                self.assertTrue(extmin[0] < extmax[0] and extmin[1] < extmax[1])
                box = ezdxf.bbox.extents(doc.modelspace().query("LINE CIRCLE LWPOLYLINE"))
                self.assertTrue(extmin[0] <= box.extmin.x and box.extmax.x <= extmax[0])
                self.assertTrue(extmin[1] <= box.extmin.y and box.extmax.y <= extmax[1])
                self.assertEqual(doc.layers.get("文字").color, 7)
                self.assertEqual(doc.layers.get("中心线").dxf.linetype, "CENTER")
                self.assertIn("CENTER", doc.linetypes)
                style = doc.styles.get("Standard")
                self.assertEqual((style.dxf.font, style.dxf.bigfont), ("gbenor.shx", "gbcbig.shx"))
                dimstyle = doc.dimstyles.get("Standard")
                self.assertAlmostEqual(dimstyle.dxf.dimtxt * dimstyle.dxf.dimscale,
                                       2.5 * doc.header.get("$DIMSCALE"), places=9)
                self.assertAlmostEqual(dimstyle.dxf.dimtxt, 2.5, places=9)
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
                outline = plate_outline(doc)
                self.assertTrue(outline.closed)
                cx, cy = plate_centre(doc)
                points = [(round(x - cx, 6), round(y - cy, 6)) for x, y in outline.get_points("xy")]
                self.assertEqual(sorted(points), sorted([(-L / 2, -B / 2), (L / 2, -B / 2), (L / 2, B / 2), (-L / 2, B / 2)]))
                fields = dict(case["results"])
                dimension_texts = [d.dxf.text for d in doc.modelspace().query("DIMENSION")]
                for field in ("EdtL", "EdtB", "Edttpb"):
                    self.assertIn(fields[field], dimension_texts)

    def test_eight_bolt_holes_stand_in_two_rows_and_beside_the_web(self):
        case, doc = self.design_and_read("g11")
        v = case["values"]
        row_x = v["hb"] / 2 + v["a"]
        cx, cy = plate_centre(doc)
        centres = Counter((round(c.dxf.center.x - cx, 6), round(c.dxf.center.y - cy, 6))
                          for c in doc.modelspace().query("CIRCLE"))
        for k in range(3):
            y = round(-v["B"] / 2 + v["bt"] + k * (2 * v["c"] + v["tjjl"]), 6)
            self.assertEqual(centres[(row_x, y)], 1)
            self.assertEqual(centres[(-row_x, y)], 1)
        self.assertEqual(sum(1 for (x, _) in centres if x == 0), 2)

    def test_grown_plate_of_a_heavier_two_bolt_base(self):
        case, doc = self.design_and_read("j1", {"EdtN": "2000", "EdtV": "100"})
        self.assertEqual((case["values"]["L"], case["values"]["B"]), (560, 310))
        texts = [d.dxf.text for d in doc.modelspace().query("DIMENSION")]
        self.assertIn("560", texts)
        self.assertIn("310", texts)
        welds = [t.dxf.text for t in doc.modelspace().query('TEXT[layer=="焊缝"]')]
        self.assertEqual(welds, ["角焊缝 hf=" + general(case["values"]["hf11"])])


def dimensions(doc):
    """(text, measured distance, axis, definition points) of every DIMENSION entity."""
    found = []
    for dim in doc.modelspace().query("DIMENSION"):
        axis = "x" if abs(math.sin(math.radians(dim.dxf.angle))) < 1e-9 else "y"
        found.append((dim.dxf.text, dim.get_measurement(), axis, (dim.dxf.defpoint2, dim.dxf.defpoint3)))
    return found


def plate_outline(doc):
    """The plate in plan: the first outline the sheet draws."""
    return doc.modelspace().query('LWPOLYLINE[layer=="轮廓"]')[0]


def plate_centre(doc):
    points = list(plate_outline(doc).get_points("xy")) if doc.modelspace().query("LWPOLYLINE") else [(0, 0)]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return (min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2


def dimension_faults(case, doc):
    """What the file's dimensions get wrong about the design pedivo-calc reports: an empty list
    for a sound drawing."""
    faults = []
    values, fields = case["values"], dict(case["results"])
    dims = dimensions(doc)
    if not dims:
        return ["no DIMENSION entities"]
    for text, measured, _, _ in dims:
        if abs(float(text) - measured) > 1e-6:
            faults.append(f"dimension reads {text} but measures {measured:g}")
    for field, name in DIMENSIONED[case["module"]].items():
        if not any(text == fields[field] and abs(measured - values[name]) < 1e-6 for text, measured, _, _ in dims):
            faults.append(f"no dimension reads {field} = {fields[field]} over {name} = {values[name]:g}")
    if case["module"] != "gc":
        grout = values.get("tg") or USUAL_GROUT
        if not any(abs(measured - grout) < 1e-6 for _, measured, axis, _ in dims if axis == "y"):
            faults.append(f"the grout layer of {grout:g} is not dimensioned")
    # Every bolt stands on an axis of the column (through the plate's centre) or at the end of a
    # dimension in each direction.
    ends = {"x": set(), "y": set()}
    for _, _, axis, points in dims:
        for p in points:
            ends[axis].add(round(p.x if axis == "x" else p.y, 6))
    cx, cy = plate_centre(doc)
    for circle in doc.modelspace().query('CIRCLE[layer=="锚栓"]'):
        x, y = round(circle.dxf.center.x, 6), round(circle.dxf.center.y, 6)
        if not (x == round(cx, 6) or x in ends["x"]) or not (y == round(cy, 6) or y in ends["y"]):
            faults.append(f"the bolt at ({x - cx:g}, {y - cy:g}) from the plate's centre is located by no dimension")
    return faults


class DimensionsReadBack(unittest.TestCase):
    """The default design and PEDIVO_DXF_REALISTIC_CASES realistic designs of every type (100 by
    default): every dimension reads what it measures, the result fields stand on the distances they
    name, every bolt is located."""

    def test_default_and_realistic_designs(self):
        count = int(os.environ.get("PEDIVO_DXF_REALISTIC_CASES", "100"))
        rng = random.Random(20261209)
        drawn = Counter()
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "base.dxf")
            for module in BOLTS:
                cases = [{"module": module, "entries": {}}]
                cases += [realistic_columns.case(rng, module) for _ in range(count)]
                for case in cases:
                    result = run(case, "--dxf", path, check=False)
                    if result.returncode != 0:
                        continue
                    drawn[module] += 1
                    faults = dimension_faults(json.loads(result.stdout), ezdxf.readfile(path))
                    self.assertEqual(faults, [], json.dumps(case, ensure_ascii=False))
        print(f"dimensions read back: {dict(drawn)}", file=sys.stderr)
        for module in BOLTS:
            self.assertGreater(drawn[module], count // 2, module)

    def test_a_misplaced_bolt_is_caught(self):
        case = {"module": "g3", "values": {"L": 400, "B": 300, "tpb": 20, "lt": 50, "hsh": 200, "hjjl": 150,
                                           "hcb": 100},
                "results": [["EdtL", "400"], ["EdtB", "300"], ["Edttpb", "20"], ["Edtlt", "50"],
                            ["Edthxlb", "200"], ["Edthjjl", "150"], ["Edthgb", "100"]]}
        doc = ezdxf.new("R2000")
        msp = doc.modelspace()
        msp.add_lwpolyline([(-200, -150), (200, -150), (200, 150), (-200, 150)], close=True,
                           dxfattribs={"layer": "轮廓"})
        msp.add_linear_dim(base=(0, 200), p1=(-200, 150), p2=(-150, 150), text="50").render()
        msp.add_circle((-140, 50), 12, dxfattribs={"layer": "锚栓"})
        faults = dimension_faults(case, doc)
        self.assertIn("the bolt at (-140, 50) from the plate's centre is located by no dimension", faults)
        self.assertIn("no dimension reads EdtL = 400 over L = 400", faults)


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
