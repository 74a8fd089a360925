#!/bin/bash
# Has the program write its language template: dump-template.sh KivoPlayer.exe OUT.ini
# The template comes from the program's own table, so the shipped copy cannot drift from it.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$(realpath -m "$2")"
mkdir -p "$(dirname "$out")"
KIVOPLAYER_DUMPLANG="Z:${out//\//\\}" bash "$HERE/winerun.sh" "$1" </dev/null >/dev/null 2>&1
[ -s "$out" ] || { echo "dump-template: $out was not written" >&2; exit 1; }
