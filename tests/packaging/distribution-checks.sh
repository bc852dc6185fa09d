#!/usr/bin/env bash
# Holds the Debian package to what a distribution checks: tools/build-deb
# run in two folders gives the same .deb byte for byte; lintian (every tag,
# pedantic ones too) finds no error or warning, and each tag it still gives
# is said in docs/PACKAGING.md; hardening-check passes every program; the
# AppStream metadata validates. Skipped when a checker is not installed.
# Usage: distribution-checks.sh SOURCE_FOLDER
set -u
root=$(cd "$1" && pwd)
skip=77
for checker in lintian hardening-check appstream-util dpkg-buildflags dpkg-parsechangelog; do
	command -v "$checker" >/dev/null || { echo "SKIP: $checker is not installed (tools/install-deps installs it)"; exit $skip; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

for name in first second; do
	"$root/tools/build-deb" "$work/$name-build" "$work/$name" >"$work/$name.log" 2>&1 ||
		{ tail -30 "$work/$name.log"; fail "tools/build-deb failed in $name"; }
done
debs=("$work"/first/*.deb)
deb=${debs[0]}
cmp "$deb" "$work/second/${deb##*/}" || fail "two builds gave different packages"
echo "two builds from two folders: the same ${deb##*/}"

lintian -E -I --pedantic "$deb" >"$work/lintian.txt" 2>&1
grep -E '^[EW]: ' "$work/lintian.txt" && fail "lintian errors or warnings"
while read -r _ _ tag _; do
	grep -q -- "\`$tag\`" "$root/docs/PACKAGING.md" || fail "lintian's $tag is not said in docs/PACKAGING.md"
done < <(grep -E '^[IPX]: ' "$work/lintian.txt")
echo "lintian: no error or warning; $(grep -cE '^[IPX]: ' "$work/lintian.txt") other tags, each in docs/PACKAGING.md"

unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
# Debian 12's own start files (Scrt1.o, crti.o, crtn.o) carry no IBT or
# shadow stack mark, and crti.o's _init, which the loader calls through a
# pointer, has no IBT landing pad: the linker marks a program only when every
# part has the mark, and forcing it would claim what the code lacks.
start_files_marked=yes
for file in Scrt1.o crti.o crtn.o; do
	readelf -n "/usr/lib/x86_64-linux-gnu/$file" 2>/dev/null | grep -q "x86 feature: IBT, SHSTK" || start_files_marked=no
done
# hardening-check knows stack clash protection only by the probing loop of a
# stack allocation sized at run time, which C++ has none of. A fixed frame of
# a page or more is probed one "or [rsp],0x0" after each page, written out or
# in a loop of another shape, neither of which it knows; every such frame
# must be probed so.
unprobed_frames() {
	objdump -d --no-show-raw-insn -M intel "$1" | awk '
		function value(hex, i, n) {
			for (i = 3; i <= length(hex); ++i) n = n * 16 + index("0123456789abcdef", substr(hex, i, 1)) - 1
			return n
		}
		probe { if ($0 !~ /or +QWORD PTR \[rsp\],0x0/) print last; probe = 0 }
		/sub +rsp,0x[0-9a-f]+$/ {
			size = $0
			sub(/.*rsp,/, "", size)
			# Sixteen digits: a negative number, a frame given back.
			if (length(size) <= 10 && value(size) >= 4096) { probe = 1; last = $0 }
		}'
}
for program in "$unpacked"/usr/games/* "$unpacked"/usr/libexec/vexarift/vexarift; do
	# The launcher in /usr/games is a script.
	head -c 4 "$program" | grep -q ELF || continue
	hardening-check "$program" >"$work/hardening.txt" 2>&1
	while IFS= read -r line; do
		case "$line" in
			*": yes"*) ;;
			" Stack clash protection: unknown, no -fstack-clash-protection instructions found")
				unprobed=$(unprobed_frames "$program")
				[ -z "$unprobed" ] || fail "${program##*/}: a frame of a page or more without a probe: $unprobed" ;;
			" Control flow integrity: no, not found!") [ "$start_files_marked" = no ] || fail "${program##*/}: $line" ;;
			*) fail "${program##*/}:$line" ;;
		esac
	done < <(tail -n +2 "$work/hardening.txt")
done
echo "hardening-check: every program passes (every frame of a page or more probed; control flow integrity as far as Debian's start files allow: $start_files_marked)"

appstream-util validate --nonet "$unpacked"/usr/share/metainfo/*.metainfo.xml || fail "AppStream metadata not valid"
