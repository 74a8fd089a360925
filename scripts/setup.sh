#!/bin/bash
# Installs what building, running and testing KivoPlayer needs on Debian 12 (as root).
# Idempotent: packages already present are not touched, and apt is only asked when
# something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev googletest python3
    mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
    wine wine64 xvfb xcompmgr xdotool x11-utils x11-xserver-utils imagemagick ffmpeg gdb procps
    ca-certificates xz-utils
)
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
