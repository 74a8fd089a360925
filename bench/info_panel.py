#!/usr/bin/env python3
"""Cost of the file information panel with the real engine, playing a generated 150-second
clip: one refresh (every property read, rebuilding the rows, placing and repainting) as timed
by the program itself, and the UI thread's CPU share with the panel closed and open. Prints
figures; asserts nothing.

    python3 bench/info_panel.py [seconds]
"""
import re
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402
from ui_cpu import ui_share  # noqa: E402


def long_clip():
    """Two and a half minutes of H.264 and AAC, so that every phase measures playback."""
    out = kivo.MEDIA / "bench" / "long150.mp4"
    out.parent.mkdir(parents=True, exist_ok=True)
    kivo._ffmpeg(out, "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-f", "lavfi", "-i", "sine=frequency=440",
                 "-t", "150", "-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p", "-c:a", "aac")
    return out


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 12
    kivo.reset_test_data()
    kivo.clear_log()
    player = kivo.Player(long_clip(), env={"KIVOPLAYER_DEMO": "stay"})
    kivo.wait_for_log(r"^hud_ready_ms=", 60)
    time.sleep(1.0)
    after = len(kivo.read_log())
    closed, opened = [], []
    for _ in range(2):  # alternating, so that a change in the machine's load hits both alike
        closed.append(ui_share(seconds))
        kivo.command("@info")
        time.sleep(1.0)
        opened.append(ui_share(seconds))
        kivo.command("@info")
    log = kivo.read_log()[after:]
    kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, 0x10, 0, 0)
    player.wait_exit(20)
    closed, opened = statistics.mean(closed), statistics.mean(opened)

    refresh = [float(v) / 1000 for v in re.findall(r"^info_refresh us=(\d+)", log, re.M)]
    paints = {kind: [float(v) / 1000 for v in re.findall(rf"^info_paint rows=\d+ .* {kind} us=(\d+)", log, re.M)]
              for kind in ("whole", "patch", "same")}
    rows = re.findall(r"^info_paint rows=(\d+)", log, re.M)
    print(f"{seconds:.0f} s per phase, twice each, real engine, 150 s clip playing; targets: refresh < 5 ms, "
          f"open panel <= +0.5 % of a core")
    if refresh:
        print(f"one refresh, wall clock (reads + rows + paint): median {statistics.median(refresh):.2f} ms, "
              f"max {max(refresh):.2f} ms over {len(refresh)} refreshes of {rows[-1]} rows")
    for kind, what in [("whole", "whole panel (opening)"), ("patch", "changed rows redrawn"),
                       ("same", "nothing in view changed")]:
        if paints[kind]:
            print(f"  paint, {what:24s} median {statistics.median(paints[kind]):7.2f} ms  ({len(paints[kind])}x)")
    print(f"one refresh, UI thread CPU (from the shares below): {(opened - closed) * 10:.2f} ms")
    print(f"UI thread, panel closed: {closed:5.2f} % of a core")
    print(f"UI thread, panel open:   {opened:5.2f} % of a core   (+{opened - closed:.2f}, "
          f"ratio {opened / closed if closed else float('inf'):.2f})")

if __name__ == "__main__":
    main()
