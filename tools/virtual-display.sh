# Shell functions for running the real game under a virtual X display,
# sourced by the end-to-end tests and tools/screenshots. The caller sets
# work (a folder of its own), xvfb (empty at first) and game (the game's
# process), and defines fail.

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
	local limit=$1; shift
	local deadline=$((SECONDS + limit))
	until "$@"; do
		[ $SECONDS -ge $deadline ] && return 1
		sleep 0.1
	done
}

# A display of its own, ending the one started before, so no key left
# pressed by an earlier game can reach the next. Xvfb picks a free display
# and writes its number once it is ready. Without -noreset the server resets
# whenever its last client leaves, and a game connecting during that reset
# finds no display. $1, when given, is the screen's size (WIDTHxHEIGHT).
start_display() {
	if [ -n "$xvfb" ]; then kill "$xvfb"; wait "$xvfb"; fi
	rm -f "$work/display"
	Xvfb -displayfd 3 -noreset -screen 0 "${1:-1400x800}x24" -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
	xvfb=$!
	wait_for 20 test -s "$work/display" || fail "no virtual display"
	export DISPLAY=":$(head -n 1 "$work/display")"
	wait_for 20 xdpyinfo >/dev/null 2>&1 || fail "no virtual display"
}

# Links the run folder's pictures, fonts and programs into the work folder;
# the caller writes its own DATA there, and the game its LastRun.
link_run_folder() {
	local f
	for f in "$1"/*; do
		case "$(basename "$f")" in DATA|LastRun) ;; *) ln -s "$f" "$work/" ;; esac
	done
}

# One short map into the file: the start node at the top left and the System
# Core beside it, so one click decrypts and one more wins.
write_short_map() {
	{
		echo MAP
		echo "HACKED SYSTEM_CORE EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY"
		for _ in 1 2 3 4 5 6 7 8; do echo "EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY"; done
		echo 0
		echo 0
	} > "$1"
}

# The game's own mapped window, not one it made and replaced while starting.
find_window() {
	window=$(xdotool search --onlyvisible --pid "$game" --name "^Vexa Rift" 2>/dev/null | tail -n 1)
	[ -n "$window" ]
}
