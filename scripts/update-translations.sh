#!/usr/bin/env bash
# Brings translations/sparkplume_en.ts up to date with the texts marked in src/:
# new texts come in unfinished (the catalogue test then names them), texts no
# longer in the code go. Fill in the English in the .ts file, then build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lupdate="$(command -v lupdate || true)"
[ -n "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || { echo "lupdate not found (Debian: qt6-l10n-tools)" >&2; exit 1; }
cd "$root"
# The RENDER programs print nothing the user reads in the editor's language.
mapfile -t sources < <(find src -path src/tools -prune -o \( -name '*.cpp' -o -name '*.h' \) -print | sort)
"$lupdate" -locations none -no-obsolete -source-language ja_JP -target-language en \
  "${sources[@]}" -ts translations/sparkplume_en.ts
