#!/usr/bin/env bash
# Builds the suite with the address and undefined-behaviour sanitizers into
# build-sanitize/ (or $SPARKPLUME_SANITIZE_DIR) and runs every test: any
# undefined behaviour stops the test that met it. The benchmarks are not built.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${SPARKPLUME_SANITIZE_DIR:-$root/build-sanitize}"
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSPARKPLUME_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
fi
# Qt and the font libraries keep some allocations to the end of the process on
# purpose; leaks are not what this run looks for.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
cmake --build "$build" -j "$(nproc)"
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 900
