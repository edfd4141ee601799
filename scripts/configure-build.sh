#!/usr/bin/env bash
# Configures build/, the plain build that `make run` plays and the suite
# tests, with the flags Debian compiles its packages with (debian/rules'
# hardening, through dpkg-buildflags), as debhelper hands them to CMake: the
# package build then finds every object of this one in the compiler cache.
# Without dpkg-buildflags, an optimised build with debug information.
# Usage: configure-build.sh [cmake option...]
set -euo pipefail
cd "$(dirname "$0")/.."
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
if command -v dpkg-buildflags >/dev/null; then
    # CMake reads no CPPFLAGS: debhelper appends them to the compiler flags.
    options=(-DCMAKE_BUILD_TYPE=None "-DCMAKE_C_FLAGS=$(flags CFLAGS) $(flags CPPFLAGS)"
        "-DCMAKE_CXX_FLAGS=$(flags CXXFLAGS) $(flags CPPFLAGS)" "-DCMAKE_EXE_LINKER_FLAGS=$(flags LDFLAGS)")
else
    options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
exec cmake -S . -B build "${options[@]}" "$@"
