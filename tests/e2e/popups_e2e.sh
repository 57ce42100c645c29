#!/usr/bin/env bash
# Popups in a real (virtual) X server with no window manager, driven by real
# X input: after a popup menu closes (by Escape or by a pick) the gallery
# window has the keyboard again, and a click in the window takes the keyboard
# back from nowhere.
# Usage: popups_e2e.sh QEL-GALLERY QEL-E2E-X11 OUTPUT-DIR
set -euo pipefail

if [ "${1:-}" != --inside ]; then
  [ $# -eq 3 ] || { echo "usage: $0 QEL-GALLERY QEL-E2E-X11 OUTPUT-DIR" >&2; exit 2; }
  mkdir -p "$3"
  exec timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside "$@"
fi
gallery=$2 x11=$3 out=$4
fail=0

# Waits up to two seconds for the keyboard to be with WINDOW.
expect_focus() {  # $1 what just happened
  local seen=""
  for _ in $(seq 20); do
    seen=$("$x11" focus)
    [ "$seen" = "$window" ] && { echo "focus: with the gallery $1"; return 0; }
    sleep 0.1
  done
  echo "FAIL: $1, the keyboard is with window $seen, not the gallery's $window"
  fail=1
}

# Waits up to two seconds for a window other than the gallery's to be mapped.
popup_shown() {
  for _ in $(seq 20); do
    [ "$(xdotool search --onlyvisible --class qel-gallery | wc -l)" -ge 2 ] && return 0
    sleep 0.1
  done
  echo "FAIL: no popup window appeared"
  fail=1
}

export LSAN_OPTIONS="suppressions=$(dirname "$0")/../../scripts/lsan.supp:print_suppressions=0"
"$gallery" >"$out/popups-stdout.txt" 2>"$out/popups-stderr.txt" &
pid=$!
window=$(xdotool search --sync --onlyvisible --name "libqel gallery" | head -n 1)

# The table editor page, through the page search box.
xdotool mousemove --window "$window" 60 12 click 1
xdotool type --delay 30 "Table editor"
xdotool mousemove --window "$window" 40 33 click 1
sleep 0.5
expect_focus "on the table editor page"

# A cell's popup menu, closed by Escape.
xdotool mousemove --window "$window" 450 250 click 3
popup_shown
xdotool key Escape
expect_focus "after Escape closed the popup menu"

# Again, closed by picking "Select All" (the popup's row under the pointer).
xdotool mousemove --window "$window" 450 250 click 3
popup_shown
xdotool mousemove --window "$window" 500 462 click 1
expect_focus "after an item of the popup menu was picked"

# The keyboard with no window: a click in the form brings it back.
"$x11" unfocus
[ "$("$x11" focus)" = 0 ] || { echo "FAIL: could not take the keyboard away"; fail=1; }
xdotool mousemove --window "$window" 600 600 click 1
expect_focus "after a click in the window"

kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
if [ -s "$out/popups-stderr.txt" ]; then echo "--- gallery errors"; cat "$out/popups-stderr.txt"; fi
[ "$fail" -eq 0 ] && echo "PASS"
exit "$fail"
