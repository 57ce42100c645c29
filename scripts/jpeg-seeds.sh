#!/usr/bin/env bash
# Writes the JPEG fuzz target's seed files into fuzz/corpus/jpeg_reader/,
# made with libjpeg by the test suite. BUILD_DIR (default build/release) is
# a configured build with the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build/release}"
cmake --build "$build" --target qel-tests
mkdir -p fuzz/corpus/jpeg_reader
QEL_WRITE_JPEG_SEEDS="$PWD/fuzz/corpus/jpeg_reader" "$build/qel-tests" --gtest_filter=ImageJpeg.SeedCorpus
ls fuzz/corpus/jpeg_reader
