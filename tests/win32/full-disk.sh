#!/bin/bash
# Prepares real write failures for the stored-file tests:
#   tmpfs/    a tiny file system filled to the last byte   } only where mounting is allowed
#   readonly/ a tiny file system mounted read-only          } (both hold settings.ini)
set -u
dir=$2
case "$1" in
setup)
    mkdir -p "$dir/tmpfs" "$dir/readonly"
    for fs in tmpfs readonly; do
        mountpoint -q "$dir/$fs" || mount -t tmpfs -o size=64k tmpfs "$dir/$fs" 2>/dev/null || continue
        printf 'seek=30\n' >"$dir/$fs/settings.ini"
    done
    mountpoint -q "$dir/tmpfs" && dd if=/dev/zero of="$dir/tmpfs/filler" bs=4k 2>/dev/null
    mountpoint -q "$dir/readonly" && mount -o remount,ro "$dir/readonly"
    exit 0 ;;
cleanup)
    for fs in tmpfs readonly; do mountpoint -q "$dir/$fs" && umount "$dir/$fs"; done
    rm -rf "$dir"
    exit 0 ;;
esac
exit 2
