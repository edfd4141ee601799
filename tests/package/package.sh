#!/usr/bin/env bash
# The Debian source package, built as a distribution would: dpkg-buildpackage
# from a copy of the tree (its unit tests run by dh_auto_test), lintian on the
# .changes with no error or warning, the metainfo and the desktop entry valid,
# the flags given once each, the files where Debian puts them, every
# pkg-config module the build asks for named in Build-Depends. Then, as root,
# the package installed on this machine, autopkgtest on it with the null
# runner, and its removal leaving no file behind.
# Usage: package.sh path/to/build path/to/source
set -u
# Tools print what they read (window titles, file names) in the caller's
# locale, and a shell may have none: the checks run in UTF-8.
export LC_ALL=C.UTF-8
BUILD=$(readlink -f "${1:?usage: package.sh build-folder source-folder}")
SOURCE=$(readlink -f "${2:?usage: package.sh build-folder source-folder}")
WORK=$BUILD/package-test
FAILED=0
INSTALLED_HERE=
cleanup() {
    [ -n "$INSTALLED_HERE" ] && apt-get -qq purge -y quindle >/dev/null 2>&1
    rm -rf "$WORK"
}
trap cleanup EXIT

check() { # check "name" command...
    local name=$1
    shift
    if "$@"; then echo "ok   - $name"; else echo "FAIL - $name"; FAILED=$((FAILED + 1)); fi
}
words() { tr ' ' '\n' <<<"$1" | grep -cxF -- "$2"; } # words "line" word: how often it is there
once() { [ "$(words "$1" "$2")" -eq 1 ]; }
finish() {
    echo "$FAILED failed"
    [ "$FAILED" -eq 0 ] || exit 1
    exit "${1:-0}"
}

version=$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Version)
date=$(date -u -d "$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Date)" +%F)
arch=$(dpkg --print-architecture)
start=$(date +%s)
# The build may take what an earlier one of this tree left in the compiler cache.
command -v ccache >/dev/null && export CCACHE_DIR=${CCACHE_DIR:-$(ccache -k cache_dir)}
if ! env -u DEB_BUILD_OPTIONS -u DEB_BUILD_PROFILES "$SOURCE/scripts/debian-package.sh" "$WORK" -us -uc -j2 >"$BUILD/package-build.log" 2>&1; then
    tail -n 60 "$BUILD/package-build.log"
    echo "FAIL - dpkg-buildpackage builds the packages (log: $BUILD/package-build.log)"
    exit 1
fi
echo "ok   - dpkg-buildpackage builds the source and binary packages in $(($(date +%s) - start)) s"
LOG=$BUILD/package-build.log
DEB=$WORK/quindle_${version}_$arch.deb
CHANGES=$WORK/quindle_${version}_$arch.changes
check "source package: .dsc and native tarball" test -f "$WORK/quindle_$version.dsc" -a -f "$WORK/quindle_$version.tar.xz"
check "the source tarball holds no build folder" \
    bash -c '! tar -tJf "$1" | grep -Eq "^quindle-[^/]*/(build|obj-)"' _ "$WORK/quindle_$version.tar.xz"
check "dh_auto_test ran the unit and command-line tests, and no display test" \
    bash -c 'grep -Eq "100% tests passed, 0 tests failed out of [0-9]+" "$1" &&
             for t in core game session render app cli install_deps; do grep -Eq "Test +#[0-9]+: $t " "$1" || exit 1; done &&
             ! grep -Eq "Test +#[0-9]+: (e2e|hardening|package)" "$1"' _ "$LOG"

# dpkg-buildflags and cmake/Hardening.cmake together: each flag exactly once.
compile=$(grep -E -- ' -c \S*/app/main\.cpp$' "$LOG" | head -n 1)
link=$(grep -E -- ' -o quindle ' "$LOG" | head -n 1)
for flag in -fstack-protector-strong -fstack-clash-protection -fcf-protection -D_FORTIFY_SOURCE=2 -O2; do
    check "compiled with $flag once" once "$compile" "$flag"
done
check "no fortification level undone" test "$(words "$compile" -U_FORTIFY_SOURCE)" -eq 0
for flag in -Wl,-z,relro -Wl,-z,now -Wl,-z,ibt -Wl,-z,shstk; do
    check "linked with $flag once" once "$link" "$flag"
done
dpkg-deb -x "$WORK/quindle-dbgsym_${version}_$arch.deb" "$WORK/dbgsym"
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
debug=$(find "$WORK/dbgsym/usr/lib/debug/.build-id" -name '*.debug' | head -n 1)
check "the packaged program is hardened" bash "$SOURCE/tests/package/hardening.sh" "$ROOT/usr/games/quindle" "$debug"

