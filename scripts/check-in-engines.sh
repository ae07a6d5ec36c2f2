#!/usr/bin/env bash
# Loads exported sprite sheets in PixiJS and Phaser inside headless Chromium and checks
# that every frame lands where the untrimmed frame was: each sheet variant (trimmed to
# each frame over several sheets, trimmed to the shared bounds, untrimmed; hash and
# array atlases; premultiplied alpha) is drawn frame by frame at the stage's origin, read
# back from WebGL and compared with the numbered frames of the same effect.
#
#   scripts/check-in-engines.sh [PROJECT.spd]     (default: the burst sample)
#
# Needs a build (SPARKPLUME_BUILD_DIR, else build/), chromium, node, and pixi.js, phaser and
# puppeteer-core (which drives the system's chromium and downloads no browser) installed
# with npm in SPARKPLUME_ENGINES (default /tmp/engines):
#   apt-get install chromium nodejs npm
#   mkdir -p /tmp/engines && (cd /tmp/engines && npm install pixi.js phaser puppeteer-core)
# Then it plays the GIF, APNG and WebP pictures of the same effect through the browser's
# decoder: loop count, frame count, durations, and the lossless ones frame by frame.
# SPARKPLUME_CHECK_SHOTS=DIR keeps two screenshots of them playing.
# Without them it says what is missing and exits with 77 (skipped). Exits 1 when any
# frame differs. The page is served on 127.0.0.1 only, and the server stops with the script.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SPARKPLUME_BUILD_DIR:-$root/build}"
engines="${SPARKPLUME_ENGINES:-/tmp/engines}"
project="${1:-$build/samples/burst.spd}"
sparkplume="$build/src/sparkplume"
pixi="$engines/node_modules/pixi.js/dist/pixi.min.js"
phaser="$engines/node_modules/phaser/dist/phaser.min.js"

skip() {
  echo "skipped: $1"
  exit 77
}
[ -x "$sparkplume" ] || skip "$sparkplume is missing; build first (scripts/build.sh)"
[ -f "$project" ] || skip "$project is missing"
chromium="$(command -v chromium || command -v chromium-browser || true)"
[ -n "$chromium" ] || skip "chromium is not installed (apt-get install chromium)"
[ -f "$pixi" ] && [ -f "$phaser" ] && [ -d "$engines/node_modules/puppeteer-core" ] ||
  skip "PixiJS, Phaser or puppeteer-core is not in $engines (cd $engines && npm install pixi.js phaser puppeteer-core)"
command -v node >/dev/null || skip "node is not installed (apt-get install nodejs)"
command -v ffprobe >/dev/null || skip "ffprobe is not installed (apt-get install ffmpeg)"

work="$(mktemp -d)"
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

