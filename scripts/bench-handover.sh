#!/bin/sh
# The game window's figures on a private virtual X server (1600x1000):
#  - hand-over: from the launcher receiving the login page's "OpenGame" (UM_OPENGAME) to the
#    game window's first painted frame, maximised, web view included (target < 300 ms);
#  - paint cost of a hover change over the title bar at 1300x820 (only the changed buttons
#    are recomposed), beside a move that changes nothing and a whole frame.
# Usage: scripts/bench-handover.sh [build-dir] [runs]
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build/release}
RUNS=${2:-11}
if [ ! -d "$BUILD" ]; then cmake --preset release; fi
cmake --build "$BUILD" --target bench_game_handover bench_game_paint
echo "== hand-over =="
xvfb-run -a -s "-screen 0 1600x1000x24" "$BUILD/bench/game/bench_game_handover" "$RUNS"
echo "== paint cost at 1300x820 =="
xvfb-run -a -s "-screen 0 1600x1000x24" "$BUILD/bench/game/bench_game_paint" \
  --benchmark_filter='BM_(HoverChange|HoverEnterLeave|MoveWithoutChange|FullFrame)'
