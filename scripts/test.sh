#!/bin/bash
# Builds everything and runs every test level:
#   1. the platform-free core, natively, under AddressSanitizer and UBSan
#   2. the fuzz targets of the parsers, each for a bounded time
#   3. the Win32 tests and the end-to-end tests, under Wine on a private Xvfb
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
JOBS=$(nproc)

echo "== core tests (native, ASan + UBSan)"
cmake -G Ninja -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j "$JOBS"
ctest --test-dir build/native --output-on-failure -j "$JOBS"

echo "== fuzz targets"
cmake -G Ninja -S . -B build/fuzz -DKIVO_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j "$JOBS"
ctest --test-dir build/fuzz --output-on-failure -j "$JOBS"

echo "== Windows build, Win32 tests and end-to-end tests (Wine + Xvfb)"
bash scripts/build.sh -j "$JOBS"
bash scripts/package.sh
# The prefix, its wineserver and its Xvfb are ours: end them however the run ends.
trap 'bash scripts/winerun.sh --stop >/dev/null 2>&1 || true' EXIT
bash scripts/winerun.sh --start
ctest --test-dir build/win --output-on-failure -j "$JOBS"
