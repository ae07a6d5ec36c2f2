#!/usr/bin/env bash
# Generates a small corpus of hostile projects and options and runs each through
# trace, render and export with a time limit (and, outside sanitizer builds, a
# memory limit). Every run must end by itself with status 0, 1 or 2 and within
# its time; nothing may be written outside the run's own output folder.
#   run_corpus.sh SPARKPLUME [memory-limit-kib|none]
set -uo pipefail
sparkplume="$(realpath "$1")"
memory="${2:-4000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
corpus="$work/corpus"
out="$work/out"
mkdir -p "$corpus" "$out"
failures=0

# --- Writing project files -------------------------------------------------

# One node record: child count, then the node's own fields in file order.
#   node CHILDREN NAME EMITCODE AMOUNT LIFE INTERVAL INTERVALVAR GRAVITY BRIGHTNESS MAXSIZE TRAIL
node() {
  local children=$1 name=$2 code=$3 amount=$4 life=$5 interval=$6 ivar=$7 gravity=$8 bright=$9
  local size=${10} trail=${11}
  local r="$children,$name,"
  for _ in $(seq 32); do r+="50,"; done
  # emit code, direction, inheritTilt, interval, intervalVar, amount, amountVar, positionVar,
  # emitStart, emitEnd, life, lifeVar, evenlySpaced, directionSpread, inheritAlpha,
  # brightnessVar, maxSize, sizeVar, inheritSize, maxSpeed, speedVar
  r+="$code,45,0,$interval,$ivar,$amount,50,30,1,30,$life,50,0,40,0,$bright,$size,20,0,3,20,"
  r+="$gravity,30,20,2,,0,1,1,"
  for _ in $(seq 7); do r+="2,0.000000,100.000000,100.000000,50.000000,"; done
  r+=",$trail,0,1,$size,0,"
  printf '%s' "$r"
}

header() {  # width height frames fps
  printf '%s,%s,%s,32,32,%s,10,20,30,7,' "$1" "$2" "$3" "$4"
}

# A container of one effect-data entry, and optional picture entries first.
container() {  # FILE EFFECT [NAME PICTUREFILE]...
  local file=$1 effect=$2
  shift 2
  local entries=$(( $# / 2 + 1 ))
  {
    printf 'SparkplumeData,4,%d,' "$entries"
    while [ $# -ge 2 ]; do
      printf '%s,%d,' "$1" "$(stat -c %s "$2")"
      cat "$2"
      shift 2
    done
    printf 'save.png,%d,%s' "${#effect}" "$effect"
  } > "$file"
}

plain=$(node 0 spark 1 5 20 1 0 10 20 16 4)
container "$corpus/ok.spd" "$(header 32 32 12 60)1,$plain"
container "$corpus/endless.spd" "$(header 16 16 2147483647 60)1,$plain"
container "$corpus/fast.spd" "$(header 16 16 6 5000)1,$plain"
container "$corpus/zero-rate.spd" "$(header 16 16 6 0)1,$plain"
container "$corpus/negative.spd" "$(header 32 32 12 60)1,$(node 0 n 1 -5 -20 -1 -50 -999 -7 -16 -4)"
container "$corpus/immortal-child.spd" \
  "$(header 32 32 12 60)1,$(node 1 parent 1 2 20 1 0 0 0 8 0)$(node 0 child 1 3 2147483647 1 0 0 0 8 2)"
container "$corpus/interval-zero.spd" "$(header 32 32 12 60)1,$(node 0 z 0 4 10 0 100 0 0 8 0)"
container "$corpus/huge-values.spd" \
  "$(header 32 32 8 60)1,$(node 0 h 0 9999 9999 1 0 1e30 2147483647 2147483647 9999)"
container "$corpus/extreme-ints.spd" \
  "$(header 2147483647 -2147483648 8 2147483647)1,$(node 0 x 2147483647 2147483647 -2147483648 2147483647 2147483647 -1e30 -2147483648 -2147483648 2147483647)"
container "$corpus/many-top-nodes.spd" "$(header 16 16 4 60)999999999,$plain"
# A chain of nested nodes whose records end early.
chain=""
for _ in $(seq 2000); do chain+="1,"; done
container "$corpus/deep-truncated.spd" "$(header 16 16 4 60)1,$chain"
printf 'SparkplumeData,5,1,save.png,0,' > "$corpus/newer.spd"
printf 'SparkplumeData,4,1,../evil.png,4,abcdsave.png,0,' > "$corpus/traversal.spd"
printf 'SparkplumeData,4,2,a.png,99999999999,x' > "$corpus/absurd-size.spd"
: > "$corpus/empty.spd"
head -c 4096 /dev/urandom > "$corpus/noise.spd"
head -c 300 "$corpus/ok.spd" > "$corpus/truncated.spd"
printf 'not a picture at all' > "$work/garbage.png"
container "$corpus/garbage-picture.spd" "$(header 32 32 6 60)1,$(node 0 g 1 2 6 1 0 0 0 8 0)" \
  "garbage.png.png" "$work/garbage.png"
if command -v convert >/dev/null 2>&1; then
  convert -size 5000x5000 xc:white "$work/huge.png"
  huge_node=$(node 0 big 1 1 6 1 0 0 0 8 0 | sed 's/,,0,1,1,/,huge.png,1,1,1,/')
  container "$corpus/huge-pictures.spd" "$(header 32 32 6 60)1,$huge_node" \
    "huge.png.png" "$work/huge.png" "huge2.png.png" "$work/huge.png" "huge3.png.png" "$work/huge.png"
fi

# --- Running them -----------------------------------------------------------

check() {  # LABEL COMMAND...
  local label=$1
  shift
  local status
  (
    [ "$memory" != none ] && ulimit -v "$memory"
    cd "$out" && exec timeout 60 "$@"
  ) >"$work/stdout" 2>"$work/stderr"
  status=$?
  if [ $status -gt 2 ]; then
    echo "FAIL $label: status $status"
    tail -n 5 "$work/stderr"
    failures=$((failures + 1))
  fi
}

for project in "$corpus"/*.spd; do
  name=$(basename "$project" .spd)
  check "trace $name" "$sparkplume" trace "$project" --frames 40 --particles
  check "render $name" "$sparkplume" render "$project" --frame 5 --out "$out/$name.png"
  check "export $name" "$sparkplume" export "$project" --out "$out/$name-sheet.png" --end 6
  check "movie $name" "$sparkplume" export "$project" --out "$out/$name.avi" --layout movie --end 4
done
check "newline in a path" "$sparkplume" render "$corpus/ok.spd" --frame 1 --out "$out/a
b.png"
check "bogus options" "$sparkplume" export "$corpus/ok.spd" --out "$out/x.png" --step -3 --columns 0
check "huge frame" "$sparkplume" render "$corpus/ok.spd" --frame 2147483647 --out "$out/y.png"
check "limits" "$sparkplume" trace "$corpus/huge-values.spd" --max-particles 10 --frames 8

# Nothing beside the output folder and the corpus may have appeared.
stray=$(find "$work" -mindepth 1 -maxdepth 1 ! -name corpus ! -name out ! -name stdout \
  ! -name stderr ! -name garbage.png ! -name huge.png)
if [ -n "$stray" ]; then
  echo "FAIL written outside the output folder: $stray"
  failures=$((failures + 1))
fi
echo "$failures failures over the corpus"
[ "$failures" -eq 0 ]
