#!/usr/bin/env python3
"""Keeps the outputs of pedivo-calc as a reference and checks that a later build writes the same bytes.

    python3 scripts/same_outputs.py make /tmp/ref            # with the build before a change
    python3 scripts/same_outputs.py compare /tmp/ref         # with the build after it; exit status 1 on a difference
    python3 scripts/same_outputs.py compare /tmp/ref --quick # JSON and CSV outputs only (seconds, not minutes)
    python3 scripts/same_outputs.py compare /tmp/ref --sample 10  # reports and drawings of every tenth case

The cases: 10,000 mixed designs (scripts/mixed_batch.py) and 300 realistic columns a base type
(scripts/realistic_columns.py), both seeded. Outputs compared byte for byte: --detail JSON (messages, every
held value, checks with their formulas, report tags), --adjust JSON, the --csv result table, the reports'
word/document.xml (the line with the version and the time of writing blanked, since both change from
build to build) and the DXF drawing of each case (its version line blanked likewise). The report's picture is left out: painted offscreen,
its bytes differ from run to run. Reports and drawings are made
for all realistic columns and for the first REPORTED mixed cases.
"""
import argparse
import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
MIXED = 10000
REALISTIC = 300
REPORTED = 1000
VERSION_LINE = re.compile(r"软件版本：[^<]*")
DXF_VERSION_LINE = re.compile(rb"Pedivo [^\r\n]*\(git [^\r\n]*")


def write_inputs(folder):
    subprocess.run([sys.executable, os.path.join(HERE, "mixed_batch.py"), str(MIXED), os.path.join(folder, "mixed")],
                   check=True)
    subprocess.run([sys.executable, os.path.join(HERE, "realistic_columns.py"), str(REALISTIC),
                    os.path.join(folder, "real.jsonl")], check=True)
    with open(os.path.join(folder, "mixed.jsonl"), encoding="utf-8") as mixed:
        head = [next(mixed) for _ in range(REPORTED)]
    with open(os.path.join(folder, "real.jsonl"), encoding="utf-8") as real:
        cases = head + real.readlines()
    with open(os.path.join(folder, "drawn.jsonl"), "w", encoding="utf-8") as drawn:
        for number, line in enumerate(cases):
            case = json.loads(line)
            case["id"] = f"d{number:05d}"
            drawn.write(json.dumps(case, ensure_ascii=False) + "\n")
    return len(cases)


def run(calc, arguments, output):
    with open(output, "wb") as out:
        subprocess.run([calc] + arguments, stdout=out, stderr=subprocess.DEVNULL, check=False)


JSON_OUTPUTS = ["mixed.detail.jsonl", "mixed.adjust.jsonl", "mixed.table.csv", "real.detail.jsonl",
                "real.adjust.jsonl"]


def json_outputs(calc, inputs, out):
    run(calc, ["--detail", os.path.join(inputs, "mixed.jsonl")], os.path.join(out, "mixed.detail.jsonl"))
    run(calc, ["--adjust", os.path.join(inputs, "mixed.jsonl")], os.path.join(out, "mixed.adjust.jsonl"))
    run(calc, ["--csv", os.path.join(inputs, "mixed.csv")], os.path.join(out, "mixed.table.csv"))
    run(calc, ["--detail", os.path.join(inputs, "real.jsonl")], os.path.join(out, "real.detail.jsonl"))
    run(calc, ["--adjust", os.path.join(inputs, "real.jsonl")], os.path.join(out, "real.adjust.jsonl"))


def drawn_cases(inputs, sample):
    with open(os.path.join(inputs, "drawn.jsonl"), encoding="utf-8") as drawn:
        return [json.loads(line) for number, line in enumerate(drawn) if number % sample == 0]


