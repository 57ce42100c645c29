#!/usr/bin/env bash
# The gallery in a real (virtual) X server, driven by real X input: selects
# the Basics page, clicks into the echo box, types "hello", corrects it with
# Backspace and Ctrl+H, resizes the window and closes it as a window manager
# would, and checks what the box heard and what the screen showed.
# Usage: gallery_e2e.sh QEL-GALLERY QEL-E2E-X11 OUTPUT-DIR
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  [ $# -eq 3 ] || { echo "usage: $0 QEL-GALLERY QEL-E2E-X11 OUTPUT-DIR" >&2; exit 2; }
  mkdir -p "$3"
  # Nothing here may hang the test run.
  exec timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside "$@"
fi
gallery=$2 x11=$3 out=$4
rm -f "$out/stdout.txt" "$out/stderr.txt" "$out/last-frame.png"
fail=0

# Waits up to two seconds for the screen to show COLOUR at (X, Y) of the window.
expect_pixel() {  # $1 x, $2 y, $3 RRGGBB, $4 what it means
  local seen=""
  for _ in $(seq 20); do
    seen=$("$x11" pixel "$window" "$1" "$2") || true
    [ "$seen" = "$3" ] && { echo "screen: $4 ($3 at $1,$2)"; return 0; }
    sleep 0.1
  done
  echo "FAIL: $4: expected $3 at $1,$2 on screen, saw $seen"
  fail=1
}

# Under the sanitizer build: system libraries' lifelong allocations are no leaks of ours.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../../scripts/lsan.supp:print_suppressions=0"
QEL_GALLERY_ECHO=1 QEL_GALLERY_SCREENSHOT="$out/last-frame.png" \
  "$gallery" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!

window=$(xdotool search --sync --onlyvisible --name "libqel gallery" | head -n 1)
echo "window $window: $(xdotool getwindowname "$window")"
# "Basics" is the second row of the page list, which starts under the
# 24-pixel search field.
xdotool mousemove --window "$window" 40 57 click 1
sleep 0.5
echo "after the click on row 2: $(xdotool getwindowname "$window")"
# The echo box: panel at (170, 24) under the hint strip, box at (16, 36)
# in it, 300 x 52; white until it has the focus, then light yellow.
expect_pixel 470 69 FFFFFF "the echo box is shown"
xdotool mousemove --window "$window" 300 84 click 1
expect_pixel 470 69 FFFFE6 "the echo box has the focus"
xdotool type --delay 40 hello
xdotool key BackSpace
xdotool type o
# Ctrl+H types the backspace character and no 'h'.
xdotool key ctrl+h
xdotool type o
# A window manager's resize: the form follows (checked on the last frame).
xdotool windowsize "$window" 1100 720
sleep 0.5
"$x11" close "$window"
status=0
wait "$pid" || status=$?

echo "--- gallery output (exit status $status)"
cat "$out/stdout.txt"
if [ -s "$out/stderr.txt" ]; then echo "--- gallery errors"; cat "$out/stderr.txt"; fi
expected=$(echo 'echo: click 1'; printf 'echo: text %s\n' h he hel hell hello hell hello hell hello)
[ "$status" -eq 0 ] || { echo "FAIL: the gallery exited with $status"; fail=1; }
[ "$(cat "$out/stdout.txt")" = "$expected" ] || { echo "FAIL: the echo box heard something else than:"; echo "$expected"; fail=1; }
# The last frame is as large as the window was made (PNG: width, height at byte 16).
size=$(od -An -tu1 -j16 -N8 "$out/last-frame.png" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')
[ "$size" = 1100x720 ] || { echo "FAIL: the last frame is ${size:-missing}, not 1100x720"; fail=1; }
[ "$fail" -eq 0 ] && echo "PASS: last frame in $out/last-frame.png"
exit "$fail"
