#!/bin/bash
# Runs KivoPlayer under Wine with the given files, folders or URLs.
# With a display it simply opens the window there. Without one it starts its own Xvfb,
# runs the player for a few seconds, saves a screenshot (with the engine's picture put in
# where Wine keeps it off the screen) and the diagnostics log under build/run/ and prints
# where they are.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
bash scripts/build.sh --target KivoPlayer runtime_files kivoctl >/dev/null
EXE="$ROOT/build/win/bin/KivoPlayer.exe"
WINE=/usr/lib/wine/wine64

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wine-user/pfx}" WINEARCH=win64 WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec "$WINE" "$EXE" "$@"
fi

OUT="$ROOT/build/run"
mkdir -p "$OUT"
export KIVO_WINE_ROOT="$ROOT/build/wine-run"
eval "$(bash scripts/winerun.sh --env | tail -n 1)"
trap 'bash scripts/winerun.sh --stop >/dev/null 2>&1 || true' EXIT
ctl() { "$WINE" "$ROOT/build/win/tools/kivoctl.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
temp=$("$WINE" cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')
temp="$WINEPREFIX/drive_c/${temp#C:\\}"
LOG="${temp//\\//}/kivoplayer-play.txt"
rm -f "$LOG"

KIVOPLAYER_LOG=1 "$WINE" "$EXE" "$@" </dev/null >/dev/null 2>&1 &
player=$!
# Wait for the first paint, and for the first picture when files were given.
want="first_paint_ms="
[ $# -gt 0 ] && want="first_frame_ms=|LOAD_FAIL|mpv_create failed|SYMBOLS_MISSING|end_file ERROR"
for _ in $(seq 300); do
    grep -qE "$want" "$LOG" 2>/dev/null && break
    kill -0 "$player" 2>/dev/null || break
    sleep 0.1
done
sleep 1
import -window root "$OUT/screenshot.png"
if picture=$(ctl window KivoPlayerWnd KivoPlayerVideo) && [ -n "$picture" ]; then
    read -r px py pw ph _ <<<"$picture"
    bash scripts/compose-picture.sh "$OUT/screenshot.png" "$px" "$py" "$pw" "$ph" || true
fi
ctl post KivoPlayerWnd 0x0010 0 0 >/dev/null || true
for _ in $(seq 50); do kill -0 "$player" 2>/dev/null || break; sleep 0.1; done
kill "$player" 2>/dev/null || true
cp "$LOG" "$OUT/kivoplayer-play.txt" 2>/dev/null || : >"$OUT/kivoplayer-play.txt"
echo "screenshot: $OUT/screenshot.png"
echo "log:        $OUT/kivoplayer-play.txt"
