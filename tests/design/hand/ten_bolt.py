#!/usr/bin/env python3
"""Hand calculation of finished ten-bolt rigid bases (no boot beams), written from the engineering
formulas.

Four bolts in each tension row on six spacings c, three stiffeners across the width (one on the web
line). For each case: the entries and the sizes the design settled on (bolt, plate layout,
stiffener, weld legs, plate thickness). From these alone it works out every quantity a checker
would recompute, asserts that each check passes at the settled sizes (and that the next smaller
bolt does not), and writes ten_bolt_expected.json beside this file.

    python3 tests/design/hand/ten_bolt.py
"""
import math
import os

from common import (BETA_F, BOLT_AREA, BOLT_FTA, BOLT_SIZES, CONCRETE, ES, STEEL, band, bolt_widths, even_up,
                    plate_group_strength, pressure, read_entries, rigid_plate_panels, thickness_in_group, whole_up,
                    write_expected)

N_ROW = 8  # twice the bolts of a tension row


def design(case):
    x = read_entries(case["entries"])
    s = case["sizes"]
    N, M, V, hb, bf, tw, tf, grade = (x[k] for k in ("N", "M", "V", "hb", "bf", "tw", "tf", "grade"))
    fy, ffw, bands = STEEL[grade]
    fc, Ec = CONCRETE[x["concrete"]]
    fta = BOLT_FTA[x["bolt"]]
    dms, a, c, lt, bt, tjjl, hjjl, hf11, hf3, tpb = (
        s[k] for k in ("dms", "a", "c", "lt", "bt", "tjjl", "hjjl", "hf11", "hf3", "tpb"))
    n = N_ROW
    Aems = BOLT_AREA[dms]
    v = dict(N=N, M=M, V=V, hb=hb, bf=bf, tw=tw, tf=tf, n=n, Aems=Aems, fc=fc, Ec=Ec, Es=ES, fta=fta,
             rerun=1 if case.get("cbsize", True) else 0)

    # Plate plan in whole tens: six bolt spacings, two edge distances and three stiffeners across.
    L = 2 * (a + lt) + hb
    B = 6 * c + 2 * bt + 3 * tjjl
    assert L % 10 == 0 and B % 10 == 0, (L, B)
    v.update(L=L, B=B, L0=L, B0=B)
    if "plan" in case:  # the user's sizes brought to whole tens: a and c in fives, lt and bt the rest
        ua, uc, ult, ubt = case["plan"]
        L0, B0 = 2 * (ua + ult) + hb, 6 * uc + 2 * ubt + 3 * tjjl
        assert L == 10 * math.ceil(L0 / 10) and B == 10 * math.ceil(B0 / 10)
        assert a == 5 * math.floor(((L - L0) / 2 + ua + 0.4) / 5) and c == 5 * math.floor(((B - B0) / 6 + uc + 0.4) / 5)
        v.update(L0=L0, B0=B0)

    def bolt_row(d):
        p = pressure(N, M, L, B, lt, n, BOLT_AREA[d], Ec, d, lambda e: 3 * (L / 2 - e))
        return p, 1.2 * p["ta"] * 2 / n / BOLT_AREA[d]
    p, write4 = bolt_row(dms)
    v.update(p)
    xn, ylc, ta = p["xn"], p["ylc"], p["ta"]
    smaller = BOLT_SIZES[BOLT_SIZES.index(dms) - 1]
    assert ylc <= fc and write4 <= fta and (dms == 24 or bolt_row(smaller)[1] > fta)
    v.update(write4=write4, Vfb=0.4 * (N + ta))

    # Plate panels; those beside the column web under the pressure at mid-length.
    panels = rigid_plate_panels(ylc, xn, L, hb, tw, tf, a, c, lt, bt, tjjl, (4 * c + tjjl - tw) / 2)
    M2 = panels["M2"]
    tpbc, fpb = thickness_in_group(grade, lambda f: math.sqrt(6 * M2 / f))
    v.update(panels, tpbc=tpbc, fpb=fpb)

    # The plate at a tension bolt between stiffener and flange, and between two stiffeners.
    Ntal = 2 * ta / n
    la1, lc1, la2, lc2 = bolt_widths(a, c, lt, bt)

    def at_bolt(f):
        k1 = a * c ** 3 if c > a else c * a ** 3
        t1 = math.sqrt(6 * Ntal * k1 / (c ** 3 * la1 + a ** 3 * lc1) / f)
        k2 = 2 * c * a ** 3 if c * c < 2 * a * a else a * c ** 3
        t2 = math.sqrt(6 * Ntal * k2 / (8 * a ** 3 * lc2 + c ** 3 * la2) / f)
        return t1, t2
    tpbt, fpbt = thickness_in_group(grade, lambda f: max(at_bolt(f)))
    tpbt1, tpbt2 = at_bolt(fpbt)
    assert tpb == max(20, whole_up(max(tpbc, tpbt)))
    v.update(Ntal=Ntal, la1=la1, lc1=lc1, la2=la2, lc2=lc2, tpbt1=tpbt1, tpbt2=tpbt2, tpbt=tpbt, fpbt=fpbt, tpb=tpb)

    # Welds of the column to the plate; the flanges take the moment.
    f = band(grade, tf)[0]

    def column_welds(hf):
        Aeww = 2 * 0.7 * hf * (hb - 2 * tf - 2 * hf)
        ylnc = N / (2 * tf * bf + Aeww)
        Wc = (tf ** 3 * bf / 6 + 2 * bf * tf * (hb / 2 - tf / 2) ** 2) / hb
        ylmc = (M / 2) / Wc
        return dict(AF=tf * bf, Aeww=Aeww, Wc=Wc, ylnc=ylnc, ylmc=ylmc, ylv=V / Aeww, ylf=ylnc + ylmc,
                    ylfs=math.sqrt((ylnc / BETA_F) ** 2 + (V / Aeww) ** 2))
    w = column_welds(hf11)
    first = even_up(max(6, 1.5 * math.sqrt(tpb)))
    assert w["ylfs"] <= ffw or w["ylf"] > f
    assert hf11 == first or (column_welds(hf11 - 2)["ylfs"] > ffw and column_welds(hf11 - 2)["ylf"] <= f)
    v.update(w, f=f, ffw=ffw, webWeldWarning=1 if hf11 > 1.2 * tw else 0)

    # Anchor-bolt stiffener: the bearing on its share of plate along the length or beyond the
    # flange tips, or one bolt's pull.
    Vi1 = (2 * c + tjjl) * (a + lt) * ylc
    Vi2 = (a + lt + hb / 2) * (B - bf) / 4 * ylc * (xn - L / 4) / xn
    Vi12 = max(Vi1, Vi2)
    Vimax = max(Vi12, Ntal)
    along_bolt = Vi1 > Vi2 or Ntal > Vi12
    Ws = (hjjl - 15) ** 2 * tjjl / 6
    ylvR = Vimax / ((hjjl - 15) * tjjl)
    ylfR = ((a + lt) * Vimax / 2 if along_bolt else (B - bf) * Vimax / 4) / Ws
    ylequ = math.sqrt(ylfR ** 2 + 3 * ylvR ** 2)
    f1 = band(grade, tjjl)[0]
    write1, write2 = (L - hb) / 2 / tjjl, 18 * math.sqrt(235 / fy)
    assert ylequ <= 1.1 * f1 and write1 <= write2
    v.update(Vi1=Vi1, Vi2=Vi2, Vi12=Vi12, Vimax=Vimax, Ws=Ws, ylvR=ylvR, ylfR=ylfR, ylequ=ylequ, f1=f1, fy=fy,
             write1=write1, write2=write2)

    # Stiffener welds to the plate and up the column.
    lw = a + lt if along_bolt else B / 2 - bf / 2
    ylnf = Vimax / (1.4 * hf3 * (lw - 2 * hf3 - 15))
    Wf = (hjjl - 2 * hf3 - 15) ** 2 * 0.7 * hf3 / 3
    ylvf = math.sqrt((Vimax / (1.4 * hf3 * (hjjl - 2 * hf3 - 15))) ** 2 + ((lw * Vimax / 2) / BETA_F / Wf) ** 2)
    assert ylvf <= ffw and ylnf <= BETA_F * ffw and 4 * c + 3 * tjjl + 2 * hf3 <= bf
    v.update(lw=lw, ylnf=ylnf, Wf=Wf, ylvf=ylvf)
    v["checks"] = {"layout": 4 * c + 3 * tjjl + 2 * hf3}
    return v


