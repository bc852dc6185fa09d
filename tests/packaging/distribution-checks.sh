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
# Debian 12's own start files (crt1.o, crti.o) carry no IBT or shadow stack
# mark, and the linker marks a program only when every part has it: there
# the line cannot say yes unless a mark is forced that the code lacks.
crt_marked=yes
readelf -n /usr/lib/x86_64-linux-gnu/crt1.o 2>/dev/null | grep -q "x86 feature: IBT, SHSTK" || crt_marked=no
for program in "$unpacked"/usr/games/* "$unpacked"/usr/libexec/vexarift/vexarift; do
	hardening-check "$program" >"$work/hardening.txt" 2>&1
	while IFS= read -r line; do
		case "$line" in
			*": yes"*) ;;
			# No function has a frame large enough to need a probe.
			" Stack clash protection: unknown, no -fstack-clash-protection instructions found") ;;
			" Control flow integrity: no, not found!") [ "$crt_marked" = no ] || fail "${program##*/}: $line" ;;
			*) fail "${program##*/}:$line" ;;
		esac
	done < <(tail -n +2 "$work/hardening.txt")
done
echo "hardening-check: every program passes (control flow integrity as far as Debian's start files allow: $crt_marked)"

appstream-util validate --nonet "$unpacked"/usr/share/metainfo/*.metainfo.xml || fail "AppStream metadata not valid"
