#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demonstration effect.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "${SPARKPLUME_BUILD_DIR:-$root/build}/src/sparkplume" demo "$@"
