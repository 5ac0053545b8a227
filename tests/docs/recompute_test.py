#!/usr/bin/env python3
"""Every "expression = value" of the reports of generated realistic designs recomputes.

Writes 300 realistic cases a base type (scripts/realistic_columns.py), designs them with
pedivo-calc and recomputes each printed expression from its printed operands
(scripts/recompute_reports.py): none may be more than 0.5 % off its printed result.

    python3 tests/docs/recompute_test.py build/bin/pedivo-calc
"""
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def main():
    calc = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        cases = os.path.join(folder, "real.jsonl")
        out = os.path.join(folder, "real.out")
        subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "realistic_columns.py"), "300", cases], check=True)
        with open(out, "w", encoding="utf-8") as lines:
            subprocess.run([calc, "--detail", cases], stdout=lines, check=False)
        result = subprocess.run([sys.executable, os.path.join(ROOT, "scripts", "recompute_reports.py"), out],
                                capture_output=True, text=True)
        print(result.stdout)
        sys.exit(result.returncode)


if __name__ == "__main__":
    main()
