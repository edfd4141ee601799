#!/usr/bin/env bash
# Installs the Debian packages the program needs to be built and played
# (./run.sh, make run, make install), or with --tests also those the tests,
# the benchmarks, the fuzzing and the Debian package use (./test.sh, make
# test, bench, fuzz, package); only those that are missing, so a machine that
# has them pays nothing.
# It works on a machine as fresh as they come: run as root with no sudo, or
# with sudo (or su, at a terminal), and with package lists never fetched.
# Without apt it names the packages in one line instead.
# Usage: install-deps.sh [--tests]
set -euo pipefail

# Building and playing: the compiler and build tools, the libraries the
# program links with their headers, the Wayland protocol tools, libpng for
# the icons drawn at build time, the fonts, and libdecor's plugin, which draws
# the window's frame where a Wayland desktop leaves it to the client
# (libdecor only recommends it).
packages=(
  make build-essential cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libx11-dev libwayland-dev libwayland-bin wayland-protocols
  libxkbcommon-dev libdecor-0-dev libpng-dev fonts-ipafont-gothic fonts-dejavu-core
  libdecor-0-plugin-1-cairo
)
# The workshop: GoogleTest and Benchmark (cairo, XTest and DAMAGE for the benchmarks),
# the displays and compositors the end-to-end tests run on and the tools that
# drive and read them, Debian's packaging tools, clang and its runtimes for
# the fuzz targets (libFuzzer is in libclang-rt-14-dev, which clang only
# recommends), and ccache, which lets the configurations share objects.
test_packages=(
  libgtest-dev libbenchmark-dev libcairo2-dev libxtst-dev libxdamage-dev
  xvfb xdotool imagemagick x11-utils x11-xserver-utils procps sway grim jq weston openbox mutter dbus
  dpkg-dev devscripts lintian appstream desktop-file-utils file
  debhelper autopkgtest xauth
  clang libclang-rt-14-dev ccache
)
case ${1:-} in
  --tests) packages+=("${test_packages[@]}") ;;
  "") ;;
  *) echo "usage: install-deps.sh [--tests]" >&2; exit 2 ;;
esac

say() { echo "install-deps: $*" >&2; }

# Without apt a build may still work where the tools came from elsewhere.
if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
  if command -v make >/dev/null && command -v cmake >/dev/null && command -v c++ >/dev/null &&
     command -v pkg-config >/dev/null && pkg-config --exists sdl2 SDL2_ttf fontconfig x11; then
    say "no apt here; building with the tools this machine has"
    exit 0
  fi
  say "no apt here: install these packages (Debian names) or their equivalents: ${packages[*]}"
  exit 1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

# Root needs nothing more; otherwise sudo, or su when someone is there to give
# the root password.
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then
    as_root=(sudo)
  elif command -v su >/dev/null && [ -t 0 ]; then
    as_root=(su root -c)
  else
    say "need root to install: ${missing[*]} (no sudo here; run this as root once)"
    exit 1
  fi
fi
apt_get() {
  # One command, so su asks for the password once.
  local cmd="export DEBIAN_FRONTEND=noninteractive; apt-get -o DPkg::Lock::Timeout=300 -qq $*"
  if [ "${as_root[0]:-}" = su ]; then
    "${as_root[@]}" "$cmd"
  else
    "${as_root[@]}" bash -c "$cmd"
  fi
}

say "installing: ${missing[*]}"
# The lists may never have been fetched (a fresh system) or be stale; either
# way an install from them fails, so fetch them first.
apt_get update || say "apt-get update failed; trying with the package lists there are"
if ! apt_get install -y --no-install-recommends "${missing[*]}"; then
  say "could not install: ${missing[*]}"
  exit 1
fi
