#!/usr/bin/env python3
"""Writes seeded extreme designs of every base type as JSON Lines: very thick flanges, very large
and very small forces, narrow and wide columns, the plate sizes far from the table's. These reach
the long loops of the calculation (a boot beam grown 10 mm at a time, a plate lengthened for
bearing, bolts walked up the table) that ordinary columns never reach.

Used to find the slowest single designs and to compare pedivo-calc's output before and after a change:
  python3 scripts/extreme_batch.py 5000 /tmp/extreme.jsonl
  build/bin/pedivo_design_times /tmp/extreme.jsonl 5
"""
import json
import random
import sys

MODULES = ["j1", "j2", "g11", "g12", "g2", "g3", "gc"]


def number(rng, low, high):
    value = rng.uniform(low, high)
    return str(int(value)) if rng.random() < 0.5 else f"{value:.{rng.randint(1, 2)}f}"


def wide(rng, low, high):
    """A value spread evenly over the orders of magnitude from low to high."""
    return number(rng, 1, 10) if rng.random() < 0.1 else f"{low * (high / low) ** rng.random():.4g}"


def case(rng):
    module = rng.choice(MODULES)
    bf = rng.uniform(100, 600)
    hb = rng.uniform(150, 1500)
    tf = rng.uniform(5, min(bf, hb / 2) * 0.98)
    entries = {"Edthc": f"{hb:.0f}", "Edtbf": f"{bf:.0f}", "Edttw": number(rng, 4, 60), "Edttf": f"{tf:.1f}"}
    if module not in ("j1", "j2"):
        entries["EdtM"] = wide(rng, 1, 200000)
    entries["EdtN"] = wide(rng, 1, 200000)
    if module == "gc" and rng.random() < 0.2:
        entries["EdtN"] = "-" + entries["EdtN"]
    entries["EdtV"] = wide(rng, 1, 50000)
    entries["CBf"] = rng.choice(["Q235", "Q345", "Q390", "Q420"])
    entries["CBfc"] = rng.choice(["C20", "C25", "C30", "C35", "C40"])
    line = {"module": module, "entries": entries}
    if module not in ("j1", "j2", "gc") or module in ("j1", "j2"):
        if module != "gc" and rng.random() < 0.5:
            line["cbsize"] = rng.random() < 0.5
    return line


def main():
    count, path = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(20261209)
    with open(path, "w", encoding="utf-8") as lines:
        for _ in range(count):
            lines.write(json.dumps(case(rng), ensure_ascii=False) + "\n")


if __name__ == "__main__":
    main()
