#!/usr/bin/env python3
"""Compares 自动调整's proposals with the lightest passing design of a coarse grid.

Reads pedivo-calc --adjust output and its input; for every case with a proposal, designs the grid
of each size a, c, lt, bt at 1, 1.25, 1.5, 2, 2.5 and 3 times its detailing value (rounded up
to 5 mm), for every bolt of the window's list (or the bolt the type's own design ends with); prints
the ratio of the proposal's weight to the grid's lightest passing weight. A proposal of the case's own
type is compared with that type's grid; a proposal of another type of the family (自动调整 turns
there only when its own type has no passing design) with the grids of every other type of the family.
  python3 scripts/adjust_lightness.py build/bin/pedivo-calc /tmp/real.jsonl /tmp/real.out [cases a type]
"""
import itertools
import math
import json
import subprocess
import sys

# Detailing distances a, c of each bolt diameter, as the program's bolt table gives them.
BOLTS = {20: (50, 60), 22: (55, 65), 24: (60, 70), 27: (70, 70), 30: (75, 75), 33: (85, 75), 36: (90, 80),
         39: (100, 85), 42: (105, 85), 45: (110, 90), 48: (120, 90), 52: (130, 100), 56: (140, 105),
         60: (150, 110), 64: (160, 120)}
FACTORS = (1, 1.25, 1.5, 2, 2.5, 3)
LISTS = {"j1": ("CBdms", ["24", "27", "30", "33", "36", "39", "42"]), "j2": ("cbdms", ["24", "27", "30"])}


FAMILIES = [["g11", "g12", "g2", "g3"], ["j1", "j2"]]


def own_bolt(calc, module, entries):
    """The bolt the type's design ends with, from the detailing sizes."""
    line = json.dumps({"module": module, "entries": entries, "cbsize": True}, ensure_ascii=False)
    done = json.loads(subprocess.run([calc], input=line + "\n", capture_output=True, text=True).stdout)
    return int(done["values"].get("dms") or (20 if module == "g2" else 24))


def carried(case, module):
    """The case's section, forces and materials in another type's window."""
    entries = {k: v for k, v in case["entries"].items() if k not in ("CBdms", "cbdms")}
    if module in ("j1", "j2"):
        entries.pop("EdtM", None)
    return entries


def grid(calc, case, output):
    module = case["module"]
    proposed = output["adjusted"]["module"]
    modules = [module] if proposed == module else [m for f in FAMILIES if module in f for m in f if m != module]
    lines = []
    for m in modules:
        entries0 = case["entries"] if m == module else carried(case, m)
        bolt_list = LISTS.get(m)
        bolts = [int(b) for b in bolt_list[1]] if bolt_list else [own_bolt(calc, m, entries0)]
        for dms in bolts:
            if dms not in BOLTS:
                continue
            a, c = BOLTS[dms]
            edge = 2 * dms + 4
            # Up to whole 5 mm: a size never falls below its detailing value.
            sizes = [sorted({5 * math.ceil(f * x / 5 - 1e-9) for f in FACTORS}) for x in (a, c, edge, edge)]
            for combo in itertools.product(*sizes):
                entries = dict(entries0)
                entries.update(zip(("Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt"), map(str, combo)))
                if bolt_list:
                    entries[bolt_list[0]] = str(dms)
                lines.append(json.dumps({"module": m, "entries": entries, "cbsize": False}, ensure_ascii=False))
    return lines


def passes(d):
    """Passes every check, with no size below the detailing value of the bolt the design ends with."""
    if not (d.get("messages") and d["messages"][0] == "计算完毕！" and d["state"] == "已完成"
            and all(x["ok"] for x in d["checks"])):
        return False
    dms = int(d["values"]["dms"])
    a, c = BOLTS.get(dms, (0, 0))
    sizes = [float(d["entries"][k]) for k in ("Edtsizea", "Edtsizec", "Edtsizelt", "Edtsizebt")]
    return all(s >= low for s, low in zip(sizes, (a, c, 2 * dms + 4, 2 * dms + 4)))


def main():
    calc, inputs, outputs = sys.argv[1:4]
    most = int(sys.argv[4]) if len(sys.argv) > 4 and sys.argv[4].isdigit() else 50
    cases = [json.loads(line) for line in open(inputs, encoding="utf-8")]
    results = [json.loads(line) for line in open(outputs, encoding="utf-8")]
    ratios = []
    taken = {}
    for case, result in zip(cases, results):
        if taken.get(case["module"], 0) >= most or not result.get("adjusted"):
            continue
        taken[case["module"]] = taken.get(case["module"], 0) + 1
        lines = grid(calc, case, result)
        done = subprocess.run([calc], input="\n".join(lines), capture_output=True, text=True).stdout.splitlines()
        weights = [json.loads(o)["weight"] for o in done if passes(json.loads(o))]
        if weights:
            ratios.append((result["adjusted"]["weight"] / min(weights), case["module"] + "→" + result["adjusted"]["module"]))
        if ratios and ratios[-1][0] > 1.05 and "-v" in sys.argv:
            print(case["module"], round(ratios[-1][0], 3), result["adjusted"]["entries"], min(weights))
    ratios.sort()
    for kind in sorted({k for _, k in ratios}):
        mine = [r for r, k in ratios if k == kind]
        print(kind, "cases", len(mine), "worst %.3f" % max(mine), "mean %.3f" % (sum(mine) / len(mine)))
    print("cases", len(ratios), "worst", ratios[-1] if ratios else None,
          "over 1.05:", sum(r > 1.05 for r, _ in ratios), "mean %.3f" % (sum(r for r, _ in ratios) / max(len(ratios), 1)))


if __name__ == "__main__":
    main()
