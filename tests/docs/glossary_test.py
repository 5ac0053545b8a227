#!/usr/bin/env python3
"""Keeps design/SYMBOLS.md true to the code.

Every held value pedivo-calc prints for a base type has a line in the glossary, every source file the
glossary names exists, and every function it names is found in the file named before it (or, for
rigidbase:: and tables::, in the shared file of that namespace). A renamed step or a new quantity
without its line fails here instead of leaving a newcomer searching.

    python3 tests/docs/glossary_test.py build/bin/pedivo-calc
"""
import json
import os
import re
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GLOSSARY = os.path.join(ROOT, "design", "SYMBOLS.md")
MODULES = ["j1", "j2", "g11", "g12", "g2", "g3", "gc"]
NAMESPACE_FILES = {"rigidbase": "design/common/rigid_base.cpp", "tables": "design/common/tables.cpp"}
TOKEN = re.compile(r"`([^`]+)`")


def glossary_symbols(text):
    """The symbols that open a table row: | `name` | ..."""
    return {m.group(1) for m in re.finditer(r"^\|\s*`([^`]+)`\s*\|", text, re.M)}


def mentions(path, name):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        return re.search(r"\b" + re.escape(name) + r"\b", f.read()) is not None


def named_places(text):
    """(file, function) pairs as the glossary writes them: a file in backticks, then the functions after it."""
    faults = []
    for line in text.splitlines():
        current = None
        for token in TOKEN.findall(line):
            if token.startswith("design/"):
                path = token.split()[0]
                if not os.path.exists(os.path.join(ROOT, path)):
                    faults.append(f"file {path} does not exist")
                current = path if path.endswith(".cpp") and os.path.exists(os.path.join(ROOT, path)) else None
                continue
            qualified = re.fullmatch(r"(\w+)::(\w+)", token)
            if qualified and qualified.group(1) in NAMESPACE_FILES:
                path = NAMESPACE_FILES[qualified.group(1)]
                header = path.replace(".cpp", ".h")
                if not (mentions(path, qualified.group(2)) or mentions(header, qualified.group(2))):
                    faults.append(f"{token} is not found in {path} or {header}")
                continue
            # A lower-case identifier after a file is a function of that file (or a lambda or
            # constant in it); anything else (a symbol, a control name) is left alone.
            if current and re.fullmatch(r"[a-z]\w*", token) and not mentions(current, token):
                faults.append(f"{token} is not found in {current}")
    return faults


def main():
    calc = sys.argv[1]
    with open(GLOSSARY, encoding="utf-8") as f:
        text = f.read()
    symbols = glossary_symbols(text)
    faults = named_places(text)
    for module in MODULES:
        out = subprocess.run([calc], input=json.dumps({"module": module}), capture_output=True, text=True, check=True)
        values = json.loads(out.stdout.splitlines()[0])["values"]
        faults += [f"{module}: held value {name} has no line in the glossary" for name in values if name not in symbols]
    for fault in faults:
        print(fault)
    print(f"{len(symbols)} symbols, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