def reports(calc, inputs, out, sample):
    """word/document.xml of each report, the version line blanked."""
    folder = tempfile.mkdtemp(prefix="same-outputs-")
    try:
        cases = os.path.join(folder, "cases.jsonl")
        with open(cases, "w", encoding="utf-8") as lines:
            for case in drawn_cases(inputs, sample):
                lines.write(json.dumps(case, ensure_ascii=False) + "\n")
        run(calc, ["--report-dir", folder, cases], os.devnull)
        os.remove(cases)
        target = os.path.join(out, "reports")
        os.makedirs(target, exist_ok=True)
        for name in sorted(os.listdir(folder)):
            with zipfile.ZipFile(os.path.join(folder, name)) as package:
                document = package.read("word/document.xml").decode("utf-8")
            with open(os.path.join(target, os.path.splitext(name)[0] + ".xml"), "w", encoding="utf-8") as xml:
                xml.write(VERSION_LINE.sub("软件版本：", document))
    finally:
        shutil.rmtree(folder)


def drawings(calc, inputs, out, sample):
    """The DXF file of each case (cases that do not complete write none)."""
    target = os.path.join(out, "dxf")
    os.makedirs(target, exist_ok=True)
    cases = drawn_cases(inputs, sample)

    def draw(case):
        dxf = os.path.join(target, case["id"] + ".dxf")
        subprocess.run([calc, "--dxf", dxf], input=json.dumps(case, ensure_ascii=False).encode("utf-8"),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)

    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        list(pool.map(draw, cases))


def make(calc, folder, quick):
    os.makedirs(folder, exist_ok=True)
    write_inputs(folder)
    json_outputs(calc, folder, folder)
    if not quick:
        reports(calc, folder, folder, 1)
        drawings(calc, folder, folder, 1)


def without_version(name, data):
    """A drawing's bytes with its line naming the version (and the commit) blanked."""
    return DXF_VERSION_LINE.sub(b"Pedivo", data) if name.endswith(".dxf") else data


def files_under(folder):
    found = []
    for root, _, names in os.walk(folder):
        found += [os.path.relpath(os.path.join(root, n), folder) for n in names]
    return sorted(found)


def compare(calc, reference, quick, sample):
    out = tempfile.mkdtemp(prefix="same-outputs-")
    try:
        json_outputs(calc, reference, out)
        if not quick:
            reports(calc, reference, out, sample)
            drawings(calc, reference, out, sample)
        made = files_under(out)
        drawn = {case["id"] for case in drawn_cases(reference, sample)}
        kept = [n for n in files_under(reference)
                if n in JSON_OUTPUTS or (not quick and "/" in n and os.path.splitext(os.path.basename(n))[0] in drawn)]
        differing = []
        for name in sorted(set(made) | set(kept)):
            left, right = os.path.join(reference, name), os.path.join(out, name)
            if not os.path.exists(left) or not os.path.exists(right):
                differing.append(name + " (only in one)")
                continue
            with open(left, "rb") as a, open(right, "rb") as b:
                if without_version(name, a.read()) != without_version(name, b.read()):
                    differing.append(name)
        cases = {name: sum(1 for _ in open(os.path.join(out, name), "rb")) for name in made if "/" not in name}
        for name, count in sorted(cases.items()):
            print(f"{name}: {count} lines")
        print(f"reports: {sum(1 for n in made if n.endswith('.xml'))}, drawings: {sum(1 for n in made if n.endswith('.dxf'))}")
        print(f"{len(made)} files compared, {len(differing)} differ")
        for name in differing[:20]:
            print("  differs:", name)
        return 1 if differing else 0
    finally:
        shutil.rmtree(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("action", choices=["make", "compare"])
    parser.add_argument("folder")
    parser.add_argument("--calc", default=os.path.join(HERE, "..", "build", "bin", "pedivo-calc"))
    parser.add_argument("--quick", action="store_true", help="JSON and CSV outputs only")
    parser.add_argument("--sample", type=int, default=1, metavar="K",
                        help="compare the reports and drawings of every K-th case only")
    arguments = parser.parse_args()
    if arguments.action == "make":
        make(arguments.calc, arguments.folder, arguments.quick)
        return 0
    return compare(arguments.calc, arguments.folder, arguments.quick, max(1, arguments.sample))


if __name__ == "__main__":
    sys.exit(main())
