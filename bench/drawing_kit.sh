#!/bin/bash
# Times one toast repaint and one full canvas + layered presentation (1100 × 82 unscaled)
# at scale 1 and 2 under Wine; prints medians of many runs, asserts nothing.
#
#   bash bench/drawing_kit.sh [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/build.sh >/dev/null
OUT=build/win/bench/drawing_kit_bench.exe
# Built by CMake when the bench folder is part of the build, else by hand against the library.
if ! cmake --build build/win --target drawing_kit_bench >/dev/null 2>&1; then
    mkdir -p build/win/bench
    x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 \
        -DNOMINMAX -Isrc bench/drawing_kit_bench.cpp build/win/libkivo_win.a -o "$OUT" -static \
        -lgdiplus -ldwmapi -lshcore -lshlwapi -lcomctl32 -lcomdlg32 -lole32 -luuid -lshell32 -lwinmm \
        -lgdi32 -luser32 -ladvapi32 -lmsimg32
fi
echo "drawing kit under $(wine --version 2>/dev/null || echo Wine), $(nproc) cores"
bash scripts/winerun.sh "$OUT" "${1:-200}" | tr -d '\r'
