#!/usr/bin/env bash
# The gallery in a real (virtual) X server, driven by real X input: selects
# the Basics page, clicks into the echo box, types "hello", closes the window
# as a window manager would, and checks what the box heard.
# Usage: gallery_e2e.sh QEL-GALLERY QEL-E2E-CLOSE OUTPUT-DIR
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  [ $# -eq 3 ] || { echo "usage: $0 QEL-GALLERY QEL-E2E-CLOSE OUTPUT-DIR" >&2; exit 2; }
  mkdir -p "$3"
  # Nothing here may hang the test run.
  exec timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside "$@"
fi
gallery=$2 closer=$3 out=$4
rm -f "$out/stdout.txt" "$out/stderr.txt" "$out/last-frame.png"

# X libraries keep a few allocations for the life of the process.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
QEL_GALLERY_ECHO=1 QEL_GALLERY_SCREENSHOT="$out/last-frame.png" \
  "$gallery" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!

window=$(xdotool search --sync --onlyvisible --name "libqel gallery" | head -n 1)
echo "window $window: $(xdotool getwindowname "$window")"
# "Basics" is the second row of the page list.
xdotool mousemove --window "$window" 40 33 click 1
sleep 0.5
echo "after selecting: $(xdotool getwindowname "$window")"
# The echo box: panel at x = 170, box at (16, 36) in it, 300 x 52.
xdotool mousemove --window "$window" 300 60 click 1
sleep 0.3
xdotool type --delay 40 hello
sleep 0.5
"$closer" "$window"
status=0
wait "$pid" || status=$?

echo "--- gallery output (exit status $status)"
cat "$out/stdout.txt"
[ -s "$out/stderr.txt" ] && { echo "--- gallery errors"; cat "$out/stderr.txt"; }
fail=0
[ "$status" -eq 0 ] || { echo "FAIL: the gallery exited with $status"; fail=1; }
grep -qx "echo: click 1" "$out/stdout.txt" || { echo "FAIL: the click did not arrive"; fail=1; }
grep -qx "echo: text hello" "$out/stdout.txt" || { echo "FAIL: the text did not arrive"; fail=1; }
[ -s "$out/last-frame.png" ] || { echo "FAIL: no last frame saved"; fail=1; }
[ "$fail" -eq 0 ] && echo "PASS: last frame in $out/last-frame.png"
exit "$fail"
