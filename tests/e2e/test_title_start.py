"""The drawn title bar with real X input, and the start screen with its watch history."""
import os
import time

import kivo
from kivo import ScriptedTest

CLOSE, MAXIMIZE, MINIMIZE, CAPTION, CLIENT, TOP = 20, 9, 8, 2, 1, 12


def client_origin():
    x, y, w, h, cw, ch = kivo.window_rect()
    side = (w - cw) // 2
    return x + side, y + (h - ch) - side, cw, ch  # a maximised window's top frame is moved in


def hit_test(cx, cy):
    ox, oy, _, _ = client_origin()
    return int(kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x84, 0, (oy + cy) << 16 | (ox + cx))[1])


def settle(what, predicate):
    kivo.wait_until(predicate, 10, what)
    time.sleep(0.3)


def shows_colour(name, colour, box, timeout=10):
    """Waits until a screenshot shows the colour somewhere in the screen box (x, y, w, h)."""
    deadline = time.monotonic() + timeout
    while not any(kivo.near(c, colour, 40) for c in kivo.colours_in(kivo.screenshot(name), *box)):
        if time.monotonic() > deadline:
            return False
        time.sleep(0.2)
    return True


def assert_dark_frame(test, name):
    """The frame edges the system draws left, right and below are in the window's colour."""
    png = kivo.screenshot(name)
    x, y, w, h, _, _ = kivo.window_rect()
    for px, py in ((x, y + h // 2), (x + w - 1, y + h // 2), (x + w // 2, y + h - 1)):
        test.assertTrue(kivo.near(kivo.pixel(png, px, py), (2, 7, 13), 8), (name, px, py))


class TitleBar(ScriptedTest):
    def test_caption_buttons_drag_resize_and_frame(self):
        player = self.start(env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^history_read")
        ox, oy, cw, ch = client_origin()
        # The example points, and the top resize band above the buttons.
        self.assertEqual([hit_test(cw // 2, 18), hit_test(cw - 6, 18), hit_test(cw - 70, 18), hit_test(cw - 120, 18),
                          hit_test(cw // 2, 96), hit_test(cw - 6, 2)], [CAPTION, CLOSE, MAXIMIZE, MINIMIZE, CLIENT, 14])
        assert_dark_frame(self, "title-frame")
        x, y, w, h, _, _ = kivo.window_rect()

        # Press on close, release over minimise: nothing happens.
        kivo.move_mouse(ox + cw - 20, oy + 18)
        kivo.xdotool("mousedown", 1)
        kivo.move_mouse(ox + cw - 115, oy + 18)
        kivo.xdotool("mouseup", 1)
        time.sleep(0.5)
        self.assertTrue(player.running())
        self.assertEqual(kivo.window_rect()[:4], (x, y, w, h))

        kivo.click(ox + cw - 69, oy + 18)  # maximise
        settle("maximised", lambda: kivo.window_rect()[2] >= 1920)
        self.assertEqual(hit_test(cw // 2, 2), CAPTION)  # no resize band when maximised
        mx, my, mw, _ = client_origin()
        kivo.click(mx + mw - 69, my + 18)  # restore
        settle("restored", lambda: kivo.window_rect()[:4] == (x, y, w, h))

        # Dragging the caption moves the window; a double click maximises and restores.
        kivo.move_mouse(ox + 300, oy + 18)
        kivo.xdotool("mousedown", 1)
        kivo.move_mouse(ox + 360, oy + 58)
        kivo.move_mouse(ox + 400, oy + 98)
        kivo.xdotool("mouseup", 1)
        settle("moved", lambda: kivo.window_rect()[:2] == (x + 100, y + 80))
        kivo.move_mouse(ox + 400, oy + 98)
        kivo.xdotool("click", "--repeat", 2, "--delay", 100, 1)
        settle("maximised by a double click", lambda: kivo.window_rect()[2] >= 1920)
        mx, my, mw, _ = client_origin()
        kivo.move_mouse(mx + mw // 2, my + 18)
        kivo.xdotool("click", "--repeat", 2, "--delay", 100, 1)
        settle("restored by a double click", lambda: kivo.window_rect()[:2] == (x + 100, y + 80))

        # The top band of a restored window resizes it.
        self.assertEqual(hit_test(cw // 2, 2), TOP)
        kivo.move_mouse(ox + 100 + cw // 2, oy + 80 + 2)
        kivo.xdotool("mousedown", 1)
        kivo.move_mouse(ox + 100 + cw // 2, oy + 80 - 20)
        kivo.move_mouse(ox + 100 + cw // 2, oy + 80 - 40)
        kivo.xdotool("mouseup", 1)
        settle("taller", lambda: h + 38 <= kivo.window_rect()[3] <= h + 44)  # Wine drops the grip offset

        ox, oy, cw, ch = client_origin()
        kivo.click(ox + cw - 20, oy + 18)
        self.assertEqual(player.wait_exit(10), 0)


class StartScreen(ScriptedTest):
    def write_history(self):
        """Eight resume files over media files: six list (the newest four show), one is at
        4.9 s, one a redirect entry, one names a deleted file."""
        media, resume = kivo.TEST_DATA / "media", kivo.TEST_DATA / "resume"
        media.mkdir()
        resume.mkdir()
        (resume / "sub").mkdir()
        files = [("a.mkv", "65.9"), ("b.mkv", "3725.2"), ("c.mkv", "5"), ("d.mkv", "10"), ("e.mkv", "20"),
                 ("f.mkv", "30"), ("short.mkv", "4.9"), ("gone.mkv", "99")]
        for age, (name, start) in enumerate(files):
            (media / name).write_bytes(b"")
            entry = resume / f"R{age}"
            entry.write_bytes(f"# {kivo.win_path(media / name)}\r\nstart={start}\r\n".encode())
            os.utime(entry, (2e9 - age, 2e9 - age))
        (resume / "redirect").write_text(f"# redirect entry\nstart=50\n")
        (media / "gone.mkv").unlink()
        return media, resume

    def rows(self):
        ox, oy, cw, ch = client_origin()
        cy = 36 + (ch - 36) / 2 - 95
        return ox, oy, cw, cy

    def test_lists_plays_and_clears_the_history(self):
        media, resume = self.write_history()
        self.start(env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^history_read entries=4 files=9")
        listed = kivo.re.findall(r"^history_entry name=(\S+) seconds=(\S+)$", kivo.read_log(), kivo.re.M)
        self.assertEqual(listed, [("a.mkv", "65.9"), ("b.mkv", "3725.2"), ("c.mkv", "5.0"), ("d.mkv", "10.0")])
        ox, oy, cw, cy = self.rows()
        lx, ly = ox + cw // 2, oy + int(cy + 146)
        # The second row's resume time "1:02:05" is drawn in the accent colour at the right.
        self.assertTrue(shows_colour("start-history", (0, 229, 255), (lx + 160, ly + 64, 70, 32)))

        kivo.click(lx + 200, ly + 12)  # the clear action arms only
        time.sleep(0.5)
        self.assertEqual(len(list(resume.iterdir())), 10)
        self.assertTrue(shows_colour("start-clear-armed", (255, 181, 71), (lx + 100, ly, 140, 24)))
        kivo.click(lx + 200, ly + 12)
        kivo.wait_for_log(r"^history_read entries=0 files=0")
        self.assertEqual([p.name for p in resume.iterdir()], ["sub"])

    def test_a_row_plays_its_file_and_the_button_opens_the_dialog(self):
        media, _ = self.write_history()
        self.start(env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^history_read entries=4")
        ox, oy, cw, cy = self.rows()
        kivo.click(ox + cw // 2, oy + int(cy + 46 + 23))
        kivo.focus_main("Open", timeout=15)
        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 1, 0)[0] == 0, 10, "answering")
        kivo.click(ox + cw // 2 - 100, oy + int(cy + 146 + 32 + 32 + 16))
        kivo.wait_for_command(f"loadfile {kivo.win_path(media / 'b.mkv')}")
        kivo.wait_for_title("b.mkv - KivoPlayer")
        assert_dark_frame(self, "playing-frame")  # also after the caption text changed


if __name__ == "__main__":
    kivo.main()
