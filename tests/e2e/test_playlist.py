"""The playlist panel against the scripted engine, driven with real X input: showing and hiding,
playing, removing, clearing and adding entries, scrolling a long queue, following the engine."""
import re

import kivo
from kivo import ScriptedTest

PANEL = "KivoPlaylist"


def paints(after=0):
    """(count, pos, first, hover) of every panel paint logged after `after`."""
    return [tuple(int(v) for v in m.groups()[:3]) + (m.group(4),) for m in
            re.finditer(r"^playlist_paint \d+ count=(\d+) pos=(-?\d+) first=(\d+) rows=\d+ hover=(\S+)",
                        kivo.read_log()[after:], re.M)]


def wait_paint(pattern, after):
    return kivo.wait_for_log(r"^playlist_paint \d+ " + pattern, 10, after)


def visible():
    return kivo.kivoctl("visible", PANEL)[1] == "1"


class Playlist(ScriptedTest):
    def row_point(self, row, x=100):
        px, py, _, _, _, _ = kivo.window_rect(PANEL)
        return px + x, py + 44 + 30 * row + 15

    def test_show_play_remove_clear_and_follow(self):
        files = [f"C:\\media\\f{i:02}.mkv" for i in range(1, 13)]
        player = self.start_playing(*files)
        title = "f01.mkv - KivoPlayer"
        kivo.focus_main(title)
        mark = len(kivo.read_log())
        kivo.xdotool("key", "F8")
        wait_paint(r"count=12 pos=0 first=0 rows=\d+ hover=0/-1", mark)
        self.assertTrue(visible())
        # Beside the picture: 18 px from the client's right edge (the frame is as wide on
        # both sides), 60 below the title bar.
        mx, my, mw, _, cw, _ = kivo.window_rect()
        px, py, pw, ph, _, _ = kivo.window_rect(PANEL)
        self.assertEqual((pw, px + pw), (360, mx + (mw + cw) // 2 - 18), (mx, mw, cw))
        self.assertGreater(py, my + 60)
        kivo.move_mouse(*self.row_point(4, 340))
        kivo.wait_for_log(r"^playlist_paint \d+ .*hover=3/4 ", 10, mark)
        shot = kivo.screenshot("playlist-12")
        self.assertTrue(kivo.near(kivo.pixel(shot, px + 22, py + 44 + 15), (0x00, 0xE5, 0xFF), 40))  # diamond
        self.assertTrue(kivo.near(kivo.pixel(shot, px + pw - 19, py + 44 + 30 * 4 + 15), (0xFF, 0x4D, 0x61), 60))

        since = len(kivo.journal())
        mark = len(kivo.read_log())
        kivo.click(*self.row_point(2))
        kivo.wait_for_command("playlist-play-index 2", since)
        wait_paint(r"count=12 pos=2 ", mark)  # the next tick follows the engine
        kivo.command("playlist-next")
        wait_paint(r"count=12 pos=3 ", mark)

        since = len(kivo.journal())
        mark = len(kivo.read_log())
        kivo.click(*self.row_point(5, 340))
        kivo.wait_for_command("playlist-remove 5", since)
        kivo.wait_for_log(r"^playlist_edit ", 10, mark)
        self.assertEqual(paints(mark)[-1][:2], (11, 3))
        removes = [c for c in kivo.journal_commands(since) if c.startswith("playlist-")]
        self.assertEqual(removes, ["playlist-remove 5"])

        since = len(kivo.journal())
        px, py, pw, ph, _, _ = kivo.window_rect(PANEL)
        kivo.click(px + pw - 40, py + ph - 24)  # "Clear"
        kivo.wait_for_command("playlist-clear", since)
        wait_paint(r"count=1 pos=0 ", mark)  # the playing entry stays

        # A middle click on the panel reaches the main window and hides it; Esc hides it again.
        kivo.click(px + 100, py + 100, 2)
        kivo.wait_until(lambda: not visible(), what="the panel hidden")
        kivo.xdotool("key", "F8")
        kivo.wait_until(visible, what="the panel shown")
        kivo.command("@fullscreen")
        kivo.wait_until(lambda: kivo.state_line()["fullscreen"] == "1", what="full screen")
        kivo.focus_main("f04.mkv - KivoPlayer")
        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: not visible(), what="the panel hidden by Esc")
        self.assertEqual(kivo.state_line()["fullscreen"], "1")
        self.assertEqual(player.close(), 0)

    def test_wheel_scrolls_a_long_queue_and_add_files_appends(self):
        files = [f"C:\\m\\{i:03}.mkv" for i in range(200)]
        player = self.start_playing(*files)
        mark = len(kivo.read_log())
        kivo.command("@playlist")
        wait_paint(r"count=200 pos=0 first=0 ", mark)
        px, py, pw, ph, _, _ = kivo.window_rect(PANEL)
        kivo.move_mouse(px + 100, py + 120)
        for _ in range(3):
            kivo.xdotool("click", 5)
        wait_paint(r"count=200 pos=0 first=9 ", mark)
        kivo.xdotool("click", 4)
        wait_paint(r"count=200 pos=0 first=6 ", mark)
        kivo.screenshot("playlist-200")
        # Playing an entry far down brings it into view.
        kivo.command("playlist-play-index 150")
        wait_paint(r"count=200 pos=150 first=145 ", mark)
        # Removing an entry far above the playing one leaves the list where the user scrolled it.
        for _ in range(5):
            kivo.xdotool("click", 4)
        wait_paint(r"count=200 pos=150 first=130 ", mark)
        since = len(kivo.journal())
        kivo.click(px + pw - 20, py + 44 + 15)
        kivo.wait_for_command("playlist-remove 130", since)
        wait_paint(r"count=199 pos=149 first=130 ", mark)
        kivo.xdotool("mousemove", px + 100, py + 44 + 15)  # another row, for the next tick's paint
        wait_paint(r"count=199 pos=149 first=130 rows=\d+ hover=2/130", mark)

        media = kivo.TEST_DATA / "media"
        media.mkdir()
        (media / "extra.mkv").write_bytes(b"")
        since = len(kivo.journal())
        kivo.click(px + 60, py + ph - 24)  # "+ Add files"
        kivo.focus_main("Open", timeout=15)
        kivo.xdotool("type", "--delay", 5, kivo.win_path(media / "extra.mkv"))
        kivo.xdotool("key", "Return")
        kivo.wait_for_command(f"loadfile {kivo.win_path(media / 'extra.mkv')} append", since, 20)
        wait_paint(r"count=200 pos=149 ", kivo.read_log().rfind("playlist_edit"))
        self.assertEqual(player.close(), 0)

    def test_a_replaced_single_entry_shows_its_own_title(self):
        self.start_playing("C:\\media\\first.mkv")
        mark = len(kivo.read_log())
        kivo.command("@playlist")
        wait_paint(r"count=1 pos=0 .* playing=first\.mkv$", mark)
        kivo.command("loadfile C:\\other\\second.mkv")
        wait_paint(r"count=1 pos=0 .* playing=second\.mkv$", mark)


if __name__ == "__main__":
    kivo.main()
