#!/usr/bin/env bash
# End-to-end export of the first sample (30 frames, sprite sheet, PNG), run
# several times; prints every wall time and the median in seconds.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SPARKPLUME_BUILD_DIR:-$root/build}"
runs="${1:-7}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
times=()
for i in $(seq "$runs"); do
  start=$(date +%s.%N)
  "$build/src/sparkplume" export "$build/samples/burst.spd" --out "$out/burst.png" >/dev/null
  end=$(date +%s.%N)
  times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
done
printf '%s\n' "${times[@]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "median %.3f s over %d runs\n", (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2), NR}'
