#!/usr/bin/env bash
# The editor previewing each sample under a virtual display in a 1600 × 900
# window: the time from start to the first drawn frame, the frames per second it
# holds at zoom 1 and at the largest zoom that fits, and the processor time it
# takes while playing at zoom 1 (a share of one core).
#   bench/editor_bench.sh [SECONDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SPARKPLUME_BUILD_DIR:-$root/build}"
seconds="${1:-10}"
display=:77
Xvfb "$display" -screen 0 1600x900x24 >/dev/null 2>&1 &
xvfb=$!
work="$(mktemp -d)"
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
ticks=$(getconf CLK_TCK)

median_fps() { grep '^fps' "$1" | tail -n "$2" | awk '{print $2}' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
cpu_time() { awk '{print $14 + $15}' "/proc/$1/stat"; }

for sample in burst sparks converge smoke; do
  ws="$work/ws-$sample"
  mkdir -p "$ws"
  printf '[WindowPos]\nx=0\ny=0\n[WindowSize]\nfull=0\nx=1600\ny=900\n' > "$ws/setup.ini"
  log="$work/$sample.log"
  start=$(date +%s.%N)
  DISPLAY=$display SPARKPLUME_WORKSPACE="$ws" SPARKPLUME_TIMING=1 \
    "$build/src/sparkplume" "$build/samples/$sample.spd" 2>"$log" &
  pid=$!
  until grep -q first-frame "$log" 2>/dev/null; do sleep 0.01; done
  first=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')
  sleep 2  # past start-up
  c0=$(cpu_time "$pid")
  sleep "$seconds"
  c1=$(cpu_time "$pid")
  cpu=$(awk -v d=$((c1 - c0)) -v t="$ticks" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * d / t / s }')
  fps1=$(median_fps "$log" "$seconds")
  # The largest zoom: the toolbar's zoom-in button until the window's limit.
  for _ in 1 2 3 4 5 6 7 8; do DISPLAY=$display xdotool mousemove 552 40 click 1; sleep 0.2; done
  sleep 2
  : > "$log.zoomed"; tail -f "$log" > "$log.zoomed" & tailer=$!
  sleep "$seconds"
  kill "$tailer" 2>/dev/null || true
  fpsmax=$(median_fps "$log.zoomed" "$seconds")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo "$sample: first frame after ${first} s; ${fps1} fps at zoom 1 using ${cpu} % of one core; ${fpsmax} fps at the largest zoom"
done
