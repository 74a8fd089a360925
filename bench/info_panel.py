#!/usr/bin/env python3
"""Cost of the file information panel with the real engine, playing the 40-second generated
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


def ui_cpu_ms():
    after = len(kivo.read_log())
    kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 3, 0)
    return float(kivo.wait_for_log(r"^ui_cpu_ms=([\d.]+)$", 10, after).group(1))


def ui_share(seconds):
    """Percent of one core the UI thread used over `seconds`."""
    before, t0 = ui_cpu_ms(), time.monotonic()
    time.sleep(seconds)
    return (ui_cpu_ms() - before) / (time.monotonic() - t0) / 10


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 10
    kivo.reset_test_data()
    kivo.clear_log()
    player = kivo.Player(kivo.media() / "long" / "long.mp4", env={"KIVOPLAYER_DEMO": "stay"})
    kivo.wait_for_log(r"^hud_ready_ms=", 60)
    time.sleep(1.0)
    closed = ui_share(seconds)
    kivo.command("@info")
    after = len(kivo.read_log())
    time.sleep(1.0)
    opened = ui_share(seconds)
    log = kivo.read_log()[after:]
    kivo.command("@info")
    closed_again = ui_share(seconds)
    kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, 0x10, 0, 0)
    player.wait_exit(20)

    refresh = [float(v) / 1000 for v in re.findall(r"^info_refresh us=(\d+)", log, re.M)]
    patch = [float(v) / 1000 for v in re.findall(r"^info_paint rows=\d+ .* patch us=(\d+)", log, re.M)]
    whole = [float(v) / 1000 for v in re.findall(r"^info_paint rows=\d+ .* whole us=(\d+)", log, re.M)]
    rows = re.findall(r"^info_paint rows=(\d+)", log, re.M)
    print(f"{seconds:.0f} s per phase, real engine, 40 s clip playing; targets: refresh < 5 ms, "
          f"open panel <= +0.5 % of a core")
    if refresh and patch and whole:
        print(f"one refresh, wall clock (reads + rows + paint): median {statistics.median(refresh):.2f} ms, "
              f"max {max(refresh):.2f} ms over {len(refresh)} refreshes of {rows[-1]} rows")
        print(f"  repaint of the changed rows: median {statistics.median(patch):.2f} ms; "
              f"whole panel (opening): {statistics.median(whole):.2f} ms, ratio "
              f"{statistics.median(whole) / statistics.median(patch):.1f}")
    print(f"one refresh, UI thread CPU (from the shares below): {(opened - closed) * 10:.2f} ms")
    print(f"UI thread, panel closed:  {closed:5.2f} % of a core")
    print(f"UI thread, panel open:    {opened:5.2f} % of a core   (+{opened - closed:.2f}, "
          f"ratio {opened / closed if closed else float('inf'):.2f})")
    print(f"UI thread, closed again:  {closed_again:5.2f} % of a core")


if __name__ == "__main__":
    main()
