#!/usr/bin/env bash
# Builds the Debian packages with dpkg-buildpackage from a copy of the tree
# in OUTDIR, so that the packages land in OUTDIR rather than beside the
# repository, and no build folder of the working tree gets into the source
# package. The copy is removed once the build succeeds.
# Usage: debian-package.sh OUTDIR [dpkg-buildpackage option...]
#   make package: debian-package.sh build/package -us -uc -b
set -euo pipefail
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:?usage: debian-package.sh OUTDIR [dpkg-buildpackage option...]}
shift
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
case $OUT/ in "$SOURCE"/build*/) ;; "$SOURCE"/*)
    echo "debian-package: $OUT is inside the source tree; use a folder under build/" >&2
    exit 2 ;;
esac

version=$(dpkg-parsechangelog -l "$SOURCE/debian/changelog" -S Version)
tree=$OUT/quindle-$version
rm -rf "$tree" "$OUT/quindle_$version"* "$OUT/quindle-dbgsym_$version"*
mkdir -p "$tree"
# The files git knows, changed or new but not ignored; without git, all but
# the build folders.
if git -C "$SOURCE" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$SOURCE" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
        tar --null -T - -cf -) | tar -C "$tree" -xf -
else
    tar -C "$SOURCE" --exclude=./.git --exclude='./build*' --exclude='./obj-*' -cf - . | tar -C "$tree" -xf -
fi

if ! (cd "$tree" && dpkg-buildpackage "$@"); then
    echo "debian-package: the build failed; its tree is left in $tree" >&2
    exit 1
fi
rm -rf "$tree"
echo "debian-package: in $OUT:" $(cd "$OUT" && ls quindle*_"$version"_*)
