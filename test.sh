#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "${SPARKPLUME_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j "$(nproc)" --timeout 600
