#!/usr/bin/env bash
# Kills the X server under a running game: the game must end within a few
# seconds with status 1 and say why, instead of spinning for ever in its exit
# handlers. Once on the way the game presents by itself, once on OpenGL, as
# a player can ask for with SDL_RENDER_DRIVER.
# Usage: display-lost.sh RUN_FOLDER
set -u
run_folder=$(cd "$1" && pwd)
skip=77
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || exit $skip

work=$(mktemp -d)
game=
xvfb=
. "$(dirname "$0")/../../tools/virtual-display.sh"
trap 'kill -9 "$game" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait; rm -rf "$work"' EXIT
link_run_folder "$run_folder"
cp "$run_folder/DATA" "$work/DATA"
cd "$work"

fail() { echo "FAIL: $*"; echo "--- game output:"; cat "$work/out.txt"; exit 1; }
has_ended() { ! kill -0 "$game" 2>/dev/null; }

# $1 names the case; the rest are environment settings for the game.
lose_display() {
	local name=$1; shift
	start_display
	env "$@" SDL_AUDIODRIVER=dummy ./vexarift >out.txt 2>&1 &
	game=$!
	window=""
	wait_for 20 find_window || fail "$name: no game window"
	kill "$xvfb"
	wait "$xvfb"
	xvfb=
	wait_for 5 has_ended || fail "$name: still running 5 s after its display went away"
	wait "$game"
	local status=$?
	game=
	[ "$status" -eq 1 ] || fail "$name: exit status $status"
	grep -q "^Lost the connection to the X display" out.txt || fail "$name: no line saying why"
	echo "$name: the game ended with status 1 when its display went away"
}

lose_display "chosen presentation"
lose_display "OpenGL" SDL_RENDER_DRIVER=opengl
