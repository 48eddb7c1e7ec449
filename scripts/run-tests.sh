#!/bin/sh
# Installs what is needed, builds the release preset and runs every test; the display
# tests run on a virtual X server.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
xvfb-run -a -s "-screen 0 1600x1000x24 +extension Composite" ctest --preset release "$@"
