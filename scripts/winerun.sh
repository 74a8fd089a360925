#!/bin/bash
# Runs a 64-bit Windows program headlessly under Wine on a private Xvfb.
#
#   winerun.sh PROG.exe [ARGS...]   run it; exit status = the program's exit code & 0xFF
#   winerun.sh --start              start Xvfb, the prefix and a persistent wineserver
#   winerun.sh --stop               end this prefix's wineserver, its processes and its Xvfb
#   winerun.sh --env                print the environment to eval (DISPLAY, WINEPREFIX, ...)
#
# Used as CMAKE_CROSSCOMPILING_EMULATOR by ctest and by the end-to-end tests.
# One prefix, one Xvfb (with xcompmgr so per-pixel alpha blends), one wineserver.
# KIVO_WINE_ROOT chooses where the prefix and its session state live.
set -u
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="${KIVO_WINE_ROOT:-$HERE/../build/wine}"
mkdir -p "$ROOT"
ROOT="$(cd "$ROOT" && pwd)"
export WINEPREFIX="$ROOT/pfx"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
WINE=/usr/lib/wine/wine64
ST="$ROOT/session"
SCREEN="${KIVO_SCREEN:-1920x1080x24}"

xvfb_alive() { [ -s "$ST/display" ] && kill -0 "$(cat "$ST/xvfb.pid" 2>/dev/null)" 2>/dev/null; }

keeper_exe() {
    [ -f "$ST/keeper.exe" ] && return
    cat >"$ST/keeper.c" <<'EOF_C'
#include <windows.h>
int WINAPI WinMain(HINSTANCE h, HINSTANCE p, LPSTR c, int n) {
    CreateWindowExW(0, L"STATIC", L"winerun-keeper", WS_POPUP, 0, 0, 1, 1, NULL, NULL, h, NULL);
    MSG m; while (GetMessageW(&m, NULL, 0, 0) > 0) DispatchMessageW(&m);
    return 0;
}
EOF_C
    x86_64-w64-mingw32-gcc-posix -O2 -mwindows "$ST/keeper.c" -o "$ST/keeper.exe"
}

start() {
    mkdir -p "$ST"
    exec 9>"$ST/lock"
    flock 9                        # concurrent first runs (ctest -j) wait for one set-up
    if ! xvfb_alive; then
        # A wineserver left from a dead Xvfb keeps its desktop on that display: restart it too.
        [ -f "$WINEPREFIX/system.reg" ] && wineserver -k 2>/dev/null 9>&-
        rm -f "$ST/display" "$ST/warm"
        setsid Xvfb -displayfd 8 -screen 0 "$SCREEN" -nolisten tcp \
            8>"$ST/display" </dev/null >"$ST/xvfb.log" 2>&1 9>&- &
        echo $! >"$ST/xvfb.pid"
        for _ in $(seq 100); do [ -s "$ST/display" ] && break; sleep 0.1; done
        [ -s "$ST/display" ] || { echo "winerun: Xvfb failed, see $ST/xvfb.log" >&2; exit 125; }
        if command -v xcompmgr >/dev/null; then
            DISPLAY=":$(tr -d '\n' <"$ST/display")" setsid xcompmgr </dev/null >"$ST/xcompmgr.log" 2>&1 9>&- &
            echo $! >"$ST/xcompmgr.pid"
        fi
    fi
    export DISPLAY=":$(tr -d '\n' <"$ST/display")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "winerun: creating prefix $WINEPREFIX (about 20 s)" >&2
        wineboot -i </dev/null >"$ST/wineboot.log" 2>&1 9>&-
        wineserver -w
        # A crash prints a backtrace and exits 5 instead of opening a dialog that blocks;
        # without a window manager DestroyWindow would stall 2 s; report Windows 10.
        $WINE reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1 9>&-
        $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&-
        $WINE winecfg -v win10 </dev/null >/dev/null 2>&1 9>&-
        wineserver -w
    fi
    # Wine's background processes get stdio on /dev/null, so readers of a run's output
    # (ctest, pipes, $(...)) are not held open after the program ends.
    wineserver -p </dev/null >/dev/null 2>&1 9>&-
    local sock id
    sock=$(ls /tmp/"$(cat "$WINEPREFIX/wineserver" 2>/dev/null)"/server-*/socket 2>/dev/null | head -n1)
    [ -n "$sock" ] || sock=$(ls -d /tmp/.wine-0/server-*/socket 2>/dev/null | head -n1)
    id=$(stat -c %i "$sock" 2>/dev/null || echo none)
    if [ "$id" = none ] || [ "$(cat "$ST/warm" 2>/dev/null)" != "$id" ]; then
        $WINE cmd /c exit </dev/null >/dev/null 2>&1 9>&-
        # Keeps the Wine desktop alive so that each program's first window does not start
        # explorer.exe with the caller's stdout inherited.
        keeper_exe
        setsid "$WINE" "$ST/keeper.exe" </dev/null >/dev/null 2>&1 9>&- &
        echo "$id" >"$ST/warm"
    fi
    flock -u 9
    exec 9>&-
}

stop() {
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
    for p in xcompmgr xvfb; do
        [ -s "$ST/$p.pid" ] && kill "$(cat "$ST/$p.pid")" 2>/dev/null
        rm -f "$ST/$p.pid"
    done
    rm -f "$ST/display" "$ST/warm"
}

case "${1:-}" in
    --start) start ;;
    --stop) stop ;;
    --env) start; echo "export DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX WINEARCH=win64 WINEDEBUG=$WINEDEBUG WINEDLLOVERRIDES='$WINEDLLOVERRIDES'" ;;
    "" | -h | --help) sed -n '2,11p' "$0"; exit 2 ;;
    *) start; exec "$WINE" "$@" ;;
esac
