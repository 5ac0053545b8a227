#!/usr/bin/env python3
"""Hand calculation of finished T-shaped boot-beam bases, written from the engineering formulas.

For each case: the entries, and the sizes the design settled on (bolt, plate layout, boot beam,
stiffener, weld legs, plate thickness). From these alone it works out every quantity a checker
would recompute, asserts that each check passes at the settled sizes (so the sizes are a valid
design), and writes the expected values to t_boot_beam_expected.json beside this file; the core's
test compares the calculation against them term by term.

    python3 tests/design/hand/t_boot_beam.py
"""
import math
import os

from common import (BETA, BETA_F, BOLT_AREA, BOLT_FTA, CONCRETE, STEEL, band, boot_beam_section, even_up, four_side,
                    interpolate, panel_thickness, plate_group_strength, plate_welds, pressure, read_entries,
                    three_side, write_expected)


def design(case):
    x = read_entries(case["entries"])
    s = case["sizes"]
    N, M, V, hb, bf, tw, tf, grade = (x[k] for k in ("N", "M", "V", "hb", "bf", "tw", "tf", "grade"))
    fy, ffw, _ = STEEL[grade]
    fc, Ec = CONCRETE[x["concrete"]]
    dms, a, c, lt, bt = s["dms"], s["a"], s["c"], s["lt"], s["bt"]
    tsh, tjjl, hsh, hjjl, hf2, hf5, hf3, tpb = (s[k] for k in ("tsh", "tjjl", "hsh", "hjjl", "hf2", "hf5", "hf3", "tpb"))
    n = 6
    Aems = BOLT_AREA[dms]
    v = {}

    # Plate plan: whole tens, and the layout sizes that make it up.
    L = 2 * (a + lt) + hb
    B = 2 * c + bf + 2 * bt + 2 * tsh
    assert L % 10 == 0 and B % 10 == 0, (L, B)
    v.update(L=L, B=B, Aems=Aems)

    # Eccentricity and pressure under the plate.
    v.update(pressure(N, M, L, B, lt, n, Aems, Ec, dms, lambda e: 3 * (L / 2 - e)))
    xn, ylc, ta = v["xn"], v["ylc"], v["ta"]
    q = lambda x: ylc * (xn - x) / xn
    assert ylc <= fc
    write4 = 1.2 * ta * 2 / n / Aems
    assert write4 <= BOLT_FTA[x["bolt"]]
    v.update(xn=xn, ylc=ylc, ta=ta, write4=write4, Vfb=0.4 * (N + ta), fc=fc)

    # Plate panels.
    # Panel 1 between the stiffeners of the final thickness: a stiffener thickened for its weld
    # after the plate was designed narrows it, and the plate keeps its thickness.
    b21, a21 = bt + c, hb - 2 * tjjl
    r11, alf1, M221 = three_side(b21, a21, q(L / 2))
    b22, a22 = a + lt, bf
    r12, alf2, M222 = three_side(b22, a22, ylc)
    a23 = math.sqrt((a + lt) ** 2 + (c + bt) ** 2)
    b23 = (a + lt) * (c + bt) / a23
    r13, alf3, M223 = three_side(b23, a23, ylc)
    b3, a3 = hb - 2 * tf, (bf - tw) / 2
    r2, beta, M224 = four_side(b3, a3, q(L / 2))
    M2 = max(0.0, M221, M222, M223, M224)
    v.update(b21=b21, a21=a21, r11=r11, alf1=alf1, M221=M221, b22=b22, a22=a22, r12=r12, alf2=alf2, M222=M222,
             b23=b23, a23=a23, r13=r13, alf3=alf3, M223=M223, b3=b3, a3=a3, r2=r2, beta=beta, M224=M224, M2=M2)
    tpbc = panel_thickness(grade, M2)
    # The plate at a tension bolt.
    Ntal = 2 * ta / n
    lx1 = min(a * (3.5 - 1.5 * a / (a + lt)), c + bt)
    ly1 = min(c * (3.5 - 1.5 * c / (c + bt)), a + lt)
    lx2 = min(a * (3.5 - 1.5 * a / (a + lt)), bf)
    ly2 = min(2.75 * c, a + lt)
    h = bf / 2

    def bolt_thicknesses(f):
        if c > a:
            t1 = math.sqrt(6 * Ntal * a * c ** 3 / (c ** 3 * lx1 + a ** 3 * ly1) / f)
        else:
            t1 = math.sqrt(6 * Ntal * c * a ** 3 / (c ** 3 * lx1 + a ** 3 * ly1) / f)
        if bf * bf < 8 * a * a:
            t2 = math.sqrt(6 * Ntal * bf * a ** 3 / (8 * a ** 3 * ly2 + h ** 3 * lx2) / f)
        else:
            t2 = math.sqrt(6 * Ntal * a * h ** 3 / (8 * a ** 3 * ly2 + h ** 3 * lx2) / f)
        return t1, t2
    tpbt1, tpbt2 = bolt_thicknesses(plate_group_strength(grade, 0))
    f_bolt = plate_group_strength(grade, max(tpbt1, tpbt2))
    if f_bolt != plate_group_strength(grade, 0):
        tpbt1, tpbt2 = bolt_thicknesses(f_bolt)
    tpbt = max(tpbt1, tpbt2)
    assert max(tpbt, tpbc) <= tpb + 0.1 and tpb >= 20
    v.update(tpbc=tpbc, Ntal=Ntal, lx1=lx1, ly1=ly1, lx2=lx2, ly2=ly2, tpbt1=tpbt1, tpbt2=tpbt2, tpbt=tpbt)

    # Boot beams: two plates with the base plate as their flange.
    ax, Ix = boot_beam_section(tpb, B, hsh, tsh)
    Vsh1, Vsh2 = M / hb + N / 2, ta
    Vshmax = max(Vsh1, Vsh2)
    Msh11 = q((L - hb) / 4) * (L - hb) ** 2 * B / 8
    Msh12 = ta * a
    Msh2 = q(L / 2) * hb * hb / 8 * B
    Mshmax = max(Msh11, Msh12, Msh2)
    ylm = (hsh / 2 + ax) * Mshmax / Ix
    ylvx = 1.5 * Vshmax / hsh / tsh / 2
    fsh, fvsh = band(grade, tsh)
    assert ylm <= fsh and ylvx <= fvsh
    v.update(ax=ax, Ix=Ix, Vsh1=Vsh1, Vsh2=Vsh2, Vshmax=Vshmax, Msh11=Msh11, Msh12=Msh12,
             Msh1max=max(Msh11, Msh12), Msh2=Msh2, Mshmax=Mshmax, ylm=ylm, ylvx=ylvx, fsh=fsh, fvsh=fvsh)

    # Boot beam to column weld.
    lf = hsh - 20 - 15
    assert Vshmax / (1.4 * hf2 * lf) <= ffw and 60 * hf2 >= 2 * hf2 + lf and hf2 <= min(tsh, tf)
    write5, write6 = (a + lt) / tsh, 18 * math.sqrt(235 / fy)
    assert write5 <= write6
    v.update(lf=lf, write5=write5, write6=write6)

    # Column and boot beams welded all round to the plate.
    welds = plate_welds(N, M, V, L, hb, bf, tf, hf5)
    ylf, ylfs = welds["ylf"], welds["ylfs"]
    assert BETA_F * ffw >= ylf and ylfs <= ffw
    v.update(welds)

    # Anchor-bolt stiffener and its welds.
    Vi = (B - bf) * L / 4 * q(L / 4)
    Vimax = max(Vi, Ntal)
    ylvR = Vimax / (hjjl - 15) / tjjl
    if Vi > Ntal:
        ylfR = ((B - bf) * Vimax / 4) / ((hjjl - 15) ** 2 * tjjl / 6)
    else:
        ylfR = ((a + lt) * Vimax / 2) / ((hjjl - 15) ** 2 * tjjl / 6)
    ylequ = math.sqrt(ylfR ** 2 + 3 * ylvR ** 2)
    f1 = band(grade, tjjl)[0]
    assert ylequ <= 1.1 * f1 and hjjl <= hsh
    write1, write2 = (c + bt) / tjjl, 18 * math.sqrt(235 / fy)
    assert write1 <= write2
    s_ = hjjl - 2 * hf3 - 15
    ylnf = Vimax / (1.4 * hf3 * (c + bt - 2 * hf3 - 15))
    ylvf = math.sqrt((Vimax / (1.4 * hf3 * s_)) ** 2 + (((c + bt) * Vimax / 2 / BETA_F) / (s_ ** 2 * 0.7 * hf3 / 3)) ** 2)
    assert ylvf <= ffw and ylnf <= BETA_F * ffw
    v.update(Vi=Vi, Vimax=Vimax, ylvR=ylvR, ylfR=ylfR, ylequ=ylequ, f1=f1, write1=write1, write2=write2,
             ylnf=ylnf, ylvf=ylvf)
    return v


