#!/usr/bin/env bash
# The installed launcher's choices of maps, its upgrades of the player's
# DATA and the faults it must survive. The game is stood in for by a script
# that notes where it was started, so no display is needed; the real game is
# started by install-and-launch.sh.
# Usage: launcher-choices.sh BUILD_FOLDER CMAKE
set -u
build=$(cd "$1" && pwd)
cmake=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
	echo "FAIL: $*"
	if [ -f "$work/err.txt" ]; then echo "--- launcher's standard error:"; cat "$work/err.txt"; fi
	exit 1
}

prefix="$work/install prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install failed"; }
shipped="$prefix/share/games/vexarift"
maps="$prefix/bin/vexarift-maps"
launcher="$prefix/bin/vexarift"
# The stand-in game: the folder it plays in, and the DATA it would read.
cat >"$prefix/libexec/vexarift/vexarift" <<'EOF'
#!/bin/sh
pwd -P >>"$GAME_LOG"
[ -f DATA ] && [ -e StartMenu.jpg ] || exit 3
EOF
chmod +x "$prefix/libexec/vexarift/vexarift"
export GAME_LOG="$work/game.log"

export HOME="$work/home"
unset XDG_DATA_HOME
folder="$HOME/.local/share/vexarift"

# launch ARGS...: the status, with standard error in err.txt.
launch() {
	: >"$GAME_LOG"
	"$launcher" "$@" >"$work/out.txt" 2>"$work/err.txt"
}
started_in() { [ "$(cat "$GAME_LOG")" = "$(cd "$1" && pwd -P)" ]; }
said() { grep -q -- "$1" "$work/err.txt"; }
map_count() { grep -c '^MAP$' "$1"; }

# The launcher knows the maps it installs now as a release's, so the next
# release can tell them from the player's own.
grep -qx "$(sha256sum <"$build/game/DATA" | cut -d' ' -f1)" "$(dirname "$0")/../../packaging/earlier-maps.sha256" ||
	fail "the digest of assets/DATA is missing from packaging/earlier-maps.sha256"

# Choices.
launch || fail "first start"
started_in "$folder" && cmp -s "$folder/DATA" "$shipped/DATA" || fail "the first start did not play the shipped maps"
printf 'MAP\n' >>"$folder/DATA"
cp "$folder/DATA" "$work/own"
for grade in easy normal hard; do
	launch --$grade || fail "--$grade"
	started_in "$folder/chosen/$grade" || fail "--$grade did not play in a folder of its own"
	"$maps" --pool $grade | cmp -s - "$folder/chosen/$grade/DATA" || fail "--$grade did not play the $grade maps"
	[ "$(map_count "$folder/chosen/$grade/DATA")" -eq "$("$maps" --list | grep -c " $grade ")" ] || fail "--$grade map count"
done
launch --daily || fail "--daily"
started_in "$folder/chosen/daily" && "$maps" --decode "$("$maps" --daily)" | cmp -s - "$folder/chosen/daily/DATA" ||
	fail "--daily did not play today's map"
code=$("$maps" --list | sed -n 9p | awk '{print $NF}')
launch --map "$code" || fail "--map"
started_in "$folder/chosen/map" && [ "$(map_count "$folder/chosen/map/DATA")" -eq 1 ] || fail "--map played elsewhere"
"$maps" --code "$folder/chosen/map/DATA" | grep -qx -- "$code" || fail "--map did not play the map of its code"
launch --all || fail "--all"
started_in "$folder/chosen/all" && cmp -s "$folder/chosen/all/DATA" "$shipped/DATA" || fail "--all did not play the installed maps"
cmp -s "$folder/DATA" "$work/own" || fail "a choice wrote the player's own DATA"
launch --maps && [ "$(wc -l <"$work/out.txt")" -eq 60 ] && [ ! -s "$GAME_LOG" ] || fail "--maps"
launch --help && grep -q -- '--daily' "$work/out.txt" || fail "--help"
for bad in --bogus "--map" "--easy --hard" "--map ${code%?}"; do
	# shellcheck disable=SC2086
	launch $bad
	status=$?
	[ "$status" -eq 2 ] && [ ! -s "$GAME_LOG" ] || fail "'$bad' gave status $status or started the game"
done
said "the map code is cut short" || fail "a bad code is not named"
echo "each choice plays its maps in a folder of its own; the player's DATA is untouched; bad options exit 2"

