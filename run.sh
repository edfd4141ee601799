#!/usr/bin/env bash
# Installs what is missing (make, the compiler and the libraries included),
# builds the game and starts it: `make run` for a machine that has no make yet.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
exec make run
