#!/usr/bin/env bash
# End-to-end sheet export (30 frames, PNG, the command as a user runs it) of the
# four samples, each run several times; prints the median wall time per sample
# in seconds. With several build folders the builds take turns run by run, so
# that a busy machine slows them alike:
#   bench/export_bench.sh [RUNS] [BUILD_DIR ...]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-7}"
shift || true
builds=("$@")
[ ${#builds[@]} -eq 0 ] && builds=("${SPARKPLUME_BUILD_DIR:-$root/build}")
samples=(burst sparks converge smoke)
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

now() { date +%s.%N; }
for i in $(seq "$runs"); do
  for sample in "${samples[@]}"; do
    for b in "${!builds[@]}"; do
      build="${builds[$b]}"
      start=$(now)
      "$build/src/sparkplume" export "$build/samples/$sample.spd" --out "$out/$b-$sample.png" \
        >/dev/null
      end=$(now)
      awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }' >>"$out/$b-$sample.times"
    done
  done
done

median() { sort -n "$1" | awk '{a[NR]=$1} END {printf "%.3f", (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
for b in "${!builds[@]}"; do
  echo "${builds[$b]} (median of $runs runs, seconds):"
  for sample in "${samples[@]}"; do
    printf '  %-9s %s   (min %s, sheet %s bytes)\n' "$sample" "$(median "$out/$b-$sample.times")" \
      "$(sort -n "$out/$b-$sample.times" | head -n1)" "$(stat -c %s "$out/$b-$sample.png")"
  done
done