CASES = [
    # The window's defaults: large eccentricity, linear pressure, the bolt plate governs.
    {"name": "defaults", "entries": {},
     "sizes": dict(dms=36, a=90, c=80, lt=80, bt=80, tsh=10, tjjl=10, hsh=250, hjjl=200, hf2=10, hf5=8, hf3=8, tpb=26)},
    # Small eccentricity: the whole plate in compression, no bolt tension, a cantilever panel. The
    # stiffener is thickened from 8 to 10 mm for its weld after the plate was sized.
    {"name": "within kern", "entries": {"EdtM": "20", "EdtN": "1500"},
     "sizes": dict(dms=20, a=50, c=60, lt=45, bt=46, tsh=14, tjjl=10, hsh=350, hjjl=240, hf2=12, hf5=8, hf3=10, tpb=23)},
    # Eccentricity inside the bolt row: triangular pressure over 3·(L/2 − e).
    {"name": "within bolt row", "entries": {"EdtM": "70", "EdtN": "600"},
     "sizes": dict(dms=20, a=50, c=60, lt=45, bt=48, tsh=12, tjjl=8, hsh=250, hjjl=200, hf2=10, hf5=8, hf3=8, tpb=20)},
    # Large bolts: the compressed zone from the equilibrium with the bolt row.
    {"name": "large bolts", "entries": {"EdtM": "900", "EdtN": "300", "Edthc": "600", "Edtbf": "300", "Edttf": "24",
                                        "Edttw": "12"},
     "sizes": dict(dms=60, a=160, c=120, lt=135, bt=136, tsh=24, tjjl=16, hsh=500, hjjl=290, hf2=16, hf5=12, hf3=14,
                   tpb=49)},
    # Light forces on the smallest bolt: the bolt spacing c beyond a, a thin plate at the bolts.
    {"name": "light pull", "entries": {"EdtM": "40", "EdtN": "100"},
     "sizes": dict(dms=20, a=50, c=60, lt=45, bt=45, tsh=10, tjjl=8, hsh=250, hjjl=200, hf2=6, hf5=8, hf3=8, tpb=20)},
    # The user's long plate with narrow bolt spacing: the effective width across the bolt from c.
    {"name": "user sizes", "entries": {"EdtM": "120", "EdtN": "100", "Edtsizea": "150", "Edtsizelt": "100",
                                       "Edtsizec": "60", "Edtsizebt": "60"}, "cbsize": False,
     "sizes": dict(dms=27, a=150, c=60, lt=100, bt=61, tsh=14, tjjl=8, hsh=250, hjjl=200, hf2=8, hf5=8, hf3=8, tpb=22)},
    # Q345 plate and C30 concrete, bolt stiffener carrying the bearing.
    {"name": "Q345 C30", "entries": {"EdtM": "400", "EdtN": "200", "CBf": "Q345", "CBfc": "C30", "Edtbf": "250"},
     "sizes": dict(dms=52, a=130, c=100, lt=110, bt=112, tsh=18, tjjl=16, hsh=290, hjjl=220, hf2=14, hf5=10, hf3=16,
                   tpb=33)},
]


def main():
    write_expected(os.path.join(os.path.dirname(os.path.abspath(__file__)), "t_boot_beam_expected.json"), CASES, design)


if __name__ == "__main__":
    main()
