#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test in the three
# configurations: `make test` for a machine that has no make yet.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
exec make test
