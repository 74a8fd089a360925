#!/usr/bin/env python3
"""The engine build, measured in one run: the DLL's size against the shared prebuilt engine of the
older recipe, the stage times of the last build from nothing in the cache's log, start to first
frame of KivoPlayer against the same build's mpv.exe with the program's options (H.264 and AV1,
hardware decoding on as the program asks, and off), the hardware decoding methods the engine
offers, and the speed at which the engine's own
mpv.com decodes a 1080p AV1 clip with dav1d (--vo=null --untimed). Prints figures, asserts nothing.

    python3 bench/engine_build.py [runs]
"""
import os
import re
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from startup_vs_mpv import (PROGRAM_OPTIONS, SHARED_ENGINE, engine_player, kivo, options_as_the_program_chose,  # noqa: E402
                            run_kivoplayer, run_mpv)

CACHE = Path(os.environ.get("KIVO_CACHE", Path.home() / ".cache" / "kivoplayer")) / "libmpv-win64"
STAGES = ["zlib", "freetype", "fribidi", "harfbuzz", "libass", "lua", "lcms2", "shaderc", "spirvcross", "libplacebo",
          "iconv", "uchardet", "dav1d", "libxml2", "ffmpeg", "mpv"]


def sizes():
    before, after = SHARED_ENGINE / "libmpv-2.dll", kivo.BIN / "libmpv-2.dll"
    for label, dll in [("shared prebuilt (older recipe)", before), ("this build", after)]:
        print(f"libmpv-2.dll {label:31s} {dll.stat().st_size / 2**20:6.1f} MiB" if dll.exists() else f"no {dll}")
    if before.exists() and after.exists():
        print(f"size ratio this build / older recipe: {after.stat().st_size / before.stat().st_size:.2f}")


def build_times():
    log = CACHE / "logs" / "times.log"
    if not log.exists():
        return print(f"no {log}: no build of the recipe on this machine")
    last = dict(re.findall(r"^(\S+) (\d+) s$", log.read_text(), re.M))  # the latest run of each stage
    print("stage times of the latest run of each stage (s): " + ", ".join(f"{s} {last.get(s, '-')}" for s in STAGES))
    print(f"sum of the compiling stages: {sum(int(last.get(s, 0)) for s in STAGES) / 60:.1f} min "
          "(add about 1 min for fetching and unpacking the sources)")


def clip_1080p_av1(seconds=10):
    out = kivo.MEDIA / "bench" / "av1-1080p.mkv"
    kivo._ffmpeg(out, "-f", "lavfi", "-i", "testsrc2=size=1920x1080:rate=25", "-t", str(seconds), "-c:v", "libsvtav1",
                 "-preset", "12", "-pix_fmt", "yuv420p")
    return out, seconds * 25


def first_frames(mpv_exe, runs):
    marker = kivo.BUILD / "bench-mpv-first-frame"
    med = statistics.median
    for clip in [kivo.media() / "a.mp4", clip_1080p_av1()[0]]:
        run_kivoplayer(clip), run_mpv(clip, mpv_exe, marker, PROGRAM_OPTIONS)  # warm caches and the wineserver
        same = options_as_the_program_chose(kivo.read_log())
        ours, theirs, unchosen = [], [], []
        for _ in range(runs):
            ours.append(run_kivoplayer(clip)[0])
            theirs.append(run_mpv(clip, mpv_exe, marker, same))
            unchosen.append(run_mpv(clip, mpv_exe, marker, PROGRAM_OPTIONS))
        print(f"{clip.name}: start -> first frame, median of {runs}: KivoPlayer {med(ours):.0f} ms, mpv.exe same "
              f"options {med(theirs):.0f} ms; ratio KivoPlayer / mpv.exe {med(ours) / med(theirs):.3f}; mpv.exe "
              f"left to search itself (hwdec=auto-safe, its own output) {med(unchosen):.0f} ms")


def decode_speed(mpv_exe):
    clip, frames = clip_1080p_av1()
    console = mpv_exe.with_suffix(".com")
    for threads in ["auto", "1"]:
        t0 = time.monotonic()
        out = subprocess.run([kivo.WINE, str(console), "--no-config", "--vo=null", "--ao=null", "--untimed",
                              "--msg-level=vd=v", f"--vd-lavc-threads={0 if threads == 'auto' else 1}", kivo.win_path(clip)],
                             env=kivo.wine_env(), stdin=subprocess.DEVNULL, capture_output=True, text=True,
                             timeout=600)
        seconds = time.monotonic() - t0
        decoder = re.search(r"Selected decoder: \S+", out.stdout + out.stderr)
        print(f"1080p AV1, {frames} frames, threads {threads}: {frames / seconds:.1f} fps in {seconds:.1f} s "
              f"(wall time including start) [{decoder.group(0) if decoder else 'decoder line not seen'}]")


def engine_lists(mpv_exe):
    """What the engine offers: its hardware decoding methods and its GPU drawing contexts."""
    for option, label in [("--hwdec=help", "hardware decoding methods"), ("--gpu-context=help", "GPU contexts")]:
        out = subprocess.run([kivo.WINE, str(mpv_exe.with_suffix(".com")), "--no-config", option],
                             env=kivo.wine_env(), stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=120)
        names = dict.fromkeys(line.split()[0] for line in out.stdout.splitlines() if line.startswith("  "))
        print(f"{label} ({option}): " + " ".join(m for m in names if m != "no" and "auto" not in m))


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 5
    mpv_exe = engine_player()
    print(f"engine's own player: {mpv_exe}")
    sizes()
    build_times()
    engine_lists(mpv_exe)
    first_frames(mpv_exe, runs)
    decode_speed(mpv_exe)


if __name__ == "__main__":
    main()
