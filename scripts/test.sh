#!/usr/bin/env bash
# Builds everything (library, tests, benchmarks, fuzz replays) and runs every
# test: first the Release build, then the AddressSanitizer/UBSan build.
# Set QEL_SKIP_SANITIZE=1 to run only the first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# A fresh clone in another folder reuses the compiler cache: paths inside the
# checkout are hashed relative to it, and the build folder is not hashed.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

run_suite() {  # $1 build dir, $2 build type, $3 sanitize ON/OFF
  cmake -S . -B "$1" -G Ninja -DCMAKE_BUILD_TYPE="$2" -DQEL_SANITIZE="$3" >/dev/null
  cmake --build "$1"
  (cd "$1" && ctest --output-on-failure -j2)
}

run_suite build/release Release OFF
if [ "${QEL_SKIP_SANITIZE:-0}" != 1 ]; then
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  run_suite build/asan Debug ON
fi
