#!/usr/bin/env bash
# Builds and runs the main program, the gallery: a window when a display is
# there, else a PNG picture of every page in build/gallery/ (paths printed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target qel-gallery
exec build/release/qel-gallery "$@"
