"""The right-click and bookmarks menus with real X input, against the scripted engine's journal."""
import re
import time

import kivo
from kivo import ScriptedTest

TITLE = "film.mkv - KivoPlayer"
CYAN = (0, 229, 255)
SCREEN = (1920, 1080)


def levels_after(after):
    """Each "menu level=" line logged after `after`: (level, x, y, w, h, rows)."""
    rx = r"^menu level=(\d+) x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+) rows=(\d+)"
    return [tuple(map(int, m)) for m in re.findall(rx, kivo.read_log()[after:], re.M)]


def open_level(action, level):
    """Does `action` and waits until it opened menu level `level`; returns that level's line."""
    after = len(kivo.read_log())
    action()
    return kivo.wait_until(lambda: [l for l in levels_after(after) if l[0] == level], what=f"menu level {level}")[-1]


def open_count():
    last = re.findall(r"^menu level(s=\d+|=\d+)\b", kivo.read_log(), re.M)[-1]
    return int(last[2:]) if last[0] == "s" else int(last[1:]) + 1


def row_centre(menu, top, scale=1.0):
    """Screen point of the row whose unscaled top is `top` (rows are 28 high)."""
    return menu[1] + int(60 * scale), menu[2] + int((top + 14) * scale)


class Menu(ScriptedTest):
    media = kivo.track_list(("audio", 1, "jpn", "Japanese", "yes"), ("audio", 2, "eng", "", "no"),
                            ("sub", 1, "tha", "Thai", "no"))

    def right_click(self, x, y):
        return open_level(lambda: kivo.click(x, y, 3), 0)

    def test_mouse_keys_and_sub_menus(self):
        store = kivo.TEST_DATA / "bookmarks.txt"
        store.write_bytes(b"T\t10.000\tC:\\media\\film.mkv\nT\t20.000\tC:\\media\\other.mkv\n")
        self.start_playing("C:\\media\\film.mkv", "C:\\media\\other.mkv")
        kivo.focus_main(TITLE)
        wx, wy, ww, wh, _, _ = kivo.window_rect()
        cx, cy = wx + ww // 3, wy + 80
        menu = self.right_click(cx, cy)
        self.assertEqual(menu[1:3], (cx, cy))

        # Keys act on the menu alone: Down Down Enter picks the second usable row.
        since = kivo.sends("cycle pause", kivo.xdotool, "key", "Down", "Down", "Return")
        self.assertEqual(kivo.journal_commands(since), ["cycle pause"])
        # Down walks on past "Seek" to "Speed"; Right opens Speed with its first row highlighted.
        self.right_click(cx, cy)
        open_level(lambda: kivo.xdotool("key", *["Down"] * 8, "Right"), 1)
        kivo.sends("set speed 0.5", kivo.xdotool, "key", "Return")

        # Hovering "Audio" opens one row per audio track, the playing one checked.
        menu = self.right_click(cx, cy)
        audio = open_level(lambda: kivo.move_mouse(*row_centre(menu, 248)), 1)
        self.assertEqual(audio[5], 2 + 1 + 8)
        self.assertEqual((audio[1], audio[2]), (menu[1] + menu[3] - 2, menu[2] + 248 - 6))
        shot = kivo.screenshot("menu-audio")
        self.assertTrue(kivo.near(kivo.pixel(shot, audio[1] + 15, audio[2] + 20), CYAN))
        self.assertFalse(kivo.near(kivo.pixel(shot, audio[1] + 15, audio[2] + 48), CYAN))
        kivo.sends("set aid 2", kivo.click, *row_centre(audio, 34))
        self.assertEqual(open_count(), 0)

        # Left closes one level, Esc the whole menu; a click outside closes them all.
        menu = self.right_click(cx, cy)
        open_level(lambda: kivo.move_mouse(*row_centre(menu, 248)), 1)
        kivo.xdotool("key", "Left")
        kivo.wait_until(lambda: open_count() == 1, what="one level left")
        open_level(lambda: kivo.xdotool("key", "Right"), 1)
        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: open_count() == 0, what="menu closed by Esc")
        menu = self.right_click(cx, cy)
        open_level(lambda: kivo.move_mouse(*row_centre(menu, 248)), 1)
        kivo.click(wx + 20, wy + wh - 80)
        kivo.wait_until(lambda: open_count() == 0, what="menu closed by a click outside")

        # "Stop" by a click; then "b" opens the bookmarks menu, which closes when the file changes.
        menu = self.right_click(cx, cy)
        kivo.sends("set pause yes ; seek 0 absolute", kivo.click, *row_centre(menu, 71))
        self.assertEqual(open_level(lambda: kivo.xdotool("key", "b"), 0)[5], 6)
        # A menu made for one file never acts on the next: it closes, and the keys that would
        # have picked "Delete all" in it leave the next file's bookmarks as they were.
        kivo.command("loadfile C:\\media\\other.mkv")
        kivo.wait_until(lambda: open_count() == 0, what="bookmarks menu closed on the next file")
        kivo.xdotool("key", "Up", "Return")
        time.sleep(0.5)
        self.assertIn(b"20.000\tC:\\media\\other.mkv", store.read_bytes())

    def test_without_a_file_at_the_screen_edge_scaled(self):
        self.start(env={"KIVOPLAYER_DEMO": "stay", "KIVOPLAYER_SCALE": "1.5"})
        kivo.focus_main("KivoPlayer")
        kivo.command("@maximize")
        kivo.command("@ontop")
        kivo.wait_until(lambda: kivo.window_rect()[2] >= SCREEN[0] - 50, what="maximized")
        menu = self.right_click(SCREEN[0] - 10, SCREEN[1] - 10)
        self.assertEqual(kivo.window("KivoMenu")[7], 1)
        self.assertEqual((menu[1] + menu[3], menu[2] + menu[4]), SCREEN)
        # Disabled sub-menu rows never open, by hover or click; Down skips them to "Window",
        # whose sub-menu opens to the left at the screen's edge.
        after = len(kivo.read_log())
        kivo.click(*row_centre(menu, 192, 1.5))
        time.sleep(1)
        self.assertEqual(levels_after(after), [])
        window = open_level(lambda: kivo.xdotool("key", "Down", "Down", "Down", "Right"), 1)
        self.assertEqual(window[5], 9)
        self.assertEqual(window[1] + window[3] - 3, menu[1])
        self.assertNotIn("worker_start_ms", kivo.read_log())  # no file, no engine
