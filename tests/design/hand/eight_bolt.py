#!/usr/bin/env python3
"""Hand calculation of finished eight-bolt rigid bases (no boot beams), written from the engineering
formulas.

For each case: the entries, and the sizes the design settled on (bolt, plate layout, stiffener, weld
legs, plate thickness). From these alone it works out every quantity a checker would recompute,
asserts that each check passes at the settled sizes, and writes the expected values to
eight_bolt_expected.json beside this file.

    python3 tests/design/hand/eight_bolt.py
"""
import math
import os

from common import (BETA_F, BOLT_AREA, BOLT_FTA, CONCRETE, STEEL, band, bolt_widths, even_up, panel_thickness,
                    plate_group_strength, pressure, read_entries, rigid_plate_panels, write_expected)


def design(case):
    x = read_entries(case["entries"])
    s = case["sizes"]
    N, M, V, hb, bf, tw, tf, grade = (x[k] for k in ("N", "M", "V", "hb", "bf", "tw", "tf", "grade"))
    fy, ffw, bands = STEEL[grade]
    fc, Ec = CONCRETE[x["concrete"]]
    dms, a, c, lt, bt, tjjl, hjjl, hf11, hf3, tpb = (
        s[k] for k in ("dms", "a", "c", "lt", "bt", "tjjl", "hjjl", "hf11", "hf3", "tpb"))
    n = 6
    Aems = BOLT_AREA[dms]
    v = {}

    # Plate plan: whole tens, four bolt spacings and two edge distances across the stiffeners.
    L = 2 * (a + lt) + hb
    B = 4 * c + 2 * bt + 2 * tjjl
    assert L % 10 == 0 and B % 10 == 0, (L, B)
    v.update(L=L, B=B, Aems=Aems)
    v.update(pressure(N, M, L, B, lt, n, Aems, Ec, dms, lambda e: 3 * (L / 2 - e)))
    xn, ylc, ta = v["xn"], v["ylc"], v["ta"]
    assert ylc <= fc
    write4 = 1.2 * ta * 2 / n / Aems
    assert write4 <= BOLT_FTA[x["bolt"]]
    v.update(write4=write4, Vfb=0.4 * (N + ta), fc=fc)

    # Plate panels; the pressure at the middle of the plate for those beside the column web.
    panels = rigid_plate_panels(ylc, xn, L, hb, tw, tf, a, c, lt, bt, tjjl, (2 * c - tw) / 2)
    M2 = panels["M2"]
    tpbc = panel_thickness(grade, M2)
    v.update(panels, tpbc=tpbc)

    # The plate at a tension bolt, over two effective widths.
    Ntal = 2 * ta / n
    la1, lc1, la2, lc2 = bolt_widths(a, c, lt, bt)

    def at_bolt(f):
        if c > a:
            t1 = math.sqrt(6 * Ntal * a * c ** 3 / (c ** 3 * la1 + a ** 3 * lc1) / f)
        else:
            t1 = math.sqrt(6 * Ntal * c * a ** 3 / (c ** 3 * la1 + a ** 3 * lc1) / f)
        if c * c < 2 * a * a:
            t2 = math.sqrt(12 * Ntal * c * a ** 3 / (8 * a ** 3 * lc2 + c ** 3 * la2) / f)
        else:
            t2 = math.sqrt(6 * Ntal * a * c ** 3 / (8 * a ** 3 * lc2 + c ** 3 * la2) / f)
        return t1, t2
    first = plate_group_strength(grade, 0)
    tpbt1, tpbt2 = at_bolt(first)
    if plate_group_strength(grade, max(tpbt1, tpbt2)) != first:
        tpbt1, tpbt2 = at_bolt(plate_group_strength(grade, max(tpbt1, tpbt2)))
    tpbt = max(tpbt1, tpbt2)
    assert max(tpbc, tpbt) <= tpb + 0.1 and tpb >= 20
    v.update(Ntal=Ntal, la1=la1, lc1=lc1, la2=la2, lc2=lc2, tpbt1=tpbt1, tpbt2=tpbt2, tpbt=tpbt)

    # Welds of the column web and flanges to the plate; the moment taken by the flanges.
    AF = tf * bf
    Aeww = 2 * 0.7 * hf11 * (hb - 2 * tf - 2 * hf11)
    Wc = (tf ** 3 * bf / 6 + 2 * bf * tf * (hb / 2 - tf / 2) ** 2) / hb
    ylnc = N / (2 * AF + Aeww)
    ylmc = (M / 2) / Wc
    ylv = V / Aeww
    ylfs = math.sqrt((ylnc / BETA_F) ** 2 + ylv ** 2)
    ylf = ylnc + ylmc
    f = next(f_ for upper, f_, _ in bands if tf <= upper)
    assert ylfs <= ffw
    v.update(AF=AF, Aeww=Aeww, Wc=Wc, ylnc=ylnc, ylmc=ylmc, ylv=ylv, ylfs=ylfs, ylf=ylf, f=f, ffw=ffw)

    # Anchor-bolt stiffener: the bearing on its share of plate, or one bolt's pull.
    Vi1 = (3 * c + 2 * tjjl + bt) * (a + lt) / 2 * ylc
    Vi2 = (a + lt + hb / 2) * (B - bf) / 4 * ylc * (xn - L / 4) / xn
    Vi12 = max(Vi1, Vi2)
    Vimax = max(Vi12, Ntal)
    ylvR = Vimax / ((hjjl - 15) * tjjl)
    Ws = (hjjl - 15) ** 2 * tjjl / 6
    along_bolt = Vi1 > Vi2 or Ntal > Vi12
    ylfR = (a + lt) * Vimax / 2 / Ws if along_bolt else (B - bf) * Vimax / 4 / Ws
    ylequ = math.sqrt(ylfR ** 2 + 3 * ylvR ** 2)
    f1 = band(grade, tjjl)[0]
    write1, write2 = (L - hb) / 2 / tjjl, 18 * math.sqrt(235 / fy)
    assert ylequ <= 1.1 * f1 and write1 <= write2
    v.update(Vi1=Vi1, Vi2=Vi2, Vi12=Vi12, Vimax=Vimax, ylvR=ylvR, Ws=Ws, ylfR=ylfR, ylequ=ylequ, f1=f1, fy=fy,
             write1=write1, write2=write2)

    # Stiffener welds.
    lw = a + lt if (Vi1 > Vi2 or Ntal > Vi2) else B / 2 - bf / 2
    ylnf = Vimax / (1.4 * hf3 * (lw - 2 * hf3 - 15))
    Wf = (hjjl - 2 * hf3 - 15) ** 2 * 0.7 * hf3 / 3
    ylvf = math.sqrt((Vimax / (1.4 * hf3 * (hjjl - 2 * hf3 - 15))) ** 2 + ((lw * Vimax / 2) / BETA_F / Wf) ** 2)
    assert ylvf <= ffw and ylnf <= BETA_F * ffw
    v.update(lw=lw, ylnf=ylnf, Wf=Wf, ylvf=ylvf)

    # The two stiffeners, the spacing between them and their welds fit within the flange.
    layout = 2 * c + 2 * tjjl + 2 * hf3
    assert layout <= bf
    v["checks"] = {"layout": layout}
    return v


