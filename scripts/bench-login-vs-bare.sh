#!/bin/sh
# The login page's cost in the client against a bare WebKitGTK window loading the same
# page, side by side on a private virtual X server (1600x1000), against the simulator:
#  - time from process start to the page's first completed load (the page's own load
#    beacon reaching the simulator, the same signal for both programs);
#  - memory of the UI process and its WebKit processes together (PSS and RSS, read 2 s
#    after the load).
# Runs alternate between the programs, each with fresh WebKit caches; medians are
# compared. The bare window runs with WebKit's defaults and, for reference, with software
# rendering like the client's page windows.
# Usage: scripts/bench-login-vs-bare.sh [build-dir] [runs]
set -eu
cd "$(dirname "$0")/.."
BUILD=${1:-build/release}
RUNS=${2:-7}
if [ "$BUILD" = build/release ]; then cmake --preset release >/dev/null; fi
cmake --build "$BUILD" --target vozudezi vozudezi-simulator vozudezi-bare-webview >/dev/null
CLIENT="$BUILD/bin/vozudezi"
SIMULATOR="$BUILD/bin/vozudezi-simulator"
BARE="$BUILD/bench/web/vozudezi-bare-webview"

WORK=$(mktemp -d)
XVFB=
SIM=
cleanup() {
  [ -n "$SIM" ] && kill "$SIM" 2>/dev/null
  [ -n "$XVFB" ] && kill "$XVFB" 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

export no_proxy=127.0.0.1,localhost NO_PROXY=127.0.0.1,localhost
"$SIMULATOR" --any-ports >"$WORK/sim.out" &
SIM=$!
for _ in $(seq 100); do grep -q '^ready' "$WORK/sim.out" 2>/dev/null && break; sleep 0.05; done
port() { sed -n "s/.* $1=\([0-9]*\).*/\1/p" "$WORK/sim.out"; }
PLATFORM=http://127.0.0.1:$(port platform)
mkdir -p "$WORK/client"
cp "$CLIENT" "$WORK/client/vozudezi"
printf '[kv]\nstart=1\nuid=bench\nfilename=bench\n[endpoints]\nplatform=%s\ngame=http://127.0.0.1:%s\npay=http://127.0.0.1:%s\nlog=http://127.0.0.1:%s\n' \
  "$PLATFORM" "$(port game)" "$(port pay)" "$(port log)" >"$WORK/client/static.ini"
LOGIN="$PLATFORM/game/s/wdAccess/?name=kv&uid=bench&suid=bench"

DISP=:$((120 + $$ % 100))
Xvfb "$DISP" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=$DISP
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

loads() { curl -s "$PLATFORM/game/s/wdAccess/stat-wait?ev=load&after=999999999&ms=0"; }

# Every process of the tree under $1 (the program and the WebKit processes it starts).
tree() {
  echo "$1"
  for child in $(ps -o pid= --ppid "$1"); do tree "$child"; done
}
# "<pss kB> <rss kB>" summed over the tree.
memory() {
  pss=0; rss=0
  for p in $(tree "$1"); do
    r=/proc/$p/smaps_rollup
    [ -r "$r" ] || continue
    pss=$((pss + $(awk '/^Pss:/ {print $2}' "$r")))
    rss=$((rss + $(awk '/^Rss:/ {print $2}' "$r")))
  done
  echo "$pss $rss"
}

# measure <name> <command...>: one run; appends "<ms> <pss> <rss>" to $WORK/<name>.
measure() {
  name=$1; shift
  home=$(mktemp -d "$WORK/home.XXXXXX")
  before=$(loads)
  start=$(date +%s%N)
  XDG_CACHE_HOME=$home/cache XDG_DATA_HOME=$home/data "$@" >/dev/null 2>&1 &
  pid=$!
  after=$(curl -s "$PLATFORM/game/s/wdAccess/stat-wait?ev=load&after=$before&ms=60000")
  end=$(date +%s%N)
  if [ "$after" -le "$before" ]; then echo "$name: the page did not load" >&2; exit 1; fi
  sleep 2
  mem=$(memory "$pid")
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  sleep 0.3
  echo "$(( (end - start) / 1000000 )) $mem" >>"$WORK/results.$name"
  echo "  $name: $(( (end - start) / 1000000 )) ms, PSS/RSS kB $mem"
}

median() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
column() { awk -v c="$2" '{print $c}' "$WORK/results.$1" | median; }

echo "login page: $LOGIN"
for i in $(seq "$RUNS"); do
  echo "round $i"
  measure client sh -c "cd '$WORK/client' && exec ./vozudezi"
  measure bare "$BARE" "$LOGIN"
  measure bare-software "$BARE" --software "$LOGIN"
done

echo
printf '%-14s %10s %12s %12s\n' program "load ms" "PSS MB" "RSS MB"
for n in client bare bare-software; do
  printf '%-14s %10s %12.1f %12.1f\n' "$n" "$(column "$n" 1)" \
    "$(echo "$(column "$n" 2) / 1024" | bc -l)" "$(echo "$(column "$n" 3) / 1024" | bc -l)"
done
echo
for base in bare bare-software; do
  printf 'client / %-14s load %.3f  PSS %.3f  RSS %.3f  (target <= 1.15)\n' "$base" \
    "$(echo "$(column client 1) / $(column "$base" 1)" | bc -l)" \
    "$(echo "$(column client 2) / $(column "$base" 2)" | bc -l)" \
    "$(echo "$(column client 3) / $(column "$base" 3)" | bc -l)"
done
