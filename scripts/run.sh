#!/usr/bin/env bash
# Builds and runs the main program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target qel-sheet
build/release/qel-sheet "${1:-build/sheet.png}"