cp "$root"/tests/engines/*.html "$root"/tests/engines/*.js "$pixi" "$phaser" "$work/"

# The reference: every frame as its own untrimmed picture.
mkdir -p "$work/out/frames"
"$sparkplume" export "$project" --out "$work/out/frames/fx.png" --layout files >/dev/null

# name, then the sheet options. A 512 limit on the 256 × 256 samples spreads the
# packed frames over several sheets.
cases=(
  "each-hash-multi --trim each --max-size 512 --padding 2 --extrude 1"
  "each-array-multi --trim each --max-size 512 --json array"
  "shared-hash --trim shared --padding 1 --extrude 2"
  "shared-array --trim shared --json array --power-of-two"
  "none-hash"
  "none-array --json array"
  "each-premultiplied --trim each --alpha premultiplied --max-size 1024"
  "shared-premultiplied-array --trim shared --alpha premultiplied --json array"
)
: >"$work/cases.txt"
for entry in "${cases[@]}"; do
  read -r name options <<<"$entry"
  mkdir -p "$work/out/$name"
  # shellcheck disable=SC2086
  "$sparkplume" export "$project" --out "$work/out/$name/fx.png" $options >"$work/$name.made"
  echo "$name $(grep -c '\.json$' "$work/$name.made") sheets"
  printf '%s\n' "$name" >>"$work/cases.txt"
done

# The animated pictures, and the frame rate from the movie of the same effect.
mkdir -p "$work/out/animations"
for layout in gif apng webp; do
  "$sparkplume" export "$project" --out "$work/out/animations/fx-$layout" --layout "$layout" >/dev/null
done
"$sparkplume" export "$project" --out "$work/out/animations/fx-lossy.webp" --layout webp \
  --quality 80 >/dev/null
"$sparkplume" export "$project" --out "$work/out/animations/fx.avi" --layout movie >/dev/null
fps="$(ffprobe -v error -select_streams v:0 -show_entries stream=r_frame_rate -of csv=p=0 \
  "$work/out/animations/fx.avi")"
echo "animations at $fps fps"

python3 - "$work" "$fps" <<'EOF'
import json, os, struct, sys
work = sys.argv[1]
frames = sorted(f for f in os.listdir(os.path.join(work, "out/frames")) if f.endswith(".png"))
with open(os.path.join(work, "out/frames", frames[0]), "rb") as f:
    width, height = struct.unpack(">II", f.read(24)[16:24])
cases = []
for name in open(os.path.join(work, "cases.txt")).read().split():
    made = [line.strip() for line in open(os.path.join(work, name + ".made")) if line.strip()]
    atlases = [os.path.relpath(p, work) for p in made if p.endswith(".json")]
    cases.append({"name": name, "base": "fx", "atlases": atlases})
json.dump({"frames": {"prefix": "out/frames/fx", "count": len(frames), "width": width,
                      "height": height}, "cases": cases},
          open(os.path.join(work, "cases.json"), "w"), indent=1)

# GIF keeps the frames that start at least two hundredths after the last one kept.
num, den = (int(v) for v in sys.argv[2].split("/"))
fps = num / den
at = lambda i: (i * 200 * den // num + 1) // 2
kept = []
for i in range(len(frames)):
    if not kept or at(i) - at(kept[-1]) >= 2:
        kept.append(i)
while len(kept) > 1 and at(len(frames)) - at(kept[-1]) < 2:
    kept.pop()
shown = lambda f: "out/animations/" + f
json.dump({"frames": {"prefix": "out/frames/fx", "count": len(frames), "width": width,
                      "height": height, "frameMs": 1000 / fps},
           "pictures": [
               {"name": "GIF", "url": shown("fx-gif.gif"), "type": "image/gif",
                "frames": len(kept), "oneBitAlpha": True, "toleranceMs": 10},
               {"name": "APNG", "url": shown("fx-apng.png"), "type": "image/png",
                "frames": len(frames), "exact": True, "toleranceMs": 1},
               {"name": "WebP", "url": shown("fx-webp.webp"), "type": "image/webp",
                "frames": len(frames), "exact": True, "toleranceMs": 1},
               {"name": "WebP quality 80", "url": shown("fx-lossy.webp"), "type": "image/webp",
                "frames": len(frames), "toleranceMs": 1}]},
          open(os.path.join(work, "animations.json"), "w"), indent=1)
EOF

port="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
# The server ends by itself after ten minutes even if this script is killed.
(cd "$work" && exec timeout 600 python3 -m http.server --bind 127.0.0.1 "$port" >/dev/null 2>&1) &
server=$!
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/cases.json')" \
    2>/dev/null && break
  sleep 0.1
done

total_passed=0
total_failed=0
status=0
for engine in pixi phaser animations; do
  page="check.html?engine=$engine"
  if [ "$engine" = animations ]; then page=animations.html; fi
  shots=()
  if [ "$engine" = animations ] && [ -n "${SPARKPLUME_CHECK_SHOTS:-}" ]; then
    mkdir -p "$SPARKPLUME_CHECK_SHOTS"
    shots=("$SPARKPLUME_CHECK_SHOTS/animations")
  fi
  report="$(NODE_PATH="$engines/node_modules" timeout 400 node "$root/tests/engines/run_page.js" \
    "$chromium" "http://127.0.0.1:$port/$page" "${shots[@]}" 2>"$work/$engine.log" || true)"
  printf '%s\n' "$report" | grep -v '^$' || true
  result="$(printf '%s\n' "$report" | grep "^RESULT $engine:" || true)"
  if [ -z "$result" ]; then
    echo "$engine: the page did not finish"
    tail -n 20 "$work/$engine.log"
    status=1
    continue
  fi
  total_passed=$((total_passed + $(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"$result")))
  total_failed=$((total_failed + $(sed -E 's/.*passed, ([0-9]+) failed.*/\1/' <<<"$result")))
done

echo "$total_passed passed, $total_failed failed"
if [ "$total_failed" -ne 0 ]; then status=1; fi
exit "$status"
