"""The drawn title bar with real X input, and the start screen with its watch history."""
import os
import time

import kivo
from kivo import ScriptedTest

# Resume entries, newest first: the first four listable ones show; one is under 5 s, one names a deleted file.
HISTORY = [("a.mkv", "65.9"), ("b.mkv", "3725.2"), ("c.mkv", "5"), ("d.mkv", "10"), ("e.mkv", "20"), ("f.mkv", "30"),
           ("short.mkv", "4.9"), ("gone.mkv", "99")]


def client_origin():
    x, y, w, h, cw, ch = kivo.window_rect()
    side = (w - cw) // 2
    return x + side, y + (h - ch) - side, cw, ch  # a maximised window's top frame is moved in


def drag(*points):
    kivo.move_mouse(*points[0])
    kivo.xdotool("mousedown", 1)
    for p in points[1:]:
        kivo.move_mouse(*p)
    kivo.xdotool("mouseup", 1)


def settle(what, predicate):
    kivo.wait_until(predicate, 10, what)
    time.sleep(0.3)


def wait_for_colour(name, rgb, box):
    """Until a screenshot shows the colour somewhere in the screen box (x, y, w, h)."""
    kivo.wait_until(lambda: any(kivo.near(c, rgb, 40) for c in kivo.colours_in(kivo.screenshot(name), *box)), 10, name)


def assert_dark_frame(test, name):
    """The frame edges the system draws left, right and below are in the window's colour."""
    png, (x, y, w, h) = kivo.screenshot(name), kivo.window_rect()[:4]
    for px, py in ((x, y + h // 2), (x + w - 1, y + h // 2), (x + w // 2, y + h - 1)):
        test.assertTrue(kivo.near(kivo.pixel(png, px, py), (2, 7, 13), 8), (name, px, py))


class TitleBarAndStartScreen(ScriptedTest):
    def list_heading(self):
        ox, oy, cw, ch = client_origin()
        self.cx, self.cy = ox + cw // 2, oy + 36 + (ch - 36) // 2 - 95
        return self.cx, self.cy + 146

    def test_history_open_button_caption_buttons_drag_resize_a_row_plays_and_two_click_clear(self):
        media, resume = kivo.TEST_DATA / "media", kivo.TEST_DATA / "resume"
        (resume / "sub").mkdir(parents=True)
        media.mkdir()
        for age, (name, start) in enumerate(HISTORY):
            entry = resume / f"R{age}"
            entry.write_bytes(f"# {kivo.win_path(media / name)}\r\nstart={start}\r\n".encode())
            os.utime(entry, (2e9 - age, 2e9 - age))
            (media / name).write_bytes(b"")
        (media / "gone.mkv").unlink()
        (resume / "redirect").write_text("# redirect entry\nstart=50\n")
        player = self.start(env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^history_read entries=4 files=9")
        listed = kivo.re.findall(r"^history_entry name=(\S+) seconds=(\S+)$", kivo.read_log(), kivo.re.M)
        self.assertEqual(listed, [("a.mkv", "65.9"), ("b.mkv", "3725.2"), ("c.mkv", "5.0"), ("d.mkv", "10.0")])
        lx, ly = self.list_heading()
        # The second row's resume time "1:02:05" is drawn in the accent colour at the right.
        wait_for_colour("start-history", (0, 229, 255), (lx + 160, ly + 64, 70, 32))
        kivo.click(self.cx, self.cy + 69)
        kivo.focus_main("Open", timeout=15)
        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 1, 0)[0] == 0, 10, "answering")
        ox, oy, cw, ch = client_origin()
        assert_dark_frame(self, "title-frame")
        x, y, w, h, _, _ = kivo.window_rect()
        drag((ox + cw - 20, oy + 18), (ox + cw - 115, oy + 18))  # press on close, release on minimise
        time.sleep(0.5)
        self.assertEqual(kivo.window_rect()[:4], (x, y, w, h))
        kivo.click(ox + cw - 69, oy + 18)
        settle("maximised", lambda: kivo.window_rect()[2] >= 1920)
        mx, my, mw, _ = client_origin()
        kivo.click(mx + mw - 69, my + 18)
        settle("restored", lambda: kivo.window_rect()[:4] == (x, y, w, h))
        drag((ox + 300, oy + 18), (ox + 360, oy + 58), (ox + 400, oy + 98))
        settle("moved", lambda: kivo.window_rect()[:2] == (x + 100, y + 80))
        kivo.xdotool("click", "--repeat", 2, "--delay", 100, 1)
        settle("maximised by a double click", lambda: kivo.window_rect()[2] >= 1920)
        mx, my, mw, _ = client_origin()
        kivo.move_mouse(mx + mw // 2, my + 18)
        kivo.xdotool("click", "--repeat", 2, "--delay", 100, 1)
        settle("restored by a double click", lambda: kivo.window_rect()[:2] == (x + 100, y + 80))
        top = (ox + 100 + cw // 2, oy + 82)
        drag(top, (top[0], top[1] - 20), (top[0], top[1] - 40))
        settle("taller", lambda: h + 38 <= kivo.window_rect()[3] <= h + 44)  # Wine drops the grip offset
        lx, ly = self.list_heading()
        kivo.click(lx - 100, ly + 80)
        kivo.wait_for_command(f"loadfile {kivo.win_path(media / 'b.mkv')}")
        kivo.wait_for_title("b.mkv - KivoPlayer")
        assert_dark_frame(self, "playing-frame")  # also after the caption text changed
        after = len(kivo.read_log())
        kivo.command("@close")
        kivo.wait_for_log(r"^history_read entries=4 files=9", after=after)
        kivo.click(lx + 200, ly + 12)  # the first click arms only
        wait_for_colour("start-clear-armed", (255, 181, 71), (lx + 100, ly, 140, 24))
        self.assertEqual(len(list(resume.iterdir())), 10)
        kivo.click(lx + 200, ly + 12)
        kivo.wait_for_log(r"^history_read entries=0 files=0")
        self.assertEqual([p.name for p in resume.iterdir()], ["sub"])
        ox, oy, cw, ch = client_origin()
        kivo.click(ox + cw - 20, oy + 18)
        self.assertEqual(player.wait_exit(10), 0)
