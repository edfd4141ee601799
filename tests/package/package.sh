#!/usr/bin/env bash
# The Debian package, built from the plain build folder into a scratch one:
# lintian finds no error, the metainfo and the desktop entry validate, the
# files sit where Debian puts them, `cmake --install` installs the same
# files, and the unpacked program answers --version.
# Usage: package.sh path/to/build path/to/source
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8
BUILD=$(readlink -f "${1:?usage: package.sh build-folder source-folder}")
SOURCE=$(readlink -f "${2:?usage: package.sh build-folder source-folder}")
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
FAILED=0

check() { # check "name" command...
    local name=$1
    shift
    if "$@"; then echo "ok   - $name"; else echo "FAIL - $name"; FAILED=$((FAILED + 1)); fi
}

if ! cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK" >"$WORK/cpack.log" 2>&1; then
    cat "$WORK/cpack.log"
    echo "FAIL - cpack builds the package"
    exit 1
fi
DEB=$(ls "$WORK"/quindle_*.deb)
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"

lintian --fail-on error "$DEB" 2>/dev/null | tee "$WORK/lintian.log"
check "lintian reports no errors" test "${PIPESTATUS[0]}" -eq 0

metainfo=("$ROOT"/usr/share/metainfo/*.metainfo.xml)
desktop=("$ROOT"/usr/share/applications/*.desktop)
check "appstreamcli validate" appstreamcli validate --no-net "${metainfo[@]}"
check "desktop-file-validate" desktop-file-validate "${desktop[@]}"
id=$(basename "${metainfo[0]}" .metainfo.xml)
check "desktop entry and metainfo share the id $id" test -f "$ROOT/usr/share/applications/$id.desktop"
# The screenshots' form, when the build is given where they are published.
cmake -DTEMPLATE="$SOURCE/res/desktop/quindle.metainfo.xml.in" -DOUTPUT="$WORK/shots.metainfo.xml" \
    -DQUINDLE_APP_ID="$id" -DSCREENSHOT_BASE_URL=https://example.org/quindle/docs -P "$SOURCE/cmake/Metainfo.cmake"
check "metainfo with screenshots validates" appstreamcli validate --no-net "$WORK/shots.metainfo.xml"

check "depends on the Japanese fonts and SDL" \
    bash -c "dpkg-deb -f '$DEB' Depends | grep -q 'fonts-ipafont-gothic' && dpkg-deb -f '$DEB' Depends | grep -q 'libsdl2-2.0-0'"
for size in 16 32 48 64 128 256; do
    check "icon ${size}x$size" bash -c \
        "file '$ROOT/usr/share/icons/hicolor/${size}x$size/apps/quindle.png' | grep -q 'PNG image data, $size x $size'"
done
check "manual page in section 6" bash -c "zcat '$ROOT/usr/share/man/man6/quindle.6.gz' | grep -q '^.TH QUINDLE 6'"
check "machine-readable copyright" grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$ROOT/usr/share/doc/quindle/copyright"
check "changelog" bash -c "zcat '$ROOT/usr/share/doc/quindle/changelog.gz' | grep -q '^quindle ('"

(cd "$ROOT/usr" && find . -type f | sort) >"$WORK/package.list"
cmake --install "$BUILD" --prefix "$WORK/prefix" >/dev/null
(cd "$WORK/prefix" && find . -type f | sort) >"$WORK/install.list"
check "cmake --install installs the package's files" diff "$WORK/package.list" "$WORK/install.list"

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$ROOT/usr/games/quindle" --version)
check "the unpacked program answers --version" test "$version" = "Quindle 1.0"

echo "$FAILED failed"
[ "$FAILED" -eq 0 ]
