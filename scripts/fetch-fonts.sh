#!/bin/bash
# Puts the two UI font files the program loads from its "fonts" folder into DEST_DIR:
#
#   scripts/fetch-fonts.sh DEST_DIR
#
#   DEST_DIR/ChakraPetch-Medium.ttf      (UI text, covers Thai)
#   DEST_DIR/ShareTechMono-Regular.ttf   (figures and times)
#   DEST_DIR/ChakraPetch-OFL.txt, ShareTechMono-OFL.txt   (their licences, which
#                                         must travel with the fonts)
#
# The fonts come from the npm registry (the @expo-google-fonts packages carry the
# plain TTF files), fetched with "npm pack" at pinned versions. The tarballs are kept
# in ${KIVO_CACHE:-$HOME/.cache/kivoplayer}/fonts; once there, no network is used.
# Every file is checked against a pinned SHA-256, and files in DEST_DIR are only
# rewritten when their content differs, so repeated runs change nothing.
set -euo pipefail

die() { echo "fetch-fonts: error: $*" >&2; exit 1; }

if [ $# -ne 1 ] || [ -z "$1" ]; then echo "usage: $0 DEST_DIR" >&2; exit 2; fi
DEST=$1

CACHE="${KIVO_CACHE:-${HOME:?HOME is not set; set KIVO_CACHE}/.cache/kivoplayer}/fonts"

# Pinned packages. A published npm version never changes, so the hashes hold.
#   name|version|tarball sha256|path in tarball|installed name|ttf sha256
FONTS=(
  "@expo-google-fonts/chakra-petch|0.4.1|116c03f741be23002f574e1dc32667668f4234d728c9ad91fc243e81c23bc226|package/500Medium/ChakraPetch_500Medium.ttf|ChakraPetch-Medium|24b98ee7edea6184310c7c04226ae927c3ebb37a27124507b5dfff6ef41ff180"
  "@expo-google-fonts/share-tech-mono|0.4.1|dc9c434e7a568a90815ce4b4c54324383d31878c22221e9deac89796fefa8be6|package/400Regular/ShareTechMono_400Regular.ttf|ShareTechMono-Regular|911a85f56c44e8a712458513e6972a3e296ee9a84e70754462d03de3f3609c2b"
)

sha256_of() { sha256sum "$1" | cut -d' ' -f1; }

ensure_npm() {
    command -v npm >/dev/null 2>&1 && return 0
    [ "$(id -u)" = 0 ] || die "npm is not installed (apt-get install npm, as root)"
    echo "fetch-fonts: installing npm with apt-get" >&2
    apt-get update -qq || die "apt-get update failed"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends npm >/dev/null \
        || die "apt-get install npm failed"
}

# Prints the path of the cached tarball of NAME@VERSION, fetching it when it is
# missing or does not match its pinned hash.
tarball() {
    local name=$1 version=$2 want=$3
    # npm names a scoped package's tarball "scope-name-version.tgz" without the "@".
    local base
    base="$(echo "${name#@}" | tr / -)-$version.tgz"
    local file="$CACHE/$base"
    if [ -f "$file" ]; then
        [ "$(sha256_of "$file")" = "$want" ] && { echo "$file"; return 0; }
        echo "fetch-fonts: cached $base does not match its pinned hash; fetching it again" >&2
        rm -f "$file"
    fi
    ensure_npm
    mkdir -p "$CACHE"
    local tmp
    tmp=$(mktemp -d "$CACHE/.pack.XXXXXX")
    echo "fetch-fonts: npm pack $name@$version" >&2
    if ! (cd "$tmp" && npm pack --loglevel=error --pack-destination "$tmp" "$name@$version" >"$tmp/npm.log" 2>&1); then
        cat "$tmp/npm.log" >&2
        rm -rf "$tmp"
        die "npm could not fetch $name@$version from $(npm config get registry 2>/dev/null || echo 'the npm registry').
  Check the network or proxy settings (npm config get proxy / https-proxy), then run again."
    fi
    [ -f "$tmp/$base" ] || { cat "$tmp/npm.log" >&2; rm -rf "$tmp"; die "npm pack did not produce $base"; }
    local got
    got=$(sha256_of "$tmp/$base")
    if [ "$got" != "$want" ]; then
        rm -rf "$tmp"
        die "$base has SHA-256 $got, expected $want"
    fi
    # Moved into place only when complete, so an interrupted fetch never looks cached.
    mv -f "$tmp/$base" "$file"
    rm -rf "$tmp"
    echo "$file"
}

source "$(dirname "${BASH_SOURCE[0]}")/install-if-changed.sh"

mkdir -p "$DEST" || die "cannot create $DEST"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for entry in "${FONTS[@]}"; do
    IFS='|' read -r name version tar_sha member out ttf_sha <<<"$entry"
    tgz=$(tarball "$name" "$version" "$tar_sha")
    dir="$work/$out"
    mkdir -p "$dir"
    tar -xzf "$tgz" -C "$dir" "$member" package/LICENSE_FONT \
        || die "$tgz lacks $member"
    got=$(sha256_of "$dir/$member")
    [ "$got" = "$ttf_sha" ] || die "$member from $tgz has SHA-256 $got, expected $ttf_sha"
    install_if_changed fetch-fonts 644 "$dir/$member" "$DEST/$out.ttf"
    install_if_changed fetch-fonts 644 "$dir/package/LICENSE_FONT" "$DEST/${out%%-*}-OFL.txt"
done
