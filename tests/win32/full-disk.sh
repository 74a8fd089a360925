#!/bin/bash
# Prepares real write failures for the stored-file tests:
#   devfull/  big.ini and small.ini, each beside a ".tmp" link to /dev/full (every write fails)
#   tmpfs/    a tiny file system filled to the last byte (only where mounting is allowed)
#   readonly/ a tiny file system mounted read-only, holding settings.ini (likewise)
set -u
dir=$2
case "$1" in
setup)
    mkdir -p "$dir/devfull" "$dir/tmpfs" "$dir/readonly"
    for name in big small; do
        printf 'seek=30\n' >"$dir/devfull/$name.ini"
        ln -sfn /dev/full "$dir/devfull/$name.ini.tmp"
    done
    if ! mountpoint -q "$dir/tmpfs" && mount -t tmpfs -o size=64k tmpfs "$dir/tmpfs" 2>/dev/null; then
        printf 'seek=30\n' >"$dir/tmpfs/settings.ini"
        dd if=/dev/zero of="$dir/tmpfs/filler" bs=4k 2>/dev/null
    fi
    if ! mountpoint -q "$dir/readonly" && mount -t tmpfs -o size=64k tmpfs "$dir/readonly" 2>/dev/null; then
        printf 'seek=30\n' >"$dir/readonly/settings.ini"
        mount -o remount,ro "$dir/readonly"
    fi
    exit 0 ;;
cleanup)
    mountpoint -q "$dir/tmpfs" && umount "$dir/tmpfs"
    mountpoint -q "$dir/readonly" && umount "$dir/readonly"
    rm -rf "$dir"
    exit 0 ;;
esac
exit 2