CASES = [
    # The window's defaults: large eccentricity, the plate at the bolts governs.
    {"name": "defaults", "entries": {},
     "sizes": dict(dms=36, a=90, c=80, lt=80, bt=80, tjjl=10, hjjl=200, hf11=8, hf3=8, tpb=26)},
    # Small eccentricity, no bolt tension; the panel beside the web a cantilever.
    {"name": "within kern", "entries": {"EdtM": "20", "EdtN": "1500"},
     "sizes": dict(dms=24, a=60, c=70, lt=55, bt=52, tjjl=8, hjjl=200, hf11=8, hf3=8, tpb=26)},
    {"name": "within bolt row", "entries": {"EdtM": "70", "EdtN": "600"},
     "sizes": dict(dms=24, a=60, c=70, lt=55, bt=52, tjjl=8, hjjl=200, hf11=8, hf3=8, tpb=22)},
    # Large bolts: the compressed zone from the equilibrium with the bolt row; a plate in group 2.
    {"name": "large bolts", "entries": {"EdtM": "900", "EdtN": "300", "Edthc": "600", "Edtbf": "400", "Edttf": "24",
                                        "Edttw": "12"},
     "sizes": dict(dms=60, a=160, c=120, lt=135, bt=132, tjjl=18, hjjl=440, hf11=12, hf3=16, tpb=50)},
    {"name": "Q345 C30", "entries": {"EdtM": "300", "EdtN": "200", "CBf": "Q345", "CBfc": "C30", "Edtbf": "300"},
     "sizes": dict(dms=45, a=110, c=90, lt=95, bt=96, tjjl=14, hjjl=210, hf11=8, hf3=14, tpb=29)},
    # A deep, narrow column: the stiffener carries the bearing beside the column.
    {"name": "deep narrow column", "entries": {"EdtM": "10", "EdtN": "800", "Edthc": "900", "Edtbf": "180",
                                               "Edttw": "8", "Edttf": "12"},
     "sizes": dict(dms=24, a=60, c=70, lt=55, bt=52, tjjl=8, hjjl=200, hf11=8, hf3=8, tpb=20)},
]


def main():
    write_expected(os.path.join(os.path.dirname(os.path.abspath(__file__)), "eight_bolt_expected.json"), CASES, design)


if __name__ == "__main__":
    main()
