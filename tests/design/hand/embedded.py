#!/usr/bin/env python3
"""Hand calculation of the insertion depth of embedded column bases, written from the engineering
formulas: the depth the axial force needs over the section's perimeter, the detailing minimum, and
the depth at which the concrete beside the flange resists the moment. For each case: the entries
and the settled depth; the script asserts it is the least the rules allow and writes
embedded_expected.json beside this file.

    python3 tests/design/hand/embedded.py
"""
import math
import os

from common import CONCRETE, FCT, read_entries, write_expected


def design(case):
    x = read_entries(case["entries"])
    N, M, V, hb, bf, tw, tf = (x[k] for k in ("N", "M", "V", "hb", "bf", "tw", "tf"))
    fc, fct = CONCRETE[x["concrete"]][0], FCT[x["concrete"]]
    H2 = case["sizes"]["H2"]

    # N bonded over the perimeter of the section, both faces of the flanges and the web's sides.
    H1 = N / (2 * fct * (2 * bf + hb - tw))
    H1min = max(1.5 * hb, 500)

    def acting(d):
        return M + V * d / 2

    def resisting(d):
        return (fc - V / (bf * d)) * bf * d * d / 6

    start = 10 * math.ceil(max(H1, H1min) / 10)
    assert H2 >= start and H2 % 10 == 0 and resisting(H2) >= acting(H2)
    assert H2 == start or resisting(H2 - 10) < acting(H2 - 10)
    return dict(N=N, M=M, V=V, hb=hb, bf=bf, tw=tw, tf=tf, fc=fc, fct=fct, H1=H1, H1min=H1min,
                write1=acting(H2), write2=resisting(H2))


CASES = [
    # The window's defaults: 1.5·hb, up to tens, resists the moment.
    {"name": "defaults", "entries": {}, "sizes": dict(H2=680)},
    # A larger moment deepens the column past the minimum.
    {"name": "moment governs", "entries": {"EdtM": "500", "EdtV": "150"}, "sizes": dict(H2=1260)},
    # A heavy axial force: its depth, a fraction of a mm past the tens, is taken up to the next ten.
    {"name": "axial force governs", "entries": {"EdtN": "3000", "EdtM": "50"}, "sizes": dict(H2=1410)},
    # A shallow section: 500 mm is the least depth; a stronger concrete.
    {"name": "500 mm minimum", "entries": {"Edthc": "300", "EdtM": "60", "CBfc": "C35"}, "sizes": dict(H2=500)},
    # A tension column: the axial force asks no depth; 1.5·hb is not a whole ten.
    {"name": "tension column", "entries": {"EdtN": "-500", "Edthc": "455", "EdtM": "80", "CBfc": "C30"},
     "sizes": dict(H2=690)},
    # A large shear on a narrow flange takes a visible share of the concrete's strength.
    {"name": "large shear", "entries": {"EdtV": "600", "EdtM": "100", "Edtbf": "150", "CBfc": "C40"},
     "sizes": dict(H2=1040)},
]


def main():
    for case in CASES:
        case["cbsize"] = False  # no detailing sizes in this window
    write_expected(os.path.join(os.path.dirname(os.path.abspath(__file__)), "embedded_expected.json"), CASES, design)


if __name__ == "__main__":
    main()
