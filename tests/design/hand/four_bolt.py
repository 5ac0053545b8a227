#!/usr/bin/env python3
"""Hand calculation of finished four-bolt pinned bases, written from the engineering formulas.

The plate as for the two-bolt base (two_bolt.py), its panel now between a flange and the anchor-bolt
stiffener at mid-depth; then that stiffener, a cantilever from the web under the pressure on its half
of the panel, and its welds to plate and web. For each case: the entries and the settled sizes; the
script asserts each size is the least its rule allows and writes four_bolt_expected.json.

    python3 tests/design/hand/four_bolt.py
"""
import math
import os

from common import BETA_F, STEEL, band, even_up, read_entries, write_expected
from two_bolt import pinned_plate, plate


def design(case):
    x = read_entries(case["entries"])
    s = case["sizes"]
    tjjl, hjjl, hf3 = s["tjjl"], s["hjjl"], s["hf3"]
    v = pinned_plate(case, (x["hb"] - 2 * x["tf"] - tjjl) / 2)
    L, B, tw, hb, bf, tf, ylc, tpb = (v[k] for k in ("L", "B", "tw", "hb", "bf", "tf", "ylc", "tpb"))
    fy, ffw, _ = STEEL[x["grade"]]
    outstand = (B - tw) / 2

    # The stiffener carries the pressure on half the panel between the flanges.
    Vimax = ((hb - 2 * tf) * ylc / 2) * (B - tw) / 2

    def stresses(t, h):
        ylvR = Vimax / (h * t)
        ylfR = ((B - tw) * Vimax / 4) / (t * h * h / 6)
        f1 = band(x["grade"], t)[0]
        return ylvR, ylfR, math.sqrt(ylfR ** 2 + 3 * ylvR ** 2), f1

    def weld(h, hf):
        """Stiffener-to-plate stress, and the combined stress of the welds up the web."""
        ylnf = Vimax / (1.4 * hf * (outstand - 2 * hf - 15))
        lw = h - 2 * hf - 15
        ylvf = math.sqrt((((B - tw) * Vimax / 4 / BETA_F) / (lw * lw * 0.7 * hf / 3)) ** 2 + (Vimax / (1.4 * hf * lw)) ** 2)
        return ylnf, ylvf

    def leg(t, h, tp=tpb):
        """The least leg from the detailing minimum for which both welds hold: "higher" when the web
        weld still fails at the stiffener's thickness, "thicker" when the plate weld needs more."""
        hf = even_up(max(6, 1.5 * math.sqrt(tp)))
        while True:
            ylnf, ylvf = weld(h, hf)
            if ylvf > ffw:
                if hf >= t:
                    return "higher"
            elif ylnf <= BETA_F * ffw:
                return hf
            elif hf + 2 > t:
                return "thicker"
            hf += 2

    write2 = 18 * math.sqrt(235 / fy)
    ylvR, ylfR, ylequ, f1 = stresses(tjjl, hjjl)
    assert ylequ <= 1.1 * f1 and outstand / tjjl <= write2 and leg(tjjl, hjjl) == hf3
    # One size less fails: a lower stiffener is overstressed or its web weld cannot hold; a thinner one
    # is too slender, or the plate weld would need a leg beyond it at some height it reached.
    lower = hjjl - 10
    assert hjjl == 200 or stresses(tjjl, lower)[2] > 1.1 * f1 or leg(tjjl, lower) == "higher"
    # (The thinner stiffener leaves a wider panel, hence another plate and another first leg.)
    thinner = tjjl - 2
    if tjjl > 8 and outstand / thinner <= write2:
        tp = plate(x["grade"], ylc, L, B, hb, bf, tw, (hb - 2 * tf - thinner) / 2)["tpb"]
        h = 200
        while stresses(thinner, h)[2] > 1.1 * stresses(thinner, h)[3] or leg(thinner, h, tp) == "higher":
            h += 10
        assert leg(thinner, h, tp) == "thicker"
    v.update(tjjl=tjjl, hjjl=hjjl, hf3=hf3, Vimax=Vimax, ylvR=ylvR, ylfR=ylfR, ylequ=ylequ, f1=f1, fy=fy,
             write1=outstand / tjjl, write2=write2, ylnf=weld(hjjl, hf3)[0], ylvf=weld(hjjl, hf3)[1])
    return v


CASES = [
    # The window's defaults: the least stiffener holds.
    {"name": "defaults", "entries": {}, "sizes": dict(L=490, B=240, tpb=20, hf11=8, tjjl=8, hjjl=200, hf3=8)},
    # A wide plate: the stiffener too slender at 8 mm.
    {"name": "slender stiffener", "entries": {"Edtbf": "300"},
     "sizes": dict(L=490, B=340, tpb=20, hf11=8, tjjl=10, hjjl=200, hf3=8)},
    # A deep column under a heavy load: the stiffener grows higher and, for its weld to the plate,
    # thicker.
    {"name": "heavy load", "entries": {"EdtN": "2000", "Edthc": "600", "Edtbf": "300"},
     "sizes": dict(L=640, B=340, tpb=40, hf11=10, tjjl=14, hjjl=310, hf3=14)},
    {"name": "Q345", "entries": {"EdtN": "2000", "Edthc": "600", "Edtbf": "300", "CBf": "Q345"},
     "sizes": dict(L=640, B=340, tpb=33, hf11=10, tjjl=12, hjjl=290, hf3=12)},
    # A plate grown for bearing: the overhang (43.67 mm) governs the plate over the panel (27.18 mm),
    # and the column and stiffener welds start from the thicker plate.
    {"name": "wide flanges", "entries": {"EdtN": "3000", "Edthc": "300", "Edtbf": "300", "Edttw": "10"},
     "sizes": dict(L=510, B=510, tpb=44, hf11=10, tjjl=14, hjjl=340, hf3=14)},
    # A narrow plate: the short weld to the plate asks a larger leg than the detailing minimum, then
    # one beyond the stiffener, up to a stiffener in the next strength band.
    {"name": "narrow plate", "entries": {"EdtN": "1500", "Edthc": "500", "Edtbf": "150"},
     "sizes": dict(L=540, B=240, tpb=33, hf11=10, tjjl=18, hjjl=220, hf3=18)},
]


def main():
    write_expected(os.path.join(os.path.dirname(os.path.abspath(__file__)), "four_bolt_expected.json"), CASES, design)


if __name__ == "__main__":
    main()
