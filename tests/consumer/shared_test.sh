#!/usr/bin/env bash
# Builds qel as a shared library (BUILD_SHARED_LIBS, same build type and
# flags as the calling build, so the compiler cache serves it), checks that
# its dynamic symbols are the public API only, then runs the consumer test
# against its installed package.
# Usage: shared_test.sh SOURCE-DIR BUILD-DIR BUILD-TYPE SANITIZE CXX-COMPILER [EXTRA-CXX-FLAGS]
set -euo pipefail
[ $# -ge 5 ] || { echo "usage: $0 SOURCE-DIR BUILD-DIR BUILD-TYPE SANITIZE CXX-COMPILER [EXTRA-CXX-FLAGS]" >&2; exit 2; }
src=$1 build=$2 type=$3 sanitize=$4 cxx=$5 flags=${6:-}
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DQEL_SANITIZE="$sanitize" \
  -DBUILD_SHARED_LIBS=ON -DCMAKE_CXX_COMPILER="$cxx" >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log"; exit 1; }
cmake --build "$build" >"$build.build.log" 2>&1 || { tail -n 40 "$build.build.log"; exit 1; }

so=$(find "$build" -maxdepth 1 -name 'libqel.so.*.*.*' | head -n 1)
[ -n "$so" ] || { echo "FAIL: no versioned libqel.so was built"; exit 1; }
soname=$(objdump -p "$so" | awk '/SONAME/ {print $2}')
echo "$(basename "$so"), soname $soname"
[[ "$soname" == libqel.so.* ]] || { echo "FAIL: soname $soname"; exit 1; }

# Our dynamic symbols: every one in qel:: and none of the internals.
nm -D --defined-only "$so" | awk '{print $3}' | c++filt >"$build.symbols.txt"
ours=$(grep -c 'qel::' "$build.symbols.txt" || true)
# The name itself (before its template or argument list) must not be an
# internal one; the C++ library's containers of our types (exported in
# unoptimised builds) are the C++ library's.
leaks=$(sed 's/[(<].*//' "$build.symbols.txt" |
          grep -E '(^|[ <])qel::(detail|raster|rasterfont|folders|thumbs|sevenseg|progbar|meter|ntabed|replist)::|\(anonymous namespace\)' |
          head -n 5 || true)
[ "$ours" -gt 100 ] || { echo "FAIL: only $ours qel:: symbols exported"; exit 1; }
[ -z "$leaks" ] || { echo "FAIL: internal symbols exported, e.g.:"; echo "$leaks"; exit 1; }
# Anything else must be the C++ library's own vague linkage (std::,
# __gnu_cxx::, operators, type information) or a sanitizer's markers.
others=$(grep -v 'qel::' "$build.symbols.txt" | grep -vE 'std::|__gnu_cxx::|^operator |^typeinfo|^vtable|^guard variable' |
           grep -vE '^_(init|fini|edata|end|_bss_start)$|^__bss_start$|^_edata$|^_end$|^__(odr_asan|asan|ubsan|sanitizer)' |
           head -n 5 || true)
[ -z "$others" ] || { echo "FAIL: symbols outside qel:: exported, e.g.:"; echo "$others"; exit 1; }
echo "dynamic symbols: $ours in qel::, no internals"

exec "$(dirname "$0")/consumer_test.sh" "$build" "$cxx" "$flags"
