#!/usr/bin/env python3
"""Picture previews over the seek bar with the real engine, on ten-minute 1080p clips (H.264,
and AV1 when this engine decodes it): the time from the pointer coming to rest at a new place
on the bar to its preview shown (median and 90th percentile; places already visited), and,
sweeping the bar for a while with previews on and off in the same run, the playing engine's
dropped frames, the UI thread's CPU share and the private memory. Prints figures; asserts
nothing.

    python3 bench/previews.py [sweep seconds=10] [places=20]

Under Wine the 1080p picture is drawn by Wine's Direct3D 9 on Mesa's software GL, which keeps
both cores of a small machine busy while playing: the figures while paused show the previews'
own cost.
"""
import random
import re
import statistics
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402
from ui_cpu import ui_cpu_ms  # noqa: E402

CODECS = {"H.264": ["-c:v", "libx264", "-preset", "ultrafast", "-crf", "30"],
          "AV1": ["-c:v", "libsvtav1", "-preset", "12", "-crf", "45"]}


def clip(codec, seconds=600, size="1920x1080"):
    """A minute of testsrc2 encoded once and repeated (stream copy) to the length wanted."""
    stem = f"{codec.replace('.', '').lower()}-{size}"
    ext = "mp4" if codec == "H.264" else "mkv"
    minute = kivo.MEDIA / "bench" / f"{stem}-{min(60, seconds)}-once.{ext}"
    out = kivo.MEDIA / "bench" / f"{stem}-{seconds}.{ext}"
    minute.parent.mkdir(parents=True, exist_ok=True)
    if not minute.exists():
        subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i", f"testsrc2=size={size}:rate=25",
                        "-t", str(min(60, seconds)), *CODECS[codec], "-pix_fmt", "yuv420p", str(minute)], check=True)
    if not out.exists():
        subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-stream_loop", str(seconds // 60), "-i", str(minute),
                        "-c", "copy", "-t", str(seconds), str(out)], check=True)
    return out


def start(path, previews):
    (kivo.TEST_DATA / "settings.ini").write_text(f"previews={previews}\n")
    after = len(kivo.read_log())
    player = kivo.Player(path, env={"KIVOPLAYER_DEMO": "stay"})
    if kivo.wait_for_log(r"^(hud_ready_ms|end_file ERROR)", 90, after).group(1) != "hud_ready_ms":
        player.kill()
        return None
    time.sleep(2)
    return player


def bar_point(fraction):
    x, y, w, _ = kivo.hud_rect()
    return x + 84 + round(fraction * (w - 169)), y + 32


def wait_ms(fraction, timeout=10):
    """Rests the pointer at `fraction`; the program's own time from rest to that place's preview."""
    after = len(kivo.read_log())
    kivo.move_mouse(*bar_point(fraction))
    try:
        return float(kivo.wait_for_log(r"^preview shown t=[\d.]+ .* wait=([\d.]+)$", timeout, after).group(1))
    except AssertionError:
        return None


def resources():
    after = len(kivo.read_log())
    kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 4, 0)
    return int(kivo.wait_for_log(r"^resources .* private_kb=(\d+)", 20, after).group(1))


def sweep(seconds):
    """Back and forth over the bar, a step every 50 ms; dropped frames, UI share, private memory."""
    dropped0, ui0, t0 = int(kivo.state_line()["dropped"]), ui_cpu_ms(), time.monotonic()
    step = 0
    while time.monotonic() - t0 < seconds:
        kivo.move_mouse(*bar_point(abs((step % 40) - 20) / 20))
        step += 1
        time.sleep(0.05)
    elapsed = time.monotonic() - t0
    share = (ui_cpu_ms() - ui0) / elapsed / 10
    return int(kivo.state_line()["dropped"]) - dropped0, share, resources()


def latency(places, seed):
    rng = random.Random(seed)
    fractions = [rng.random() for _ in range(places)]
    fresh = [w for w in (wait_ms(f) for f in fractions) if w is not None]
    again = [w for w in (wait_ms(f) for f in fractions[:places // 2]) if w is not None]
    return fresh, again


def pct(values, q):
    return sorted(values)[min(len(values) - 1, int(q * len(values)))] if values else float("nan")


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 10
    places = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    kivo.reset_test_data()
    kivo.clear_log()
    for codec in CODECS:
        probe = start(clip(codec, 2, "320x240"), 0)
        if probe is None:
            print(f"{codec}: this engine cannot decode it; skipped")
            continue
        probe.close()
        path = clip(codec)
        figures = {}
        for previews in (0, 1):
            player = start(path, previews)
            if previews:
                for seed, state in enumerate(("playing", "paused")):
                    kivo.command(f"set pause {'yes' if state == 'paused' else 'no'}")
                    fresh, again = latency(places, seed)
                    print(f"{codec} {state}, rest -> preview shown: new places median {statistics.median(fresh):.0f} "
                          f"ms, p90 {pct(fresh, 0.9):.0f} ms ({len(fresh)}/{places} shown); visited places median "
                          f"{statistics.median(again):.0f} ms, p90 {pct(again, 0.9):.0f} ms", flush=True)
                kivo.command("set pause no")
            figures[previews] = sweep(seconds)
            kivo.park_mouse()
            player.close()
        if len(figures) == 2:
            (d0, u0, m0), (d1, u1, m1) = figures[0], figures[1]
            print(f"{codec} sweeping {seconds:.0f} s: dropped frames off {d0}, on {d1}; UI thread off {u0:.1f} %, "
                  f"on {u1:.1f} % of a core (x{u1 / max(u0, 0.01):.2f}); private memory off {m0 / 1024:.0f} MB, "
                  f"on {m1 / 1024:.0f} MB (+{(m1 - m0) / 1024:.0f} MB)")


if __name__ == "__main__":
    main()
