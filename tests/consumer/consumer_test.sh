#!/usr/bin/env bash
# Installs the built library into a prefix inside the build folder, then
# builds the program in this folder twice as an outside project would: with
# CMake's find_package(qel) and with pkg-config, and runs both headless.
# Usage: consumer_test.sh BUILD-DIR CXX-COMPILER [EXTRA-CXX-FLAGS]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 BUILD-DIR CXX-COMPILER [EXTRA-CXX-FLAGS]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
build=$1 cxx=$2 flags=${3:-}
work=$build/consumer prefix=$build/consumer/prefix
rm -rf "$work"
mkdir -p "$work"
launcher=()
command -v ccache >/dev/null && launcher=(ccache)

echo "--- install into $prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
for f in include/qel/qel/qel.h include/qel/gauges/QEL_Meter.h; do
  [ -f "$prefix/$f" ] || { echo "FAIL: $f was not installed"; exit 1; }
done

echo "--- find_package(qel)"
cmake -S "$here" -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER=ccache} >"$work/cmake.log"
cmake --build "$work/cmake" >>"$work/cmake.log"
"$work/cmake/qel-consumer"

echo "--- pkg-config qel"
pc_dir=$(dirname "$(find "$prefix" -name qel.pc | head -n 1)")
# Plain flags, as a user would write them: the file lists every library needed.
pc_flags=$(PKG_CONFIG_PATH="$pc_dir" pkg-config --cflags --libs qel)
# shellcheck disable=SC2086  # the flags are words
"${launcher[@]}" "$cxx" -std=c++20 -O1 $flags "$here/main.cpp" -o "$work/qel-consumer-pc" $pc_flags
"$work/qel-consumer-pc"
echo "PASS: both consumers built against $prefix and ran"
