#!/usr/bin/env bash
# Builds the API reference with Doxygen (installing it when missing) into
# build/release/docs/html; fails on any Doxygen warning.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --docs
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target docs
echo "docs: $PWD/build/release/docs/html/index.html"
