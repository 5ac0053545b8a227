#!/usr/bin/env python3
"""Writes a seeded building table as analysis software exports it: every member (column foot) with
all its load combinations, one row a combination, the rows of a member one after another.

    python3 scripts/building_table.py 1000 30 /tmp/building.csv   # 1,000 members x 30 combinations
    time build/bin/pedivo-calc --csv /tmp/building.csv > /dev/null
"""
import random
import sys

# Rigid and embedded bases take N, V and M; pinned ones N and V.
MODULES = ["g11", "g12", "g2", "g3", "gc", "j1", "j2"]
SECTIONS = [("450", "200", "9", "14"), ("500", "250", "10", "16"), ("600", "300", "12", "20"),
            ("700", "300", "13", "24"), ("400", "200", "8", "13")]


def member(rng, index, combinations):
    module = MODULES[index % len(MODULES)]
    hb, bf, tw, tf = rng.choice(SECTIONS)
    N, V, M = rng.uniform(300, 1500), rng.uniform(20, 80), rng.uniform(60, 250)
    pinned = module.startswith("j")
    cbsize = "" if module in ("gc", "j1") else "1"
    rows = []
    for k in range(combinations):
        share = 0.4 + 0.6 * rng.random()
        sign = 1 if k % 2 == 0 else -1
        n = round(N * share) if pinned else round(N * (share - 0.2 * (k % 3 == 2)))
        m = "" if pinned else str(sign * round(M * (1.2 - share)))
        rows.append([module, f"Z{index + 1}", f"组合{k + 1}", hb, bf, tw, tf, str(max(n, 50)),
                     str(sign * round(V * share)), m, cbsize])
    return rows


def main():
    members, combinations, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    rng = random.Random(20261210)
    with open(path, "w", encoding="utf-8") as out:
        out.write("module,id,load,Edthc,Edtbf,Edttw,Edttf,EdtN,EdtV,EdtM,cbsize\n")
        for i in range(members):
            for row in member(rng, i, combinations):
                out.write(",".join(row) + "\n")


if __name__ == "__main__":
    main()
