#!/bin/bash
# Puts the playback engine, a real libmpv-2.dll, into DEST_DIR, and the engine's own player
# (mpv.exe, mpv.com) and the licence texts of its libraries into DEST_DIR/../engine:
#
#   scripts/engine.sh DEST_DIR
#
# The engine is what scripts/build-libmpv.sh (the recipe) builds. Where it comes from, in
# this order:
#   1. the prebuilt engine in ${KIVO_SHARED:-<repo>/../shared}/engine, when its RECIPE-SHA256
#      names the SHA-256 of our recipe; its DLL must match its line in SHA256SUMS, or this
#      fails. A prebuilt engine of another recipe is left alone;
#   2. otherwise the cached build of this recipe, in
#      ${KIVO_CACHE:-$HOME/.cache/kivoplayer}/libmpv-win64/recipes/<SHA-256 of the recipe>;
#   3. otherwise the recipe is run (about 19 minutes from nothing on two cores; a changed
#      recipe rebuilds only the stages it changed) and its result is used.
# Set KIVO_SHARED to a folder without the engine to skip the first way.
#
# The shared folder may be read-only: it is only read. Files are rewritten only when their
# content differs, so repeated runs leave them untouched.
set -euo pipefail

die() { echo "engine: error: $*" >&2; exit 1; }

if [ $# -ne 1 ] || [ -z "$1" ]; then echo "usage: $0 DEST_DIR" >&2; exit 2; fi
DEST=$1

HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
REPO="$(cd "$HERE/.." && pwd)"
SHARED="${KIVO_SHARED:-$REPO/../shared}"
if [ -d "$SHARED" ]; then SHARED="$(cd "$SHARED" && pwd)"; fi
BUILD_TOP="${TOP:-${KIVO_CACHE:-${HOME:?HOME is not set; set KIVO_CACHE}/.cache/kivoplayer}/libmpv-win64}"

sha256_of() { sha256sum "$1" | cut -d' ' -f1; }

# A PE image starts with "MZ"; catches an empty or truncated file before it is copied.
looks_like_dll() { [ -s "$1" ] && [ "$(head -c 2 "$1")" = "MZ" ]; }

source "$(dirname "${BASH_SOURCE[0]}")/install-if-changed.sh"

mkdir -p "$DEST" || die "cannot create $DEST"
recipe=$(sha256_of "$HERE/build-libmpv.sh")

# The DLL, the engine's own player and the licence texts from one engine folder.
install_from() {   # install_from FOLDER WHAT
    looks_like_dll "$1/libmpv-2.dll" || die "$1/libmpv-2.dll is not a Windows DLL; delete $1 and run again"
    echo "engine: source: $2 $1 (SHA-256 $(sha256_of "$1/libmpv-2.dll"))"
    install_if_changed engine 755 "$1/libmpv-2.dll" "$DEST/libmpv-2.dll"
    local companions f
    companions="$(cd "$DEST/.." && pwd)/engine"
    mkdir -p "$companions/licenses"
    for f in mpv.exe mpv.com; do
        [ -f "$1/$f" ] && install_if_changed engine 755 "$1/$f" "$companions/$f"
    done
    for f in "$1"/licenses/*.txt; do
        [ -f "$f" ] && install_if_changed engine 644 "$f" "$companions/licenses/$(basename "$f")"
    done
    return 0
}

prebuilt="$SHARED/engine"
if [ -f "$prebuilt/libmpv-2.dll" ]; then
    stands_for=$(cut -d' ' -f1 "$prebuilt/RECIPE-SHA256" 2>/dev/null || true)
    if [ "$stands_for" = "$recipe" ]; then
        sums="$prebuilt/SHA256SUMS"
        [ -r "$sums" ] || die "$prebuilt/libmpv-2.dll exists but $sums is missing, so it cannot be verified"
        want=$(awk '$2 == "libmpv-2.dll" || $2 == "*libmpv-2.dll" { print $1; exit }' "$sums")
        [ -n "$want" ] || die "$sums has no line for libmpv-2.dll"
        got=$(sha256_of "$prebuilt/libmpv-2.dll")
        if [ "$got" != "$want" ]; then
            die "checksum mismatch for $prebuilt/libmpv-2.dll
  expected $want (from $sums)
  actual   $got
  The prebuilt engine is damaged or was replaced; refusing to use it."
        fi
        install_from "$prebuilt" prebuilt
        exit 0
    fi
    echo "engine: the prebuilt engine in $prebuilt was built by another recipe (${stands_for:-unknown}); not using it"
fi

cached="$BUILD_TOP/recipes/$recipe"
if [ -f "$cached/libmpv-2.dll" ]; then
    echo "engine: using the cached build of this recipe"
else
    echo "engine: building the engine of this recipe (${recipe:0:16}); about 19 minutes from nothing on two cores"
    TOP="$BUILD_TOP" bash "$HERE/build-libmpv.sh" || die "building libmpv failed (logs in $BUILD_TOP/logs)"
    [ -f "$cached/libmpv-2.dll" ] || die "the build finished but $cached/libmpv-2.dll does not exist"
fi
install_from "$cached" "local build"
