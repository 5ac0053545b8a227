#!/usr/bin/env bash
# Sets up (with a word processor for the reports), builds and starts Pedivo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh --office
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
exec build/bin/pedivo "$@"