# Upgrades: a new release brings new maps.
upgrade() { "$maps" --pool "$1" >"$shipped/DATA"; }
rm -rf "$folder"
launch || fail "fresh start"
for grade in hard easy; do
	upgrade $grade
	launch && cmp -s "$folder/DATA" "$shipped/DATA" || fail "untouched DATA did not follow the upgrade to the $grade maps"
	said . && fail "an untouched DATA was talked about"
done
cp "$work/own" "$shipped/DATA"
launch && cmp -s "$folder/DATA" "$work/own" || fail "setup"
cp "$build/game/DATA" "$folder/DATA"
rm "$folder/.DATA.sha256"
launch && cmp -s "$folder/DATA" "$work/own" || fail "a DATA an earlier release installed did not take the new maps"
echo "a DATA the player never edited follows two upgrades, also from before the launcher kept a digest"

printf '\n\n' >>"$folder/DATA"
cp "$folder/DATA" "$work/edited"
for grade in normal hard; do
	upgrade $grade
	launch && cmp -s "$folder/DATA" "$work/edited" || fail "the edited DATA was not kept through the upgrade to $grade"
	said "vexarift --all" || fail "the player was not told of the new maps"
	launch && ! said . || fail "the player was told twice"
done
echo "an edited DATA is kept through two upgrades, told once each"

# Faults. Two first starts at once, again and again: both play whole maps.
for round in $(seq 20); do
	rm -rf "$folder"
	"$launcher" 2>"$work/err1.txt" &
	first=$!
	"$launcher" 2>"$work/err2.txt"
	second=$?
	wait $first
	[ $? -eq 0 ] && [ $second -eq 0 ] || { cat "$work/err1.txt" "$work/err2.txt"; fail "round $round: two first starts at once"; }
	cmp -s "$folder/DATA" "$shipped/DATA" || fail "round $round: DATA not whole"
	ls -A "$folder" | grep -E '^(DATA|\.DATA\.sha256|\.DATA\.noticed)\.' && fail "round $round: a partial copy is left"
done
echo "two first starts at once both play, and DATA is whole"

# A copy cut short leaves its partial file, which nothing takes for DATA.
rm -rf "$folder"
mkdir -p "$folder"
head -c 100 "$shipped/DATA" >"$folder/DATA.abc123"
launch && cmp -s "$folder/DATA" "$shipped/DATA" || fail "a copy left cut short was taken"

# An emptied DATA is the player's, and the launcher says how to get maps.
: >"$folder/DATA"
launch && [ ! -s "$folder/DATA" ] && said "holds no maps" && said "vexarift --all" || fail "an emptied DATA"

# The folders below need a fresh mount namespace (root, or a user namespace).
in_namespace() { unshare -m true 2>/dev/null && echo "unshare -m" || { unshare -rm true 2>/dev/null && echo "unshare -rm"; }; }
namespace=$(in_namespace)
if [ -z "$namespace" ]; then
	echo "no mount namespace here: the full disk and read-only folder cases are skipped"
	exit 0
fi
# A full disk during the first copy.
small="$work/small"
mkdir -p "$small"
$namespace sh -c '
	mount -t tmpfs -o size=32k tmpfs "$1" && head -c 24k /dev/zero >"$1/filler" 2>/dev/null
	XDG_DATA_HOME="$1" "$2" 2>"$3/err.txt"
	echo $? >"$3/status"
	ls -A "$1/vexarift" >"$3/left"' sh "$small" "$launcher" "$work"
[ "$(cat "$work/status")" -eq 1 ] && said "is full" || fail "a full disk was not named"
grep -q DATA "$work/left" && fail "a partial DATA was left on the full disk: $(cat "$work/left")"
echo "a full disk is named as such, and no partial file is left"

# A folder made read-only with DATA in it still plays.
cp "$shipped/DATA" "$folder/DATA"
launch || fail "setup"
$namespace sh -c '
	mount --bind "$1" "$1" && mount -o remount,ro,bind "$1" && "$2" 2>"$3/err.txt"
	echo $? >"$3/status"' sh "$folder" "$launcher" "$work"
[ "$(cat "$work/status")" -eq 0 ] && said "read-only" || fail "a read-only folder with DATA did not play"
[ "$(grep -c . "$work/err.txt")" -eq 1 ] || fail "a read-only folder was talked about more than once"
echo "a read-only folder plays, said once"
