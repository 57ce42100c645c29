#!/usr/bin/env bash
# Installs the built library into a prefix inside the build folder, then
# builds the program in this folder as an outside project would: with CMake's
# find_package(qel), with pkg-config, and with only <prefix>/include on the
# path, each with strict warnings as errors, and runs them headless. Then: a
# C++17 compile stops at a plain message, the static library links into a
# shared plugin, and qel-sdl.pc links the SDL host.
# With --deb, the library comes from the Debian package that cpack makes
# (its files taken out with dpkg-deb, its dependencies checked) instead.
# Usage: consumer_test.sh BUILD-DIR CXX-COMPILER [EXTRA-CXX-FLAGS] [--deb]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 BUILD-DIR CXX-COMPILER [EXTRA-CXX-FLAGS] [--deb]" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
build=$1 cxx=$2 flags=${3:-} mode=${4:-install}
work=$build/consumer-${mode#--}
rm -rf "$work"
mkdir -p "$work"
launcher=()
command -v ccache >/dev/null && launcher=(ccache)

if [ "$mode" = --deb ]; then
  echo "--- cpack -G DEB"
  (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
  deb=$(find "$work/package" -maxdepth 1 -name 'libqel-dev_*.deb' | head -n 1)
  [ -n "$deb" ] || { echo "FAIL: no libqel-dev package was made"; exit 1; }
  depends=$(dpkg-deb -f "$deb" Depends)
  for d in libfreetype-dev libfontconfig-dev libexpat1-dev libpng-dev libpcre2-dev; do
    [[ "$depends" == *"$d"* ]] || { echo "FAIL: the package does not depend on $d: $depends"; exit 1; }
  done
  dpkg-deb -x "$deb" "$work/root"
  prefix=$work/root/usr
  echo "$(basename "$deb"), depends on: $depends"
else
  prefix=$work/prefix
  echo "--- install into $prefix"
  cmake --install "$build" --prefix "$prefix" >"$work/install.log"
fi
for f in include/qel/qel/qel.h include/qel/gauges/QEL_Meter.h include/qel/qel.h include/qel/version.h \
         share/doc/qel/LICENSE; do
  [ -f "$prefix/$f" ] || { echo "FAIL: $f was not installed"; exit 1; }
done

echo "--- find_package(qel)"
# What a careful adopter compiles with: our headers must add no warning.
strict="-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Woverloaded-virtual -Werror"
cmake -S "$here" -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_CXX_FLAGS="$flags $strict" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER=ccache} >"$work/cmake.log"
cmake --build "$work/cmake" >>"$work/cmake.log"
"$work/cmake/qel-consumer"

echo "--- pkg-config qel"
pc_dir=$(dirname "$(find "$prefix" -name qel.pc | head -n 1)")
libdir=$(dirname "$pc_dir")
# A shared qel is found where it was installed, as ldconfig would find it in /usr.
export LD_LIBRARY_PATH="$libdir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
# Plain flags, as a user would write them: the file lists every library needed.
pc_flags=$(PKG_CONFIG_PATH="$pc_dir" pkg-config --cflags --libs qel)
# shellcheck disable=SC2086  # the flags are words
"${launcher[@]}" "$cxx" -std=c++20 -O1 $flags $strict "$here/main.cpp" -o "$work/qel-consumer-pc" $pc_flags
"$work/qel-consumer-pc"

echo "--- only <prefix>/include on the path"
deps=$(pkg-config --cflags --libs freetype2 fontconfig expat libpng libjpeg libpcre2-8)
# shellcheck disable=SC2086
"${launcher[@]}" "$cxx" -std=c++20 -O1 $flags $strict -I"$prefix/include" "$here/main.cpp" \
  -o "$work/qel-consumer-root" -L"$libdir" -lqel $deps
"$work/qel-consumer-root"

echo "--- C++17 is refused with a plain message"
if "$cxx" -std=c++17 -fsyntax-only -I"$prefix/include" "$here/main.cpp" 2>"$work/cxx17.log"; then
  echo "FAIL: a C++17 compile went through"; exit 1
fi
grep -m1 "error" "$work/cxx17.log" | grep -q "libqel needs C++20" ||
  { echo "FAIL: the first error is not ours:"; grep -m1 error "$work/cxx17.log"; exit 1; }

echo "--- the static library inside a shared plugin"
printf '#include <qel/qel.h>\nextern "C" double plugin_value() { qel::TForm f(nullptr); return f.GetWidth(); }\n' \
  >"$work/plugin.cpp"
# shellcheck disable=SC2086
"${launcher[@]}" "$cxx" -std=c++20 -O1 $flags -shared -fPIC "$work/plugin.cpp" -o "$work/libplugin.so" $pc_flags

if [ -f "$pc_dir/qel-sdl.pc" ]; then
  echo "--- pkg-config qel-sdl"
  printf '#include <qel/sdl.h>\nint main(int c, char**) { if (c > 5) qel::InstallSdlHost(); return 0; }\n' >"$work/sdl.cpp"
  sdl_flags=$(PKG_CONFIG_PATH="$pc_dir" pkg-config --cflags --libs qel-sdl)
  # shellcheck disable=SC2086
  "${launcher[@]}" "$cxx" -std=c++20 -O1 $flags $strict "$work/sdl.cpp" -o "$work/qel-consumer-sdl" $sdl_flags
  "$work/qel-consumer-sdl"
fi
echo "PASS: the consumers built against $prefix and ran"
