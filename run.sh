#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job: with a display, the
# editor with the first sample effect; without one, that sample exported to a
# sprite sheet (with its frame data for game engines).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${SPARKPLUME_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${SPARKPLUME_HEADLESS:-0}" != 1 ]; then
  echo "エディタでサンプル「burst」を開きます…"
  exec "$build/src/sparkplume" "$build/samples/burst.spd"
fi

out="$root/output"
mkdir -p "$out"
echo "サンプル「burst」をスプライトシートに書き出します…"
"$build/src/sparkplume" export "$build/samples/burst.spd" --out "$out/burst.png"
echo "書き出しました: $out/burst.png（フレーム情報: $out/burst.json）"
