#!/usr/bin/env python3
"""Hand calculation of an eight-bolt rigid base under two load combinations.

The base was sized for each combination and took the larger of every size; on those sizes each
combination is worked out with the formulas of eight_bolt.py. The combination with the larger
moment and compression needs the thicker plate; the one with the least compression pulls harder
on the bolts. Writes, for the plate and the bolts, each combination's demand, the limit, the ratio
(rounded up to two decimals) and the combination that governs, to two_combinations_expected.json.

    python3 tests/design/hand/two_combinations.py
"""
import json
import math
import os

import eight_bolt

COLUMN = {"Edthc": "600", "Edtbf": "300", "Edttf": "20", "Edttw": "12"}
LOADS = [{"name": "1.2D+1.4W", "N": 1200, "V": 40, "M": 200}, {"name": "1.0D-1.4W", "N": 150, "V": 40, "M": 100}]
# The envelope of the two designs (each with the plate layout from the bolt table).
SIZES = dict(dms=24, a=60, c=70, lt=55, bt=52, L=830, B=400, tpb=28, hf11=8, hjjl=200, tjjl=8, hf3=8)


def ratio(demand, limit):
    return math.ceil(demand / limit * 100 - 1e-9) / 100


def main():
    demands = {"plate": [], "bolt": []}
    for load in LOADS:
        entries = dict(COLUMN, EdtN=str(load["N"]), EdtV=str(load["V"]), EdtM=str(load["M"]))
        v = eight_bolt.design({"entries": entries, "sizes": SIZES})
        assert v["L"] == SIZES["L"] and v["B"] == SIZES["B"]
        demands["plate"].append(max(v["tpbc"], v["tpbt"]))
        demands["bolt"].append(v["write4"])
    limits = {"plate": SIZES["tpb"] + 0.1, "bolt": eight_bolt.BOLT_FTA["Q235"]}
    checks = {}
    for check, each in demands.items():
        governing = max(range(len(each)), key=lambda i: each[i])
        checks[check] = {"demands": each, "limit": limits[check], "ratio": ratio(each[governing], limits[check]),
                         "governing": LOADS[governing]["name"]}
    assert checks["plate"]["governing"] == "1.2D+1.4W" and checks["bolt"]["governing"] == "1.0D-1.4W"
    out = {"entries": COLUMN, "loads": LOADS, "sizes": SIZES, "checks": checks}
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "two_combinations_expected.json")
    with open(path, "w", encoding="utf-8") as f:
        json.dump(out, f, ensure_ascii=False, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
