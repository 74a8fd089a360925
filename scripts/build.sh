#!/bin/bash
# Configures and builds the Windows program into build/win/bin (with fonts and the engine).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
[ -f build/win/build.ninja ] ||
    cmake -G Ninja -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
cmake --build build/win "$@"
