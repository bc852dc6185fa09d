#!/usr/bin/env bash
# Plays the real game in a window of another size and in full screen, under
# a virtual display with a window manager (full screen is the window
# manager's to grant). The window is resized to 2010 x 1080, where the frame
# is 1.5 times as large between bars of 45 pixels left and right; F11 makes
# it full screen on a 2560 x 1600 screen, twice as large between bars of 80
# pixels above and below; Alt+Enter brings the window back. At each size a
# click on the start node's scaled place decrypts it ("Found path"), and a
# click on the bar just beside that node does nothing: SDL alone would
# round it onto the frame's edge. Enter, which restarts the level, marks
# where in the game's input each check stands. Every wait is for a
# condition, with a time limit.
# Usage: scaled-window.sh RUN_FOLDER [VARIABLE=VALUE...]  (the game's environment)
set -u
run_folder=$(cd "$1" && pwd)
shift
skip=77
for tool in Xvfb xdotool xwininfo import evilwm; do command -v $tool >/dev/null || exit $skip; done

work=$(mktemp -d)
game=
xvfb=
wm=
. "$(dirname "$0")/../../tools/virtual-display.sh"
trap 'kill "$game" "$wm" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait; rm -rf "$work"' EXIT
link_run_folder "$run_folder"

write_short_map "$work/DATA"
cd "$work"

fail() { echo "FAIL: $*"; echo "--- game output:"; cat "$work/out.txt"; exit 1; }
count() { grep -c -- "$1" out.txt; }
counted() { [ "$(count "$1")" -ge "$2" ]; }
window_is() { local g; g=$(xwininfo -id "$window" 2>/dev/null) &&
	[ "$(awk '/^ *Width:/ {print $2}' <<<"$g")x$(awk '/^ *Height:/ {print $2}' <<<"$g")" = "$1" ]; }
# White pixels in a screen area, as a fraction: the start screen's hints are white.
white_in() {
	import -window "$window" "$work/shot.png" 2>/dev/null &&
		convert "$work/shot.png" -crop "$1" +repage -fill black +opaque white -fill white -opaque white \
			-colorspace gray -format "%[fx:mean]" info:
}
shows_white() { local w; w=$(white_in "$1") && awk -v w="$w" 'BEGIN { exit !(w > 0.05) }'; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
key() { xdotool key --window "$window" "$1"; }
loaded="Loaded 1 maps"
found="Found path, length: 1"
# Enter restarts the level; once its line is out, all input before it is served.
restart() { key Return; wait_for 20 counted "$loaded" "$1" || fail "no level restart ($1) after Enter"; }

start_display 2560x1600
evilwm -fn fixed >/dev/null 2>&1 &
wm=$!
env "$@" SDL_AUDIODRIVER=dummy ./vexarift >out.txt 2>&1 &
game=$!
window=""
wait_for 20 find_window || fail "no game window"
wait_for 20 window_is 1280x720 || fail "the window does not open at 1280 x 720"
wait_for 20 shows_white 500x80+110+300 || fail "start screen hints not shown"
levels=1
restart $levels

xdotool windowsize "$window" 2010 1080
wait_for 20 window_is 2010x1080 || fail "the window was not resized"
click 44 32
restart $((levels += 1))
[ "$(count "$found")" = 0 ] || fail "a click on the bar beside the frame reached the level"
click $((45 + 48)) 48
wait_for 20 counted "$found" 1 || fail "a click on the start node at 1.5 times gave no distance"

key F11
wait_for 20 find_window || fail "the window went away"
wait_for 20 window_is 2560x1600 || fail "F11 did not make the window full screen"
restart $((levels += 1))
click 64 79
restart $((levels += 1))
[ "$(count "$found")" = 1 ] || fail "a click on the bar above the frame reached the level"
click 64 $((80 + 64))
wait_for 20 counted "$found" 2 || fail "a click on the start node in full screen gave no distance"

key alt+Return
wait_for 20 window_is 2010x1080 || fail "Alt+Enter did not leave full screen"
restart $((levels += 1))
click $((45 + 48)) 48
wait_for 20 counted "$found" 3 || fail "a click on the start node back in the window gave no distance"
[ "$(count "$loaded")" = "$levels" ] || fail "Alt+Enter reached the level as Enter"

key Escape
wait_for 20 bash -c "! kill -0 $game 2>/dev/null" || fail "game did not end on Esc"
wait "$game"
status=$?
game=
[ "$status" -eq 0 ] || fail "exit status $status after Esc"
echo "the frame scales to the window and to full screen, clicks land on it and never from the bars"
