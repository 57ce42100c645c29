#!/usr/bin/env bash
# Builds the gallery and writes a picture of every page to docs/gallery/<page>.png,
# the pictures the README shows. BUILD_DIR (default build/dev) is the build used.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build/dev}"
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target qel-gallery
mkdir -p docs/gallery
"$build/qel-gallery" --screenshot docs/gallery
ls docs/gallery
