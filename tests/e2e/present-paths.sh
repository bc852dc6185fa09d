#!/usr/bin/env bash
# Under Xvfb, whose OpenGL is only a software rasteriser, the game presents
# through the window's framebuffer and never loads that rasteriser; a
# player's SDL_RENDER_DRIVER=opengl still gets OpenGL. Both ways show the
# same pixels: the start screen and a level just started are grabbed from
# the window and compared pixel by pixel.
# Usage: present-paths.sh RUN_FOLDER
set -u
run_folder=$(cd "$1" && pwd)
skip=77
for tool in Xvfb xdotool import compare; do command -v $tool >/dev/null || exit $skip; done

work=$(mktemp -d)
game=
xvfb=
. "$(dirname "$0")/../../tools/virtual-display.sh"
trap 'kill "$game" 2>/dev/null; kill "$xvfb" 2>/dev/null; wait; rm -rf "$work"' EXIT
link_run_folder "$run_folder"
# One map, so the level starts the same way every time.
head -n 12 "$run_folder/DATA" > "$work/DATA"
cd "$work"

fail() { echo "FAIL: $*"; echo "--- game output:"; cat "$work/out.txt"; exit 1; }
output_has() { grep -q -- "$1" out.txt; }
has_ended() { ! kill -0 "$game" 2>/dev/null; }
# The software rasteriser and the LLVM it compiles with.
loads_software_gl() { grep -q -E 'swrast_dri|libLLVM' "/proc/$game/maps"; }
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1; }
# Finds the window anew: SDL replaces the first one it makes for OpenGL.
grab() { find_window && timeout 10 import -window "$window" "$1" 2>/dev/null; }

# The start screen's title glides in for two seconds and stays where its
# last step left it, a few pixels short of its end, differently from run to
# run: its area is blacked out. A picture that stays the same for a second
# has settled; the OpenGL game must then come to the very same picture.
title_area="rectangle 90,40 700,195"
grab_masked() {
	grab "$1" || return 1
	[ "$2" = start ] || return 0
	convert "$1" -fill black -draw "$title_area" "$1"
}
settled() {
	grab_masked "$1.before.png" "$2" || return 1
	sleep 1
	grab_masked "$1" "$2" || return 1
	[ "$(differing_pixels "$1.before.png" "$1")" = 0 ]
}
shows() { grab_masked "$work/now.png" "$2" && [ "$(differing_pixels "$1" "$work/now.png")" = 0 ]; }
# grab_settled SCREEN NAME: the screen as the game NAME shows it; the
# chosen way's picture, once there, must be matched.
grab_settled() {
	local reference="$1-chosen.png"
	if [ -e "$reference" ]; then
		wait_for 20 shows "$reference" "$1" && cp "$work/now.png" "$1-$2.png"
	else
		wait_for 30 settled "$1-$2.png" "$1"
	fi
}

# $1 names the grabs; the rest are environment settings for the game.
# Each game has a display of its own: no key the one before left pressed.
grab_screens() {
	local name=$1; shift
	start_display
	env "$@" SDL_AUDIODRIVER=dummy ./vexarift >out.txt 2>&1 &
	game=$!
	window=""
	wait_for 20 find_window || fail "$name: no game window"
	grab_settled start "$name" || fail "$name: the start screen differs or never settles"
	# Off the window, so no hover changes the level's panel.
	xdotool mousemove 1390 790
	xdotool key --window "$window" Return
	wait_for 20 output_has "Loaded 1 maps" || fail "$name: no level after Enter"
	grab_settled level "$name" || fail "$name: the level differs or never settles"
	if [ "$name" = opengl ]; then
		loads_software_gl || fail "SDL_RENDER_DRIVER=opengl did not give OpenGL"
	else
		loads_software_gl && fail "the software rasteriser was loaded under Xvfb"
	fi
	xdotool key --window "$window" Escape
	wait_for 20 has_ended || fail "$name: the game did not end on Esc"
	wait "$game"
	game=
}

grab_screens chosen
grab_screens opengl SDL_RENDER_DRIVER=opengl
echo "both ways of presenting show the same start screen and level, and Xvfb gets no software OpenGL"
