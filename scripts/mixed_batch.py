#!/usr/bin/env python3
"""Writes a seeded mixed batch of designs, every base type, as JSON Lines and as a CSV table.

Used to compare pedivo-calc's output before and after a change:
  python3 scripts/mixed_batch.py 5000 /tmp/mixed   # writes /tmp/mixed.jsonl and /tmp/mixed.csv
"""
import json
import random
import sys

MODULES = ["j1", "j2", "g11", "g12", "g2", "g3", "gc"]
GRADES = {"CBf": ["Q235", "Q345", "Q390", "Q420"], "CBfta": ["Q235", "Q345"], "CBfc": ["C25", "C30", "C35", "C40"]}
COLUMNS = ["module", "id", "Edthc", "Edtbf", "Edttw", "Edttf", "EdtM", "EdtN", "EdtV", "CBf", "CBfta", "CBfc", "cbsize"]


def number(rng, low, high):
    value = rng.uniform(low, high)
    return str(int(value)) if rng.random() < 0.6 else f"{value:.{rng.randint(1, 3)}f}"


def case(rng, index):
    module = rng.choice(MODULES)
    entries = {}
    if rng.random() < 0.8:
        entries["Edthc"] = number(rng, 200, 900)
        entries["Edtbf"] = number(rng, 150, 450)
        entries["Edttw"] = number(rng, 6, 16)
        entries["Edttf"] = number(rng, 8, 28)
    if module not in ("j1", "j2") and rng.random() < 0.9:
        entries["EdtM"] = number(rng, 0, 900)
    entries["EdtN"] = number(rng, -200 if module == "gc" else 10, 3000)
    entries["EdtV"] = number(rng, 0, 400)
    for name, items in GRADES.items():
        if rng.random() < 0.5:
            entries[name] = rng.choice(items)
    if rng.random() < 0.03:
        entries[rng.choice(["Edthc", "EdtN", "EdtV"])] = rng.choice(["abc", "", "-5", "1e3", " 12 "])
    cbsize = None if module in ("j1", "j2") or rng.random() < 0.6 else rng.random() < 0.7
    return module, f"c{index}", entries, cbsize


def main():
    count, stem = int(sys.argv[1]), sys.argv[2]
    rng = random.Random(20261209)
    with open(stem + ".jsonl", "w", encoding="utf-8") as lines, open(stem + ".csv", "w", encoding="utf-8") as table:
        table.write(",".join(COLUMNS) + "\n")
        for i in range(count):
            module, ident, entries, cbsize = case(rng, i)
            line = {"module": module, "entries": entries}
            if cbsize is not None:
                line["cbsize"] = cbsize
            lines.write(json.dumps(line, ensure_ascii=False) + "\n")
            cells = [module, ident] + [entries.get(c, "") for c in COLUMNS[2:-1]]
            cells.append("" if cbsize is None else ("1" if cbsize else "0"))
            table.write(",".join(cells) + "\n")


if __name__ == "__main__":
    main()
