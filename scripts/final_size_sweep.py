#!/usr/bin/env python3
"""Evaluates every completed design's checks again from its final sizes.

Reads pedivo-calc's JSON Lines output (for example of scripts/mixed_batch.py), takes each completed
design's entries and settled sizes, and works every quantity out again with the hand calculations
of tests/design/hand, which know nothing of the order in which the design grew its parts. A held
quantity that differs from its value on the final sizes was computed on a part that a later step
enlarged. Prints, by base type, each such quantity and how many designs it differs in.

    python3 scripts/mixed_batch.py 10000 /tmp/mixed
    build/tools/pedivo-calc/pedivo-calc < /tmp/mixed.jsonl > /tmp/mixed.out
    python3 -O scripts/final_size_sweep.py /tmp/mixed.out

Run it with -O: the hand calculations assert that every check passes, which a design with sizes
the engineer gave need not do.
"""
import collections
import importlib
import json
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "design", "hand"))
import common  # noqa: E402

# The grades the mixed batch also uses, GB 50017-2003: fy, ffw, bands of (upper thickness, f, fv).
common.STEEL.setdefault("Q390", (390, 220, [(16, 350, 205), (35, 335, 190), (50, 315, 180), (100, 295, 170)]))
common.STEEL.setdefault("Q420", (420, 220, [(16, 380, 220), (35, 360, 210), (50, 340, 195), (100, 325, 185)]))

# The plate before rounding to tens: the hand calculations take it from a case's own plan and
# otherwise write the rounded plate; it is no check.
NOT_FROM_SIZES = {"L0", "B0"}

HAND = {"j1": "two_bolt", "j2": "four_bolt", "g11": "eight_bolt", "g12": "ten_bolt", "g2": "t_boot_beam",
        "g3": "channel_boot_beam", "gc": "embedded"}


def differs(held, hand):
    return abs(held - hand) > 1e-9 * max(1.0, abs(hand))


def main():
    if __debug__:
        sys.exit("run with python3 -O")
    counts = collections.defaultdict(collections.Counter)
    designs = collections.Counter()
    failures = collections.Counter()
    for line in open(sys.argv[1], encoding="utf-8"):
        out = json.loads(line)
        module = out.get("module")
        if out.get("state") != "已完成" or module not in HAND:
            continue
        held = {k: v for k, v in out["values"].items() if isinstance(v, (int, float)) and not isinstance(v, bool)}
        case = {"entries": out["entries"], "cbsize": out.get("cbsize", True), "sizes": held}
        designs[module] += 1
        try:
            hand = importlib.import_module(HAND[module]).design(case)
        except (KeyError, ValueError, ZeroDivisionError, TypeError):
            failures[module] += 1
            continue
        changed = sorted(name for name, value in hand.items()
                         if name in held and name not in NOT_FROM_SIZES and isinstance(value, (int, float))
                         and math.isfinite(value)
                         and differs(held[name], value))
        for name in changed:
            counts[module][name] += 1
        counts[module]["(any)"] += bool(changed)
    for module in HAND:
        print(f"{module}: {designs[module]} completed designs, {failures[module]} outside the hand calculation")
        for name, count in counts[module].most_common():
            print(f"  {name}: {count}")


if __name__ == "__main__":
    main()
