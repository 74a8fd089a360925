#!/usr/bin/env python3
"""The watch history's cost: the read of a resume folder of 1,000 files (most naming media
that exists) and the start screen's first full paint with it, against an empty folder in the
same run, alternating. Prints medians and their ratio; asserts nothing.

    python3 bench/history_startup.py [runs]
"""
import os
import random
import re
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402


def fill(resume, media, count):
    rng = random.Random(7)
    for i in range(count):
        target = media / f"clip{i:04d}.mkv"
        if i % 10:
            target.write_bytes(b"")  # one in ten names a file that is gone
        entry = resume / f"{i:032X}"
        entry.write_text(f"# {kivo.win_path(target)}\nstart={rng.uniform(1, 7200):.6f}\n")
        t = 1.7e9 + rng.uniform(0, 1e7)
        os.utime(entry, (t, t))


def one_run(resume):
    """One start with `resume` moved in as the test resume folder (moved back afterwards), so
    that writing the files is not part of what is measured."""
    kivo.clear_log()
    target = kivo.TEST_DATA / "resume"
    resume.rename(target)
    try:
        player = kivo.Player(env={"KIVOPLAYER_DEMO": "stay"})
        plain = float(kivo.wait_for_log(r"^first_paint_ms=([\d.]+)", 60).group(1))
        read = float(kivo.wait_for_log(r"^history_read .* ms=([\d.]+)", 60).group(1))
        paint = float(kivo.wait_for_log(r"^start_screen_paint_ms=([\d.]+)", 60).group(1))
        player.close()
    finally:
        target.rename(resume)
    return plain, read, paint


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 7
    kivo.reset_test_data()
    store = kivo.TEST_DATA / "bench"
    folders = {0: store / "empty", 1000: store / "full"}
    for folder in folders.values():
        folder.mkdir(parents=True)
    media = kivo.TEST_DATA / "media"
    media.mkdir()
    fill(folders[1000], media, 1000)
    figures = {count: [] for count in folders}
    for _ in range(runs):
        for count, folder in folders.items():
            figures[count].append(one_run(folder))
    med = {c: [statistics.median(run[i] for run in v) for i in range(3)] for c, v in figures.items()}
    print(f"runs: {runs} each, alternating (medians)")
    for count, (plain, read, paint) in med.items():
        print(f"{count:5d} resume files: readWatchHistory {read:6.2f} ms, first paint (plain) {plain:6.1f} ms, "
              f"first start-screen paint {paint:6.1f} ms")
    print(f"start-screen paint ratio 1000 files / empty: {med[1000][2] / med[0][2]:.3f}")


if __name__ == "__main__":
    main()
