"""Time from the right-button release to the context menu shown and painted, and from the end of
a hover on "Audio" to its sub-menu shown and painted: medians of 20, read from the player's
timing marks, with 2 and with 200 tracks, for rows that changed since the last opening (a full
repaint) and for unchanged rows (the kept picture). Prints figures; asserts nothing.

Run after a Windows build:  python3 bench/menu_open.py"""
import re
import statistics
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402

ROUNDS = 20
MEDIA = kivo.BUILD / "bench-menu-media.txt"


def marks(name):
    return [float(v) for v in re.findall(rf"^{name}=([\d.]+)", kivo.read_log(), re.M)]


def wait_more(name, count):
    kivo.wait_until(lambda: len(marks(name)) > count, timeout=20, what=name)


def measure(tracks, changing):
    MEDIA.write_text(kivo.track_list(*[("audio" if i % 2 else "sub", i // 2 + 1, "eng", f"Track {i}", "no")
                                       for i in range(tracks)]))
    kivo.reset_test_data()
    kivo.clear_log()
    folder = kivo.program_folder("bin-bench-menu", kivo.SCRIPTED_DLL)
    player = kivo.Player("C:\\media\\film.mkv", folder=folder,
                         env={"KIVOPLAYER_DEMO": "stay", "KIVO_ENGINE_MEDIA": kivo.win_path(MEDIA)})
    try:
        kivo.wait_for_log(r"^hud_ready_ms=", 30)
        kivo.focus_main("film.mkv - KivoPlayer")
        wx, wy, ww, _, _, _ = kivo.window_rect()
        x, y = wx + ww // 3, wy + 60
        for _ in range(ROUNDS + 1):
            if changing:
                kivo.command("cycle pause")
                kivo.command("cycle mute")
            opened, subs = len(marks("menu_open_ms")), len(marks("menu_submenu_ms"))
            kivo.click(x, y, 3)
            wait_more("menu_open_ms", opened)
            kivo.move_mouse(x + 40, y + 262)  # the "Audio" row
            wait_more("menu_submenu_ms", subs)
            kivo.xdotool("key", "Escape", "Escape")
            kivo.park_mouse()
        # The first opening also creates the window and loads the fonts.
        return statistics.median(marks("menu_open_ms")[1:]), statistics.median(marks("menu_submenu_ms")[1:])
    finally:
        player.kill()


def main():
    results = {}
    for changing in (True, False):
        for tracks in (2, 200):
            results[changing, tracks] = measure(tracks, changing)
            menu_ms, sub_ms = results[changing, tracks]
            print(f"{'changed' if changing else 'unchanged'} rows, {tracks:3d} tracks: menu {menu_ms:6.2f} ms, "
                  f"Audio sub-menu {sub_ms:6.2f} ms (median of {ROUNDS})")
    for changing in (True, False):
        base, many = results[changing, 2], results[changing, 200]
        print(f"{'changed' if changing else 'unchanged'} rows, 200 tracks against 2: menu x{many[0] / base[0]:.2f}, "
              f"sub-menu x{many[1] / base[1]:.2f}")


if __name__ == "__main__":
    main()
