#!/bin/sh
# Builds and runs the platform simulator in the foreground (Ctrl+C stops it).
# Usage: scripts/simulator.sh [build-dir] [simulator options, e.g. --any-ports]
# Without options it listens on 127.0.0.1:18080-18084, the defaults of static.ini.
set -eu
cd "$(dirname "$0")/.."
BUILD=build/release
case "${1:-}" in
  -*|"") ;;
  *) BUILD=$1; shift ;;
esac
if [ "$BUILD" = build/release ]; then
  cmake --preset release >/dev/null
fi
cmake --build "$BUILD" --target vozudezi-simulator
exec "$BUILD/bin/vozudezi-simulator" "$@"