CASES = [
    # The window's forces on wide flanges: the bolts step up to 30 mm, the 8 mm stiffener is too
    # slender; c < a at the bolts.
    {"name": "bearing beyond the bolt row", "entries": {"Edtbf": "400"},
     "sizes": dict(dms=30, a=85, c=75, lt=70, bt=70, tjjl=10, hjjl=200, hf11=8, hf3=8, tpb=24)},
    # Small eccentricity, the whole plate compressed; the panel between the stiffeners a cantilever and governing.
    {"name": "within kern", "entries": {"Edtbf": "400", "EdtM": "20", "EdtN": "1500"},
     "sizes": dict(dms=24, a=60, c=70, lt=55, bt=53, tjjl=8, hjjl=200, hf11=8, hf3=8, tpb=23)},
    # Part of the plate lifts, the bolts carry nothing.
    {"name": "within bolt row", "entries": {"Edtbf": "400", "EdtM": "75", "EdtN": "600"},
     "sizes": dict(dms=24, a=60, c=70, lt=55, bt=53, tjjl=8, hjjl=200, hf11=8, hf3=8, tpb=20)},
    # Large bolts: the compressed zone from the equilibrium with the bolt row; no pressure at
    # mid-length, the upstand weld leg at 16 mm and a stiffener in the next strength band.
    {"name": "large bolts", "entries": {"Edtbf": "650", "EdtM": "1500", "EdtN": "300", "Edthc": "700", "Edttf": "24",
                                         "Edttw": "14"},
     "sizes": dict(dms=68, a=170, c=130, lt=140, bt=143, tjjl=18, hjjl=440, hf11=12, hf3=16, tpb=54)},
    # A deep column: the plate beyond the flange tips loads the stiffener more than its strip along the bolts.
    {"name": "deep column", "entries": {"Edtbf": "330", "EdtM": "10", "EdtN": "800", "Edthc": "1200"},
     "sizes": dict(dms=24, a=60, c=70, lt=55, bt=53, tjjl=8, hjjl=200, hf11=8, hf3=8, tpb=20)},
    # User sizes brought to whole tens; c > a and c·c ≥ 2a·a at the bolts.
    {"name": "user sizes", "cbsize": False,
     "entries": {"Edtbf": "400", "EdtM": "300", "EdtN": "200", "Edtsizea": "52", "Edtsizec": "81", "Edtsizelt": "57",
                 "Edtsizebt": "58"},
     "plan": (52, 81, 57, 58),
     "sizes": dict(dms=45, a=50, c=80, lt=60, bt=63, tjjl=8, hjjl=200, hf11=10, hf3=10, tpb=34)},
    # Q345 steel and bolts, C30; a web thinner than the weld leg allows.
    {"name": "Q345",
     "entries": {"Edtbf": "450", "EdtM": "400", "EdtN": "500", "Edttw": "6", "CBf": "Q345", "CBfc": "C30",
                 "CBfta": "Q345"},
     "sizes": dict(dms=36, a=100, c=85, lt=85, bt=84, tjjl=14, hjjl=200, hf11=8, hf3=14, tpb=27)},
    # Large shear: the column weld leg grows; a shear key needed.
    {"name": "large shear", "entries": {"Edtbf": "400", "EdtM": "50", "EdtN": "300", "EdtV": "900"},
     "sizes": dict(dms=24, a=60, c=70, lt=55, bt=53, tjjl=8, hjjl=200, hf11=12, hf3=8, tpb=20)},
    # Thin flanges under a large moment: the flange overstressed, the weld leg stops growing.
    {"name": "flange overstressed", "entries": {"Edtbf": "550", "EdtM": "700", "EdtN": "100", "Edttf": "10",
                                                 "EdtV": "1400"},
     "sizes": dict(dms=56, a=150, c=110, lt=125, bt=126, tjjl=16, hjjl=290, hf11=12, hf3=16, tpb=46)},
    # A tension column: the bolts take the pull with the moment.
    {"name": "tension column", "entries": {"Edtbf": "450", "EdtM": "300", "EdtN": "-100"},
     "sizes": dict(dms=45, a=110, c=90, lt=95, bt=97, tjjl=12, hjjl=200, hf11=10, hf3=12, tpb=34)},
]


def main():
    write_expected(os.path.join(os.path.dirname(os.path.abspath(__file__)), "ten_bolt_expected.json"), CASES, design)


if __name__ == "__main__":
    main()