lintian --fail-on error,warning --display-info --tag-display-limit 0 "$CHANGES" >"$WORK/lintian.log" 2>&1
check "lintian: no error and no warning on the .changes" test $? -eq 0
grep -E '^[EW]: ' "$WORK/lintian.log"
echo "lintian's informational tags: $(grep -E '^I: ' "$WORK/lintian.log" | awk '{ print $3 }' | sort -u | tr '\n' ' ')"

metainfo=("$ROOT"/usr/share/metainfo/*.metainfo.xml)
desktop=("$ROOT"/usr/share/applications/*.desktop)
appstreamcli validate --pedantic --no-net "${metainfo[@]}" >"$WORK/appstream.log" 2>&1
check "appstreamcli validate --pedantic: no issue at all" \
    bash -c '[ "$1" = 0 ] && ! grep -Eq "^[EWIP]: " "$2"' _ $? "$WORK/appstream.log"
check "desktop-file-validate: nothing to say" bash -c '[ -z "$(desktop-file-validate "$1" 2>&1)" ]' _ "${desktop[0]}"
id=$(basename "${metainfo[0]}" .metainfo.xml)
check "desktop entry and metainfo share the id $id" test -f "$ROOT/usr/share/applications/$id.desktop"
# The screenshots' form, when the build is given where they are published.
cmake -DTEMPLATE="$SOURCE/res/desktop/quindle.metainfo.xml.in" -DOUTPUT="$WORK/shots.metainfo.xml" \
    -DQUINDLE_APP_ID="$id" -DSCREENSHOT_BASE_URL=https://example.org/quindle/docs -P "$SOURCE/cmake/Metainfo.cmake"
check "metainfo with screenshots validates" appstreamcli validate --pedantic --no-net "$WORK/shots.metainfo.xml"
check "metainfo: MIT, the release $version of $date, the binary, the controls, a display size, OARS" \
    bash -c 'xml=$(cat "$1") && grep -q "<project_license>MIT</project_license>" <<<"$xml" &&
             grep -q "<release version=\"$2\" date=\"$3\"" <<<"$xml" && grep -q "<binary>quindle</binary>" <<<"$xml" &&
             for c in keyboard pointing gamepad; do grep -q "<control>$c</control>" <<<"$xml" || exit 1; done &&
             grep -q "<display_length " <<<"$xml" && grep -q "<content_rating type=\"oars-1.1\"" <<<"$xml"' \
    _ "${metainfo[0]}" "$version" "$date"
check "CMake's project version is the changelog's" \
    grep -q "^project(quindle VERSION $version " "$SOURCE/CMakeLists.txt"

check "depends on the Japanese fonts, libdecor's frame plugin and SDL" bash -c 'd=$(dpkg-deb -f "$1" Depends) &&
    for p in fonts-ipafont-gothic libdecor-0-plugin-1-cairo libsdl2-2.0-0; do grep -qw "$p" <<<"$d" || exit 1; done' _ "$DEB"
check "section games, the program in /usr/games" \
    bash -c '[ "$(dpkg-deb -f "$1" Section)" = games ] && [ -x "$2/usr/games/quindle" ]' _ "$DEB" "$ROOT"
for size in 16 32 48 64 128 256; do
    check "icon ${size}x$size" bash -c \
        "file '$ROOT/usr/share/icons/hicolor/${size}x$size/apps/quindle.png' | grep -q 'PNG image data, $size x $size'"
done
check "manual page in section 6" bash -c "zcat '$ROOT/usr/share/man/man6/quindle.6.gz' | grep -q '^.TH QUINDLE 6'"
check "machine-readable copyright, MIT" bash -c 'grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" "$1" &&
    grep -qx "License: MIT" "$1"' _ "$ROOT/usr/share/doc/quindle/copyright"
check "changelog at $version" bash -c "zcat '$ROOT/usr/share/doc/quindle/changelog.gz' | head -n 1 | grep -qF 'quindle ($version)'"
check "the unpacked program answers --version" \
    test "$(env -u DISPLAY -u WAYLAND_DISPLAY "$ROOT/usr/games/quindle" --version)" = "Quindle 1.0"

# What the package holds is what `cmake --install` puts there; the documents
# are debhelper's in the package (debian/copyright, debian/changelog).
(cd "$ROOT/usr" && find . -type f -not -path './share/doc/*' | sort) >"$WORK/package.list"
cmake --install "$BUILD" --prefix "$WORK/prefix" >/dev/null
build_id=$(sed -n 's/^QUINDLE_APP_ID:STRING=//p' "$BUILD/CMakeCache.txt") # the build folder may name its own
(cd "$WORK/prefix" && find . -type f -not -path './share/doc/*' | sed "s/$build_id/$id/" | sort) >"$WORK/install.list"
check "cmake --install installs the package's files" diff "$WORK/package.list" "$WORK/install.list"
check "cmake --install adds the licence and the changelog" \
    test -f "$WORK/prefix/share/doc/quindle/LICENSE" -a -f "$WORK/prefix/share/doc/quindle/changelog.gz"

# Every pkg-config module the package build asks for (not the benchmarks')
# comes from a package in Build-Depends.
build_depends=$(perl -MDpkg::Control::Info -e \
    'print Dpkg::Control::Info->new($ARGV[0])->get_source->{"Build-Depends"}' "$SOURCE/debian/control" |
    tr ',|' '\n\n' | sed -E 's/[(<\[].*//; s/[[:space:]]//g' | grep .)
modules=$(cat "$SOURCE/CMakeLists.txt" "$SOURCE"/cmake/*.cmake "$SOURCE/tests/CMakeLists.txt" | tr '\n' ' ' |
    grep -oE 'pkg_check_modules\([^)]*\)' | sed -E 's/^pkg_check_modules\(\s*\S+//; s/\)$//' | tr ' ' '\n' |
    grep -vxE 'REQUIRED|QUIET|IMPORTED_TARGET|GLOBAL|NO_CMAKE_PATH|NO_CMAKE_ENVIRONMENT_PATH|' | sed -E 's/[<>=].*//' | sort -u)
check "the build asks pkg-config for modules" test -n "$modules"
for module in $modules; do
    pc=$(pkg-config --path "$module" 2>/dev/null)
    owner=$(dpkg -S "$pc" 2>/dev/null | head -n 1 | cut -d: -f1)
    check "Build-Depends has $owner, which gives pkg-config's $module" grep -qxF "${owner:-?}" <<<"$build_depends"
done

# On this machine itself: only as root, and only where no quindle is
# installed already (it would be replaced, then removed).
if [ "$(id -u)" -ne 0 ]; then
    echo "skip - installing, autopkgtest and removal need root"
    finish 77
fi
if dpkg-query -W -f='${Status}' quindle 2>/dev/null | grep -q 'installed'; then
    echo "skip - a quindle package is installed on this machine already; not touching it"
    finish 77
fi
# The folders the package puts files in, listed before and after.
snapshot() {
    dpkg-deb -c "$DEB" | awk '{ print $6 }' | sed -E 's|^\./|/|; s|/[^/]*$||' | sort -u |
        while read -r dir; do [ -d "$dir" ] && find "$dir" -maxdepth 1; done | sort
}
snapshot >"$WORK/before.list"
apt_get() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -qq "$@"; }
INSTALLED_HERE=1
apt_get install -y --no-install-recommends "$DEB" >"$WORK/apt.log" 2>&1
check "apt installs the package" bash -c 'dpkg-query -W -f="\${Status}" quindle | grep -q "install ok installed"'
check "the installed program answers --version" test "$(env -u DISPLAY /usr/games/quindle --version)" = "Quindle 1.0"
check "man finds the manual page" bash -c 'man -w 6 quindle | grep -q "^/usr/share/man/man6/quindle.6.gz$"'

autopkgtest --output-dir "$WORK/autopkgtest" "$DEB" "$WORK/quindle_$version.dsc" -- null >"$WORK/autopkgtest.log" 2>&1
status=$?
sed -n '/@@@@ summary/,$p' "$WORK/autopkgtest.log"
check "autopkgtest: every test passes" test "$status" -eq 0
for t in version help window; do
    check "autopkgtest ran $t" grep -Eq "^$t +PASS" "$WORK/autopkgtest/summary"
done

apt_get purge -y quindle >>"$WORK/apt.log" 2>&1
INSTALLED_HERE=
check "apt removes the package entirely" bash -c '! dpkg-query -W -f="\${Status}" quindle 2>/dev/null | grep -q "installed"'
snapshot >"$WORK/after.list"
check "nothing new left behind in the package's folders" \
    bash -c '[ -z "$(comm -13 "$1" "$2" | tee /dev/stderr)" ]' _ "$WORK/before.list" "$WORK/after.list"
check "no file of the package is left" bash -c '! dpkg-deb -c "$1" | awk "{ print \$6 }" | sed "s|^\./|/|" | grep -v "/$" |
    while read -r f; do [ -e "$f" ] && echo "left: $f"; done | grep .' _ "$DEB"
finish
