#!/usr/bin/env bash
# Started where no display answers, the game must say so and exit 1 within
# 2 s, on every one of many starts, instead of playing on unseen.
# Usage: no-display.sh RUN_FOLDER [STARTS]
set -u
run_folder=$(cd "$1" && pwd)
starts=${2:-100}

# A display number no server holds.
number=93
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$run_folder" || exit 1
for ((i = 1; i <= starts; ++i)); do
	env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=":$number" SDL_AUDIODRIVER=dummy \
		timeout 2 ./vexarift >"$work/out.txt" 2>&1
	status=$?
	if [ "$status" -ne 1 ]; then
		echo "FAIL: start $i: exit status $status (124: still running after 2 s)"
		cat "$work/out.txt"
		exit 1
	fi
	if ! grep -q "^Unable to init SDL: no display could be reached at the X display \":$number\"" "$work/out.txt"; then
		echo "FAIL: start $i: no line naming the display"
		cat "$work/out.txt"
		exit 1
	fi
done
echo "$starts starts: each exited 1 within 2 s, naming the display :$number"
