#!/usr/bin/env bash
# The editor previewing each sample under a virtual display: the time from start
# to the first drawn frame, the frames per second it holds at zoom 1, and the
# processor time it takes over ten seconds of playing (a share of one core).
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
for sample in burst sparks converge smoke; do
  log="$work/$sample.log"
  start=$(date +%s.%N)
  DISPLAY=$display SPARKPLUME_WORKSPACE="$work/ws-$sample" SPARKPLUME_TIMING=1 \
    "$build/src/sparkplume" "$build/samples/$sample.spd" 2>"$log" &
  pid=$!
  until grep -q first-frame "$log" 2>/dev/null; do sleep 0.01; done
  first=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.3f", b - a }')
  sleep 2  # past start-up
  read -r u0 s0 < <(awk '{print $14, $15}' "/proc/$pid/stat")
  sleep "$seconds"
  read -r u1 s1 < <(awk '{print $14, $15}' "/proc/$pid/stat")
  kill "$pid"; wait "$pid" 2>/dev/null || true
  cpu=$(awk -v d=$(( (u1 + s1) - (u0 + s0) )) -v t="$ticks" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * d / t / s }')
  fps=$(grep '^fps' "$log" | tail -n "$seconds" | awk '{print $2}' | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  echo "$sample: first frame after ${first} s, median ${fps} fps, ${cpu} % of one core"
done
