#!/usr/bin/env bash
# Builds the Debian package the way a maintainer does (cpack -G DEB) into a
# folder of its own and checks what a player's system gets: one
# vexarift_<version>_amd64.deb, Depends from the programs' libraries and the
# font packages, every program, picture, map and desktop file at its place,
# valid desktop and AppStream files, no lintian error, and a launcher that
# starts the game from the package unpacked anywhere.
# Usage: debian-package.sh BUILD_FOLDER CPACK
set -u
build=$(cd "$1" && pwd)
cpack=$2
app=io.vexarift.VexaRift

work=$(mktemp -d)
game=
trap 'kill $game 2>/dev/null; wait; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/cpack.log" 2>&1 ||
	{ cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
[ "${deb##*/}" = "vexarift_${version}_amd64.deb" ] || fail "package named ${deb##*/}"
changelog_version=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/vexarift/changelog.gz | gunzip | sed -n '1s/.*(\(.*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "changelog says $changelog_version, the package $version"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in 'libc6 (>= ' 'libstdc++6 (>= ' 'libsdl2-2.0-0 (>= ' 'libsdl2-image-2.0-0 (>= ' 'libsdl2-ttf-2.0-0 (>= ' \
		fonts-play fonts-comfortaa; do
	[[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
echo "Depends: $depends"

dpkg-deb -c "$deb" >"$work/contents.txt"
has() { grep -q -- "$1" "$work/contents.txt" || fail "the package lacks $1"; }
for program in games/vexarift games/vexarift-mapcheck games/vexarift-maps games/vexarift-player libexec/vexarift/vexarift; do
	has "^-rwxr-xr-x .* \./usr/$program\$"
done
for file in "$build"/game/DATA "$build"/game/*.png "$build"/game/*.jpg; do
	has " \./usr/share/games/vexarift/${file##*/}\$"
done
for font in "Cornerstone Regular.ttf" riftsans_regular.otf riftsans_bold.otf; do
	has "^l.* \./usr/share/games/vexarift/$font -> \.\./\.\./fonts/"
done
for file in applications/$app.desktop metainfo/$app.metainfo.xml icons/hicolor/256x256/apps/$app.png \
		icons/hicolor/scalable/apps/$app.svg doc/vexarift/copyright man/man6/vexarift.6.gz; do
	has " \./usr/share/$file\$"
done

root="$work/unpacked root"
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/$app.desktop" || fail "desktop entry not valid"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml" >"$work/appstream.log" 2>&1 ||
	{ cat "$work/appstream.log"; fail "AppStream metadata not valid"; }
lintian --fail-on error "$deb" >"$work/lintian.log" 2>&1 || { cat "$work/lintian.log"; fail "lintian errors"; }
echo "desktop entry, metadata and lintian: no errors"

# The launcher as unpacked, with the system's fonts where the package's
# relative links look for them: SDL turns SIGTERM into a window close.
ln -s /usr/share/fonts "$root/usr/share/fonts"
. "$(dirname "$0")/../../tools/virtual-display.sh"
export HOME="$work/player home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
unset XDG_DATA_HOME
"$root/usr/games/vexarift" >"$work/out.txt" 2>&1 &
game=$!
wait_for 20 grep -q "Loading font" "$work/out.txt"
kill -TERM "$game"
wait "$game"
status=$?
game=
[ "$status" -eq 0 ] || { cat "$work/out.txt"; fail "the unpacked launcher ended with status $status"; }
cmp -s "$HOME/.local/share/vexarift/DATA" "$root/usr/share/games/vexarift/DATA" || fail "the unpacked launcher made no DATA"
echo "the unpacked package starts the game"
