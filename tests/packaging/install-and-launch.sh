#!/usr/bin/env bash
# Installs the game under a prefix with a blank in its name and plays the
# player's part: the launcher with a fresh HOME under a virtual display;
# again after the player edited DATA, with a link left by an older install,
# from a prefix moved elsewhere; and with a data
# folder that cannot be made. The install tree must come out unchanged.
# Every wait is for a condition, with a time limit.
# Usage: install-and-launch.sh BUILD_FOLDER CMAKE
set -u
build=$(cd "$1" && pwd)
cmake=$2
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "Xvfb or xdotool missing: skipping"; exit 77; }

work=$(mktemp -d)
game=
xvfb=
trap 'kill $game $xvfb 2>/dev/null; wait; rm -rf "$work"' EXIT

fail() {
	echo "FAIL: $*"
	if [ -f "$work/out.txt" ]; then echo "--- launcher output:"; cat "$work/out.txt"; fi
	exit 1
}

. "$(dirname "$0")/../../tools/virtual-display.sh"

prefix="$work/install prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install failed"; }
# The whole install tree: names, kinds, modes, link targets and contents.
snapshot() {
	(cd "$1" && find . -printf '%p %y %m %l\n' | sort && find . -type f -exec md5sum {} + | sort)
}
snapshot "$prefix" >"$work/installed.txt"
shipped="$prefix/share/games/vexarift"
maps=$(grep -c '^MAP$' "$shipped/DATA")

export SDL_AUDIODRIVER=dummy

output_has() { grep -q -- "$1" "$work/out.txt"; }
# Starts the launcher, waits for the game's window (the launcher becomes the
# game), starts a level and quits with Esc. Each game has a display of its
# own: xdotool can leave Esc pressed on the display when the game it pressed
# it for is gone before the release, and the next game would take it.
play() {
	start_display
	"$1" >"$work/out.txt" 2>&1 &
	game=$!
	window=
	wait_for 20 find_window || fail "no game window from $1"
	xdotool key --window "$window" Return
	wait_for 20 output_has "Loaded $2 maps" || fail "no level with $2 maps"
	xdotool key --window "$window" Escape
	wait_for 20 bash -c "! kill -0 $game 2>/dev/null" || fail "game did not end on Esc"
	wait "$game"
	local status=$?
	game=
	[ "$status" -eq 0 ] || fail "exit status $status"
}

# Every installed picture and font is linked from the player's folder.
check_links() {
	for source in "$1"/*; do
		name=${source##*/}
		[ "$name" = DATA ] && continue
		[ -L "$folder/$name" ] && [ "$folder/$name" -ef "$source" ] || fail "$name is not linked to $source"
	done
}

export HOME="$work/player home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
folder="$HOME/.local/share/vexarift"
play "$prefix/bin/vexarift" "$maps"
check_links "$shipped"
[ -f "$folder/DATA" ] && [ ! -L "$folder/DATA" ] && cmp -s "$folder/DATA" "$shipped/DATA" || fail "DATA not copied"
[ -f "$folder/LastRun" ] || fail "LastRun not written in the player's folder"
echo "first start: links, DATA and LastRun in $folder"

# The player's own maps, and a link into an install long gone.
write_short_map "$folder/DATA"
cp "$folder/DATA" "$work/edited-DATA"
ln -sfn "$work/old prefix/share/games/vexarift/StartMenu.jpg" "$folder/StartMenu.jpg"
moved="$work/moved prefix"
mv "$prefix" "$moved"
play "$moved/bin/vexarift" 1
check_links "$moved/share/games/vexarift"
cmp -s "$folder/DATA" "$work/edited-DATA" || fail "the player's DATA was not kept"
echo "moved install: edited DATA kept, old link renewed"

# A folder that cannot be made: a plain file stands where it should be.
: >"$work/plain file"
XDG_DATA_HOME="$work/plain file" "$moved/bin/vexarift" >"$work/out.txt" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "exit status $status when the folder cannot be made"
output_has "cannot prepare $work/plain file/vexarift" || fail "no message naming the folder"
output_has "Loading font" && fail "the game started without its folder"
echo "a folder that cannot be made is named, and the game does not start"

snapshot "$moved" | diff "$work/installed.txt" - || fail "the install tree changed"
echo "the install tree is unchanged"
