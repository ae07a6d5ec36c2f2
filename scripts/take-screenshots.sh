#!/usr/bin/env bash
# Takes the manual's pictures from the running editor, so that they can be made
# again whenever the user interface changes: the editor with the burst sample,
# the export options dialog, the sprite-sheet dialog, and a sheet the export
# made. Runs the built editor on a virtual display in a private work folder and
# drives it with xdotool. The Japanese pictures go to docs/ (for manual.html),
# the English ones to docs/en/ (for manual.en.html); the exported sheet is the
# same in both languages and is kept once, in docs/.
#   scripts/take-screenshots.sh [--lang ja|en]     (after scripts/build.sh; default ja)
# Needs Xvfb, xdotool and ImageMagick (scripts/install-deps.sh installs them).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SPARKPLUME_BUILD_DIR:-$root/build}"
program="$build/src/sparkplume"
sample="$build/samples/burst.spd"

lang=ja
while [ $# -gt 0 ]; do
  case "$1" in
    --lang) lang="${2:-}"; shift 2 || shift ;;
    --lang=*) lang="${1#--lang=}"; shift ;;
    *) echo "usage: $0 [--lang ja|en]" >&2; exit 1 ;;
  esac
done
# The windows are found by their titles, which follow the language.
case "$lang" in
  ja) docs="$root/docs"
      title_options='^書き出しオプション$'; title_save='^書き出し$'
      title_sheet='^並べて保存$'; title_done='^書き出し$' ;;
  en) docs="$root/docs/en"
      title_options='^Export Options$'; title_save='^Export$'
      title_sheet='^Sprite sheet$'; title_done='^Export$' ;;
  *) echo "usage: $0 [--lang ja|en]" >&2; exit 1 ;;
esac
mkdir -p "$docs"
for need in Xvfb xdotool import convert; do
  command -v "$need" >/dev/null || { echo "$need is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
[ -x "$program" ] && [ -f "$sample" ] || { echo "build first: scripts/build.sh" >&2; exit 1; }

# A display nobody uses.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
export DISPLAY=":$number"
work="$(mktemp -d)"
Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
editor=""
cleanup() {
  [ -n "$editor" ] && kill "$editor" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sleep 1

# The window fills the screen; there is no window manager, so no frames either.
mkdir -p "$work/ws" "$work/out"
printf '[WindowPos]\nx=0\ny=0\n[WindowSize]\nfull=0\nx=1280\ny=800\n' > "$work/ws/setup.ini"
SPARKPLUME_WORKSPACE="$work/ws" "$program" --lang "$lang" "$sample" >/dev/null 2>&1 &
editor=$!

# The one visible window whose title matches, once it is there.
window() {
  local id=""
  for _ in $(seq 1 200); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 || true)"
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  echo "no window \"$1\" appeared" >&2
  exit 1
}
# Keys go to a window by giving it the focus first: without a window manager
# nothing else does.
keys() {
  xdotool windowfocus --sync "$1"
  shift
  xdotool "$@"
}
shoot() { import -window "$1" "$2"; }

main="$(window 'burst\.spd')"
sleep 2
# Zoom in once, pause, and show frame 8, where the burst is at its fullest: the
# toolbar's zoom-in button, the transport bar's play button, its slider from
# the first frame six steps on, and one step of the step button (a step, unlike
# the slider, also writes the caption).
xdotool mousemove 552 38 click 1
sleep 0.5
xdotool mousemove 446 629 click 1
sleep 0.3
xdotool mousemove 600 629 click 1
keys "$main" key Home Right Right Right Right Right Right
xdotool mousemove 474 629 click 1
sleep 0.5
shoot "$main" "$work/editor.png"

# The toolbar's export button, the fourth, under the menu bar.
xdotool mousemove 192 38 click 1
options="$(window "$title_options")"
sleep 0.5
shoot "$options" "$work/export-options.png"
keys "$options" key Return

save="$(window "$title_save")"
sleep 0.5
keys "$save" type --delay 20 "$work/out/burst.png"
keys "$save" key Return

sheet="$(window "$title_sheet")"
sleep 0.5
shoot "$sheet" "$work/sheet-dialog.png"
keys "$sheet" key Return

done_box="$(window "$title_done")"
sleep 0.5
keys "$done_box" key Return
for _ in $(seq 1 100); do [ -f "$work/out/burst_0.png" ] && break; sleep 0.1; done

# Small pictures for the repository: the editor and the dialogs as they are,
# the first sheet at half size over a dark background (its own is transparent).
convert "$work/editor.png" -strip "$docs/editor.png"
convert "$work/export-options.png" -strip "$docs/export-options.png"
convert "$work/sheet-dialog.png" -strip "$docs/sheet-dialog.png"
if [ "$lang" = ja ]; then
  convert "$work/out/burst_0.png" -background '#202020' -flatten -resize 50% -strip \
    "$docs/sheet-example.png"
  echo "Pictures written to $docs: editor.png export-options.png sheet-dialog.png sheet-example.png"
else
  echo "Pictures written to $docs: editor.png export-options.png sheet-dialog.png"
fi
