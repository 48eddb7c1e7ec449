#!/bin/sh
# Installs what is needed, builds the client and runs it against the local platform
# simulator; the simulator stops when the client ends.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release
cmake --build --preset release --target vozudezi vozudezi-simulator
BIN=build/release/bin
"$BIN/vozudezi-simulator" &
SIM=$!
trap 'kill $SIM 2>/dev/null; wait $SIM 2>/dev/null || true' EXIT INT TERM
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display: starting the client on a virtual one (xvfb-run)." >&2
  xvfb-run -a -s "-screen 0 1600x1000x24" "$BIN/vozudezi" "$@"
else
  "$BIN/vozudezi" "$@"
fi
