#!/bin/sh
# Time from process start to the launcher's first frame on screen (the window mapped
# with its picture), over several runs, on a private virtual X server.
# Usage: scripts/bench-launcher-startup.sh [build-dir] [runs]
set -eu
BUILD=${1:-build/release}
RUNS=${2:-10}
CLIENT="$BUILD/bin/vozudezi"
[ -x "$CLIENT" ] || { echo "build the client first: $CLIENT" >&2; exit 1; }
WORK=$(mktemp -d)
trap 'kill $XVFB 2>/dev/null || true; rm -rf "$WORK"' EXIT
cp "$CLIENT" "$WORK/vozudezi"
printf '[kv]\nstart=1\n[endpoints]\nplatform=http://127.0.0.1:9\n' > "$WORK/static.ini"
DISP=:$((100 + $$ % 100))
Xvfb "$DISP" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
sleep 1
export DISPLAY=$DISP
total=0
for i in $(seq "$RUNS"); do
  start=$(date +%s%N)
  "$WORK/vozudezi" &
  PID=$!
  until xdotool search --onlyvisible --name '^ZelvoKiravel$' >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  echo "run $i: ${ms} ms"
  total=$((total + ms))
  kill $PID; wait $PID 2>/dev/null || true
done
echo "mean: $((total / RUNS)) ms over $RUNS runs"
