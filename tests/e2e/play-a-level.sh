#!/usr/bin/env bash
# Plays the real game under a virtual display: the start screen, Enter, a
# decryption, a won level showing "Success", Enter again for a new level,
# and Esc. Then a DATA without maps: Enter ends the game with status 1 after
# its normal shutdown. Every wait is for a condition, with a time limit.
# Usage: play-a-level.sh RUN_FOLDER
set -u
run_folder=$(cd "$1" && pwd)
skip=77
command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v import >/dev/null || exit $skip

work=$(mktemp -d)
game=
xvfb=
. "$(dirname "$0")/../../tools/virtual-display.sh"
# Waits for the display server to go, so the next run can have its display.
trap 'kill "$game" "$xvfb" 2>/dev/null; wait; rm -rf "$work"' EXIT
link_run_folder "$run_folder"

write_short_map "$work/DATA"

fail() { echo "FAIL: $*"; echo "--- game output:"; cat "$work/out.txt"; exit 1; }

start_display
cd "$work"
./vexarift >out.txt 2>&1 &
game=$!
window=""
wait_for 20 find_window || fail "no game window"

# White pixels in a screen area, as a fraction: the title texts are white.
white_in() {
	import -window "$window" "$work/shot.png" 2>/dev/null &&
		convert "$work/shot.png" -crop "$1" +repage -fill black +opaque white -fill white -opaque white \
			-colorspace gray -format "%[fx:mean]" info:
}
shows_white() { local w; w=$(white_in "$1") && awk -v w="$w" 'BEGIN { exit !(w > 0.05) }'; }
output_has() { grep -q -- "$1" "$work/out.txt"; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

wait_for 20 shows_white 500x80+110+300 || fail "start screen hints not shown"
xdotool key --window "$window" Return
wait_for 20 output_has "Loaded 1 maps" || fail "no level after Enter"

click 32 32
wait_for 20 output_has "Found path, length: 1" || fail "decryption gave no distance"
# Decrypt the System Core, then three attacks hack it: events keep their order.
for click_number in 1 2 3 4; do
	click 160 32
done
wait_for 20 shows_white 600x140+100+50 || fail "no Success title after hacking the System Core"

xdotool key --window "$window" Return
wait_for 20 bash -c "[ \$(grep -c 'Loaded 1 maps' '$work/out.txt') -ge 2 ]" || fail "no new level after Enter on the end screen"

xdotool key --window "$window" Escape
wait_for 20 bash -c "! kill -0 $game 2>/dev/null" || fail "game did not end on Esc"
wait "$game"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Esc"
output_has "Free font: 128 point riftsans_bold.otf" || fail "fonts not freed at exit"
echo "played a level to Success and back"

: > DATA
start_display
./vexarift >out.txt 2>&1 &
game=$!
wait_for 20 find_window || fail "no game window for the DATA without maps"
wait_for 20 shows_white 500x80+110+300 || fail "start screen hints not shown"
xdotool key --window "$window" Return
wait_for 20 bash -c "! kill -0 $game 2>/dev/null" || fail "game did not end without maps"
wait "$game"
status=$?
[ "$status" -eq 1 ] || fail "exit status $status without maps"
output_has "No map could be read from DATA" || fail "no message naming DATA"
output_has "Free font: 128 point riftsans_bold.otf" || fail "no normal shutdown without maps"
echo "a DATA without maps ends the game with status 1"
