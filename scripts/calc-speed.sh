#!/usr/bin/env bash
# Times pedivo-calc on 200,000 two-bolt cases (axial force and shear varying from line to line),
# reading a file and writing to /dev/null, and prints cases a second for the best of five runs.
#   scripts/calc-speed.sh [path/to/pedivo-calc]
set -euo pipefail
cd "$(dirname "$0")/.."
calc="${1:-build/bin/pedivo-calc}"
cases=200000
input="$(mktemp --suffix=.jsonl)"
trap 'rm -f "$input"' EXIT
awk -v n="$cases" 'BEGIN {
  for (i = 0; i < n; ++i)
    printf "{\"module\": \"j1\", \"entries\": {\"EdtN\": \"%d\", \"EdtV\": \"%d\"}}\n", 50 + (i * 37) % 2950, (i * 13) % 300
}' > "$input"
best=""
for run in 1 2 3 4 5; do
  start=$(date +%s.%N)
  "$calc" "$input" > /dev/null
  end=$(date +%s.%N)
  seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
  if [[ -z "$best" ]] || awk -v s="$seconds" -v b="$best" 'BEGIN { exit !(s < b) }'; then best=$seconds; fi
done
awk -v n="$cases" -v s="$best" 'BEGIN { printf "%d two-bolt cases in %.3f s: %.0f cases a second\n", n, s, n / s }'
