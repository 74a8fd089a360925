#!/usr/bin/env python3
"""Time from process start to the first frame: KivoPlayer against the engine's own mpv.exe,
same clip, same Wine prefix, same run, alternating. Prints medians and their ratio, and the
program's own first-paint and close times. A benchmark: it prints figures and asserts nothing.

    python3 bench/startup_vs_mpv.py [runs] [clip]
"""
import os
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402

# The options the program starts the engine with (default settings, one file, resume on),
# so that the comparison measures the program and not the cost of its options.
PROGRAM_OPTIONS = [
    "--no-config", "--terminal=no", "--osc=no", "--input-default-bindings=no", "--input-vo-keyboard=no",
    "--keep-open=yes", "--hwdec=auto-safe", "--af=@boost:lavfi=[dynaudnorm=f=250:g=15:p=0.95:m=5]", "--idle=yes",
    "--force-window=yes", "--volume-max=200", "--sub-auto=fuzzy", "--slang=tha,th,eng,en",
    "--reset-on-next-file=aid,sid", "--autocreate-playlist=no", "--directory-filter-types=video,audio",
    "--directory-mode=ignore", "--osd-level=0", "--cursor-autohide=2500", "--save-position-on-quit=yes",
    "--resume-playback=yes", "--watch-later-options=start,aid,sid,sub-delay,audio-delay",
    "--write-filename-in-watch-later-config=yes", "--screenshot-format=png",
]

SHARED_ENGINE = Path(os.environ.get("KIVO_SHARED", kivo.SOURCE.parent / "shared")) / "engine"


def engine_player():
    """The engine's own mpv.exe of the build beside the program (scripts/engine.sh puts it in
    build/win/engine), else the shared prebuilt one."""
    built = kivo.BUILD / "engine" / "mpv.exe"
    return built if built.exists() else SHARED_ENGINE / "mpv.exe"


def wait_for(predicate, timeout=60):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if predicate():
            return time.monotonic()
        time.sleep(0.002)
    raise RuntimeError("timed out")


def run_kivoplayer(clip):
    kivo.clear_log()
    env = kivo.wine_env()
    env["KIVOPLAYER_LOG"] = "1"
    t0 = time.monotonic()
    proc = subprocess.Popen([kivo.WINE, str(kivo.BIN / "KivoPlayer.exe"), str(clip)], env=env, cwd=kivo.BIN,
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    seen = wait_for(lambda: "first_frame_ms=" in kivo.read_log())
    kivo.kivoctl("post", "KivoPlayerWnd", 0x10, 0, 0)
    proc.wait(timeout=30)
    log = kivo.read_log()
    marks = {}
    for line in log.splitlines():
        if "=" in line and line.split("=")[0].endswith("_ms"):
            marks[line.split("=")[0]] = float(line.split("=")[1].split()[0])
    return (seen - t0) * 1000, marks


def run_mpv(clip, mpv_exe, marker, options):
    marker.unlink(missing_ok=True)
    script = marker.with_suffix(".lua")
    script.write_text('mp.register_event("playback-restart", function()\n'
                      f'  local f = io.open([[{kivo.win_path(marker)}]], "w") f:write("x") f:close()\n'
                      '  mp.command("quit")\nend)\n')
    env = kivo.wine_env()
    t0 = time.monotonic()
    proc = subprocess.Popen([kivo.WINE, str(mpv_exe), *options, "--script=" + kivo.win_path(script),
                             str(clip)], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    seen = wait_for(marker.exists)
    proc.wait(timeout=30)
    return (seen - t0) * 1000


def options_as_the_program_chose(log):
    """The program asks for hardware decoding only where its probe found a decoder (never under
    Wine), and under Wine names the Direct3D 9 output."""
    options = list(PROGRAM_OPTIONS)
    if "hwdec_probe_ms=" in log and "(no, " in log:
        options = ["--hwdec=no" if o == "--hwdec=auto-safe" else o for o in options]
    if "(no, wine)" in log:
        options.append("--vo=direct3d")
    return options


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    clip = Path(sys.argv[2]) if len(sys.argv) > 2 else kivo.media() / "a.mp4"
    mpv_exe = engine_player()
    if not mpv_exe.exists():
        sys.exit(f"no {mpv_exe}: the engine's own player is needed for the comparison")
    marker = kivo.BUILD / "bench-mpv-first-frame"
    ours, theirs, plain, paint, close, frame_mark = [], [], [], [], [], []
    run_kivoplayer(clip), run_mpv(clip, mpv_exe, marker, PROGRAM_OPTIONS)  # warm caches and the wineserver
    options = options_as_the_program_chose(kivo.read_log())
    for _ in range(runs):
        ms, marks = run_kivoplayer(clip)
        ours.append(ms)
        paint.append(marks.get("first_paint_ms", float("nan")))
        close.append(marks.get("close_ms", float("nan")))
        frame_mark.append(marks.get("first_frame_ms", float("nan")))
        theirs.append(run_mpv(clip, mpv_exe, marker, options))
        plain.append(run_mpv(clip, mpv_exe, marker, ["--no-config"]))
    med = statistics.median
    print(f"clip: {clip}  runs: {runs}")
    print(f"KivoPlayer start -> first frame (seen from outside): median {med(ours):7.1f} ms  {sorted(round(v) for v in ours)}")
    print(f"mpv.exe, same options ({[o for o in options if o.startswith('--hwdec')][0]}):       median {med(theirs):7.1f} ms  {sorted(round(v) for v in theirs)}")
    print(f"mpv.exe, its defaults (--no-config):               median {med(plain):7.1f} ms  {sorted(round(v) for v in plain)}")
    print(f"ratio KivoPlayer / mpv.exe with the same options: {med(ours) / med(theirs):.3f}  (target <= 1.0)")
    # Each KivoPlayer start is followed by an mpv.exe start: the ratio within each such pair is
    # less exposed to the machine's drift over the run than the ratio of the two medians.
    pairs = sorted(o / t for o, t in zip(ours, theirs))
    print(f"ratio within each pair: median {med(pairs):.3f}, middle half {pairs[len(pairs) // 4]:.3f} to "
          f"{pairs[(3 * len(pairs)) // 4]:.3f}, below 1.0 in {sum(r <= 1.0 for r in pairs)} of {len(pairs)}")
    print(f"ratio KivoPlayer / mpv.exe with its defaults:     {med(ours) / med(plain):.3f}")
    print(f"KivoPlayer first_frame_ms (since process creation): median {med(frame_mark):.1f} ms")
    print(f"KivoPlayer first_paint_ms: median {med(paint):.1f} ms; close_ms: median {med(close):.1f} ms")


if __name__ == "__main__":
    main()
