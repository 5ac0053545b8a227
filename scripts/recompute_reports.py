#!/usr/bin/env python3
"""Recomputes every "expression = value" a report prints, as a checker would by hand.

Reads pedivo-calc's JSON Lines output, fills each case's report template (reports/*.txt) with its
report tags, and evaluates every run of numbers and operators that stands before " = " and a
number: "2×609.902/6 = 203.3", "√(39.869² + (110.1/1.22)²) = 117.1". A printed result is cut,
not rounded, so the expression may exceed it by one unit of its last digit; beyond that, and
0.5 % either way, the line is off.

    python3 scripts/realistic_columns.py 300 /tmp/real.jsonl
    build/bin/pedivo-calc --detail /tmp/real.jsonl > /tmp/real.out
    python3 scripts/recompute_reports.py /tmp/real.out          # exit status 1 if any is off
"""
import collections
import json
import math
import os
import re
import sys

REPORTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "reports")
TEMPLATES = {"j1": "j1", "j2": "j2", "g11": "rigid_plate", "g12": "rigid_plate", "g2": "g2", "g3": "g3",
             "gc": "gc"}
TOLERANCE = 0.005
TAG = re.compile(r"<#[^<>]+>")
NUMBER = re.compile(r"^\(?[−-]?\d+(?:\.\d+)?")
EXPRESSION_CHARS = set("0123456789.×·/+−-()²³⁴√ ⁻⁶")


def fill(template, tags):
    """The template's text with each tag replaced; a tag given n times fills its n places in turn."""
    queues = collections.defaultdict(list)
    for tag, text in tags:
        queues[tag].append(text)
    used = collections.Counter()

    def one(match):
        tag = match.group(0)
        texts = queues.get(tag)
        if not texts:
            return tag
        text = texts[min(used[tag], len(texts) - 1)]
        used[tag] += 1
        return text

    return TAG.sub(one, template)


def python_expression(text):
    t = text.replace("×10⁻³", "*1e-3").replace("×10⁻⁶", "*1e-6").replace("×10³", "*1e3").replace("×10⁶", "*1e6")
    t = t.replace("×", "*").replace("·", "*").replace("−", "-").replace("√", "math.sqrt")
    t = t.replace("²", "**2").replace("³", "**3").replace("⁴", "**4")
    return t


def expressions(line):
    """(expression, printed result) pairs of a line."""
    parts = line.split(" = ")
    for left, right in zip(parts, parts[1:]):
        # The expression is the left part after its last label or separator.
        candidate = re.split(r"[，：；（]", left)[-1].strip()
        if not candidate or not set(candidate) <= EXPRESSION_CHARS:
            continue
        if not any(op in candidate for op in "×·/+−-²³√"):
            continue
        result = NUMBER.match(right.strip())
        if not result:
            continue
        yield candidate, result.group(0).lstrip("(").replace("−", "-")


def last_unit(printed):
    return 10.0 ** -(len(printed.split(".")[1]) if "." in printed else 0)


def off(expression, printed):
    try:
        value = eval(python_expression(expression), {"math": math, "__builtins__": {}})  # noqa: S307
    except (SyntaxError, ValueError, ZeroDivisionError, TypeError, NameError):
        return None
    result = float(printed)
    unit = last_unit(printed)
    low = result - TOLERANCE * abs(result)
    high = result + unit * (1 if result >= 0 else 0) + TOLERANCE * abs(result)
    if result < 0:
        low -= unit
    return not (low <= value <= high), value


def main():
    templates = {name: open(os.path.join(REPORTS, name + ".txt"), encoding="utf-8").read()
                 for name in set(TEMPLATES.values())}
    counted = collections.Counter()
    failing = collections.Counter()
    designs = collections.Counter()
    shown = 0
    for line in open(sys.argv[1], encoding="utf-8"):
        out = json.loads(line)
        module = out.get("module")
        if out.get("state") != "已完成" or module not in TEMPLATES:
            continue
        if "report" not in out:
            sys.exit("the report's tags are missing: run pedivo-calc with --detail")
        designs[module] += 1
        text = fill(templates[TEMPLATES[module]], [(t[0], t[1]) for t in out["report"]])
        for row in text.splitlines():
            for expression, printed in expressions(row):
                verdict = off(expression, printed)
                if verdict is None:
                    continue
                counted[module] += 1
                if verdict[0]:
                    failing[module] += 1
                    if shown < 40:
                        shown += 1
                        print(f"{module}: {expression} = {printed}  (recomputes to {verdict[1]:.6g})")
    for module in TEMPLATES:
        if designs[module]:
            print(f"{module}: {designs[module]} designs, {counted[module]} expressions, {failing[module]} off")
    if not designs:
        sys.exit("no completed design to recompute")
    sys.exit(1 if sum(failing.values()) else 0)


if __name__ == "__main__":
    main()
