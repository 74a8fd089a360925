#!/usr/bin/env python3
"""The playlist panel with the real engine and a queue of 10,000 entries: time to show it,
to repaint after a wheel step and to follow a change of the playing entry (with the share
spent reading the engine's properties), and the UI thread's CPU while nothing changes, with
the panel open against closed (the baseline). Then the time to add one bookmark to a
bookmarks.txt of 100,000 lines. Prints figures; asserts nothing.

    python3 bench/playlist_bench.py
"""
import re
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402
from ui_cpu import ui_share  # noqa: E402

ENTRIES = 10000


def figures(pattern, after):
    return [tuple(float(v) for v in m.groups()) for m in re.finditer(pattern, kivo.read_log()[after:], re.M)]


def playlist(clips):
    queue = kivo.TEST_DATA / "queue.m3u"
    names = [kivo.win_path(clips / n) for n in ("a.mp4", "b.mkv")]
    queue.write_text("".join(names[i % 2] + "\n" for i in range(ENTRIES)))
    player = kivo.Player(queue, env={"KIVOPLAYER_DEMO": "stay"})
    kivo.wait_for_log(r"^hud_ready_ms=", 60)
    kivo.wait_until(lambda: kivo.state_line()["playlist"] == f"1/{ENTRIES}", 30, "the whole queue")
    kivo.command("set pause yes")
    time.sleep(1)
    closed = ui_share(5)

    mark = len(kivo.read_log())
    kivo.command("@playlist")
    show = float(kivo.wait_for_log(r"^playlist_show ms=([\d.]+)", 30, mark).group(1))
    ms, reads, read_ms = figures(r"^playlist_refresh ms=([\d.]+) reads=(\d+) read_ms=([\d.]+)", mark)[0]
    print(f"show with {ENTRIES} entries: {show:.1f} ms (target 150), of it {read_ms:.1f} ms in {reads:.0f} "
          f"property reads; ratio show / reads {show / max(read_ms, 0.01):.2f}")

    px, py, pw, ph, _, _ = kivo.window_rect("KivoPlaylist")
    kivo.move_mouse(px + 100, py + 120)
    time.sleep(0.5)
    mark = len(kivo.read_log())
    for _ in range(20):
        kivo.xdotool("click", 5)
    kivo.wait_for_log(r"^playlist_paint \d+ count=\d+ pos=\d+ first=60 ", 20, mark)
    paints = [f[0] for f in figures(r"^playlist_paint .* ms=([\d.]+) ", mark)]
    print(f"repaint after a wheel step: median {statistics.median(paints):.2f} ms, max {max(paints):.2f} ms "
          f"over {len(paints)} steps (target 8)")

    mark = len(kivo.read_log())
    kivo.command("playlist-play-index 5000")
    kivo.wait_for_log(r"^playlist_tick ", 30, mark)
    ms, reads, read_ms = figures(r"^playlist_tick ms=([\d.]+) reads=(\d+) read_ms=([\d.]+)", mark)[0]
    print(f"following a position change: {ms:.1f} ms, of it {read_ms:.1f} ms in {reads:.0f} property reads "
          f"({read_ms / ms * 100:.0f} %)")

    kivo.command("set pause yes")
    time.sleep(1)
    mark = len(kivo.read_log())
    opened = ui_share(5)
    ticks = len(figures(r"^playlist_(tick) ", mark))
    kivo.command("@playlist")
    idle = kivo.wait_for_log(r"^playlist_hide idle_ticks=(\d+) idle_ms=([\d.]+)", 10, mark)
    per_tick = float(idle.group(2)) / max(int(idle.group(1)), 1) * 1000
    print(f"UI thread while nothing changes: panel open {opened:.2f} % of a core, closed {closed:.2f} % "
          f"(baseline); ratio {opened / max(closed, 0.01):.2f}; refreshes that repainted: {ticks}; "
          f"an unchanged tick costs {per_tick:.0f} us (its three property reads)")
    kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, 0x10, 0, 0)
    player.wait_exit(20)


def bookmarks(clips):
    key = kivo.win_path(clips / "b.mkv")
    lines = [f"T\t{i * 2}.000\tD:\\other\\film{i % 500}.mkv\n" for i in range(99990)]
    lines += [f"T\t{i * 5}.000\t{key}\n" for i in range(10)]
    (kivo.TEST_DATA / "bookmarks.txt").write_text("".join(lines))
    player = kivo.Player(clips / "b.mkv", env={"KIVOPLAYER_DEMO": "stay"})
    kivo.wait_for_log(r"^hud_ready_ms=", 60)
    kivo.command("set pause yes")
    times = []
    for seconds in (6.2, 7.4):
        kivo.command(f"seek {seconds} absolute+exact")
        time.sleep(0.3)
        mark = len(kivo.read_log())
        started = time.monotonic()
        kivo.command("@bmadd")
        saved = kivo.wait_for_log(r"^bookmarks saved entries=(\d+) ms=(\d+)", 20, mark)
        times.append((float(saved.group(2)), (time.monotonic() - started) * 1000, int(saved.group(1))))
    baseline = kivo.TEST_DATA / "copy.txt"
    t0 = time.monotonic()
    baseline.write_bytes((kivo.TEST_DATA / "bookmarks.txt").read_bytes())
    copy_ms = (time.monotonic() - t0) * 1000
    for inside, outside, entries in times:
        print(f"add a bookmark to {entries} lines: {inside:.0f} ms in the program, {outside:.0f} ms seen from "
              f"the driver (target 200); ratio to copying the file in Python ({copy_ms:.1f} ms): "
              f"{inside / max(copy_ms, 0.01):.1f}")
    kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, 0x10, 0, 0)
    player.wait_exit(20)


def main():
    clips = kivo.media()
    kivo.reset_test_data()
    kivo.clear_log()
    playlist(clips)
    kivo.reset_test_data()
    kivo.clear_log()
    bookmarks(clips)


if __name__ == "__main__":
    main()
