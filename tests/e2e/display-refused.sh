#!/usr/bin/env bash
# An X server that refuses the game's first connection and takes the next:
# the game tries once more after a moment and opens its window. One that
# refuses every connection: the game exits 1 within 2 s naming the display.
# Usage: display-refused.sh RUN_FOLDER
set -u
run_folder=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
skip=77
command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v python3 >/dev/null || exit $skip

work=$(mktemp -d)
game=
xvfb=
proxy=
. "$here/../../tools/virtual-display.sh"
trap 'kill -9 "$game" 2>/dev/null; kill "$proxy" "$xvfb" 2>/dev/null; wait; rm -rf "$work"' EXIT
link_run_folder "$run_folder"
cp "$run_folder/DATA" "$work/DATA"
cd "$work"

fail() { echo "FAIL: $*"; echo "--- game output:"; cat "$work/out.txt"; echo "--- display:"; cat "$work/display.log"; exit 1; }

start_display
real=$DISPLAY
# The refusing display takes a number no server holds.
number=94
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done

# $1: connections refused (-1: all).
start_refusing() {
	[ -n "$proxy" ] && { kill "$proxy"; wait "$proxy" 2>/dev/null; }
	: >display.log
	"$here/refusing-display.py" "/tmp/.X11-unix/X$number" "/tmp/.X11-unix/X${real#:}" "$1" display.log &
	proxy=$!
	wait_for 10 grep -q listening display.log || fail "the refusing display did not start"
}

has_ended() { ! kill -0 "$game" 2>/dev/null; }
start_game() {
	env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=":$number" SDL_AUDIODRIVER=dummy ./vexarift >out.txt 2>&1 &
	game=$!
}

start_refusing 1
start_game
wait_for 20 find_window || fail "refused once: no game window on the display after it"
grep -q refused display.log || fail "refused once: the game's first connection was not refused"
grep -q passed display.log || fail "refused once: no connection after the refusal"
kill "$game"
wait "$game"
game=
echo "refused once: the game tried again and opened its window"

start_refusing -1
started=$SECONDS
start_game
wait_for 3 has_ended || fail "refused always: still running after 3 s"
wait "$game"
status=$?
game=
[ $((SECONDS - started)) -le 2 ] || fail "refused always: took $((SECONDS - started)) s to end"
[ "$status" -eq 1 ] || fail "refused always: exit status $status"
grep -q "^Unable to init SDL: no display could be reached at the X display \":$number\"" out.txt ||
	fail "refused always: no line naming the display"
[ "$(grep -c refused display.log)" -ge 2 ] || fail "refused always: the game did not try again"
echo "refused always: the game exited 1 naming the display :$number"
