#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config locales clang-format
  qt6-base-dev zlib1g-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev
  libwebp-dev libimagequant-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
  xvfb xauth xdotool imagemagick ffmpeg
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
  else
    echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
