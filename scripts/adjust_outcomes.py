#!/usr/bin/env python3
"""Counts, per base type, how a pedivo-calc --adjust run ends and checks that proposals re-run alike.

For every case: passing directly; the column itself overstressed (a failing check whose remedy says
the base cannot help); passing after 自动调整 (and with which type); not passing. Every proposal is
designed again as an ordinary case, and its weight, messages and checks must be those proposed.
  python3 scripts/realistic_columns.py 500 /tmp/real.jsonl
  build/bin/pedivo-calc --adjust /tmp/real.jsonl > /tmp/real.out
  python3 scripts/adjust_outcomes.py build/bin/pedivo-calc /tmp/real.jsonl /tmp/real.out [-v]
"""
import collections
import json
import subprocess
import sys

NAMES = {"j1": "两锚栓铰接", "j2": "四锚栓铰接", "g11": "八锚栓刚接", "g12": "十锚栓刚接", "g2": "T型靴梁", "g3": "槽型靴梁",
         "gc": "插入式"}
COLUMN = "柱脚构造不能解决"


def passes(d):
    return (d.get("state") == "已完成" and d.get("messages") and d["messages"][0] == "计算完毕！"
            and all(c["ok"] for c in d["checks"]))


def overstressed(d):
    return any(not c["ok"] and COLUMN in (c.get("remedy") or "") for c in d.get("checks", []))


def main():
    calc, inputs, outputs = sys.argv[1:4]
    cases = [json.loads(line) for line in open(inputs, encoding="utf-8")]
    results = [json.loads(line) for line in open(outputs, encoding="utf-8")]
    table = collections.defaultdict(collections.Counter)
    proposals, again = [], []
    for case, result in zip(cases, results):
        row = table[case["module"]]
        row["cases"] += 1
        if passes(result):
            row["direct"] += 1
            continue
        if overstressed(result):
            row["column"] += 1
        adjusted = result.get("adjusted")
        if adjusted:
            row["adjusted"] += 1
            if adjusted["module"] != case["module"]:
                row["to " + adjusted["module"]] += 1
            proposals.append(adjusted)
            again.append(json.dumps({"module": adjusted["module"], "entries": adjusted["entries"], "cbsize": False},
                                    ensure_ascii=False))
        else:
            row["left"] += 1
            if "-v" in sys.argv:
                print("left", case["module"], json.dumps(case["entries"], ensure_ascii=False), result["messages"])
    rerun = subprocess.run([calc], input="\n".join(again) + "\n", capture_output=True, text=True).stdout.splitlines()
    differ = 0
    for proposal, line in zip(proposals, rerun):
        d = json.loads(line)
        same = (d["weight"] == proposal["weight"] and d["messages"] == proposal["messages"]
                and [(c["name"], c["ok"]) for c in d["checks"]] == [(c["name"], c["ok"]) for c in proposal["checks"]])
        differ += not same
    print("| 柱脚类型 | 例数 | 直接满足 | 柱本身超应力 | 自动调整后满足（其中改变类型） | 仍不满足 | 满足比例（不计柱本身超应力） |")
    print("|---|---|---|---|---|---|---|")
    for module in NAMES:
        row = table.get(module)
        if not row:
            continue
        changed = sum(v for k, v in row.items() if k.startswith("to "))
        kinds = "、".join(f"{k[3:]} {v}" for k, v in sorted(row.items()) if k.startswith("to "))
        fixed_columns = row["cases"] - row["column"]
        share = (row["direct"] + row["adjusted"]) / row["cases"] if row["cases"] else 0
        share_wo = min(1.0, (row["direct"] + row["adjusted"]) / fixed_columns) if fixed_columns else 1
        print(f"| {NAMES[module]} | {row['cases']} | {row['direct']} | {row['column']} | {row['adjusted']}"
              f"（{changed}{'：' + kinds if kinds else ''}） | {row['left']} | {share_wo * 100:.1f} % |")
    print(f"proposals {len(proposals)}, re-run differently {differ}")


if __name__ == "__main__":
    main()
