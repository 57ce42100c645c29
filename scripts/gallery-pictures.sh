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
# The "Browsers" page opens its sample folder in the folder tree, a numbered
# folder in the temporary directory: a temporary directory of our own that
# holds nothing else keeps that part of the picture the same from run to run.
samples=/var/tmp/qel-gallery-pictures  # /var/tmp: fewer neighbours than /tmp
rm -rf "$samples"
mkdir -p "$samples"
TMPDIR="$samples" "$build/qel-gallery" --screenshot docs/gallery
rmdir "$samples"
ls docs/gallery
