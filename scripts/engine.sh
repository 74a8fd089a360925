#!/bin/bash
# Puts the playback engine, a real libmpv-2.dll, into DEST_DIR:
#
#   scripts/engine.sh DEST_DIR
#
# Where the DLL comes from, in this order:
#   1. the prebuilt engine in ${KIVO_SHARED:-<repo>/../shared}/engine/libmpv-2.dll, when
#      it exists; it must match its line in SHA256SUMS beside it, or this fails;
#   2. otherwise our own build, scripts/build-libmpv.sh, whose output is cached in
#      ${KIVO_CACHE:-$HOME/.cache/kivoplayer}/libmpv-win64/out (about 13 minutes the
#      first time, nothing once cached).
# Set KIVO_SHARED to a folder without the engine to force the second way.
#
# The shared folder may be read-only: it is only read. DEST_DIR/libmpv-2.dll is
# rewritten only when its content differs, so repeated runs leave it untouched.
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

prebuilt="$SHARED/engine/libmpv-2.dll"
if [ -f "$prebuilt" ]; then
    sums="$SHARED/engine/SHA256SUMS"
    [ -r "$sums" ] || die "$prebuilt exists but $sums is missing, so it cannot be verified"
    want=$(awk '$2 == "libmpv-2.dll" || $2 == "*libmpv-2.dll" { print $1; exit }' "$sums")
    [ -n "$want" ] || die "$sums has no line for libmpv-2.dll"
    got=$(sha256_of "$prebuilt")
    if [ "$got" != "$want" ]; then
        die "checksum mismatch for $prebuilt
  expected $want (from $sums)
  actual   $got
  The prebuilt engine is damaged or was replaced; refusing to use it."
    fi
    looks_like_dll "$prebuilt" || die "$prebuilt is not a Windows DLL"
    echo "engine: source: prebuilt $prebuilt (SHA-256 $got verified)"
    install_if_changed engine 755 "$prebuilt" "$DEST/libmpv-2.dll"
    exit 0
fi

built="$BUILD_TOP/out/libmpv-2.dll"
if [ -f "$built" ]; then
    echo "engine: no prebuilt engine in $SHARED/engine; using the cached build"
else
    echo "engine: no prebuilt engine in $SHARED/engine; building it (about 13 minutes)"
    TOP="$BUILD_TOP" "$HERE/build-libmpv.sh" || die "building libmpv failed (logs in $BUILD_TOP/logs)"
    [ -f "$built" ] || die "the build finished but $built does not exist"
fi
looks_like_dll "$built" || die "$built is not a Windows DLL; delete it and run again"
echo "engine: source: local build $built (SHA-256 $(sha256_of "$built"))"
install_if_changed engine 755 "$built" "$DEST/libmpv-2.dll"
