"""The playlist panel over the real engine's queue, with real X input: showing and hiding,
playing, removing, clearing and adding entries, scrolling a long queue, following the engine."""
import os

import kivo
from kivo import PlayerTest

PANEL = "KivoPlaylist"


def wait_paint(pattern, after, timeout=10):
    return kivo.wait_for_log(r"^playlist_paint \d+ " + pattern, timeout, after)


def linked(folder, names):
    """Links to one generated 40 s clip under the given names: a queue the engine really plays."""
    clip = kivo.media() / "long" / "long.mp4"
    folder.mkdir(parents=True, exist_ok=True)
    for name in names:
        os.link(clip, folder / name)
    return [folder / name for name in names]


class Playlist(PlayerTest):
    def play(self, files):
        player = self.start(*files, env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^hud_ready_ms=(.*\n)*mpv_window_hooked_ms=|^mpv_window_hooked_ms=(.*\n)*hud_ready_ms=", 60)
        return player

    def row_point(self, row, x=100):
        px, py, _, _, _, _ = kivo.window_rect(PANEL)
        return px + x, py + 44 + 30 * row + 15

    def test_show_play_remove_clear_and_follow(self):
        player = self.play(linked(kivo.TEST_DATA / "media", [f"f{i:02}.mkv" for i in range(1, 13)]))
        kivo.focus_main("f01.mkv - KivoPlayer")
        mark = len(kivo.read_log())
        kivo.xdotool("key", "F8")
        wait_paint(r"count=12 pos=0 first=0 rows=\d+ hover=0/-1", mark)
        px, py, pw, ph, _, _ = kivo.window_rect(PANEL)
        kivo.move_mouse(*self.row_point(4, 340))
        wait_paint(r".*hover=3/4 ", mark)
        shot = kivo.screenshot("playlist-12")
        self.assertTrue(kivo.near(kivo.pixel(shot, px + 22, py + 44 + 15), (0x00, 0xE5, 0xFF), 40))  # diamond
        self.assertTrue(kivo.near(kivo.pixel(shot, px + pw - 19, py + 44 + 30 * 4 + 15), (0xFF, 0x4D, 0x61), 60))

        kivo.click(*self.row_point(2))
        wait_paint(r"count=12 pos=2 .* playing=f03\.mkv$", mark)  # the next tick follows the engine
        kivo.command("playlist-next")
        wait_paint(r"count=12 pos=3 ", mark)
        mark = len(kivo.read_log())
        kivo.click(*self.row_point(5, 340))  # removes f06
        kivo.wait_for_log(r"^playlist_edit ", 10, mark)  # shown at once
        wait_paint(r"count=11 pos=3 ", mark)
        kivo.click(*self.row_point(5))
        wait_paint(r"count=11 pos=5 .* playing=f07\.mkv$", mark)
        kivo.click(px + pw - 40, py + ph - 24)  # "Clear"
        wait_paint(r"count=1 pos=0 .* playing=f07\.mkv$", mark)  # the playing entry stays
        other = linked(kivo.TEST_DATA / "other", ["f99.mkv"])[0]
        kivo.command("loadfile " + kivo.win_path(other))  # same count and position, another entry
        wait_paint(r"count=1 pos=0 .* playing=f99\.mkv$", mark)

        kivo.click(px + 100, py + 100, 2)  # the middle button goes on to the main window
        kivo.wait_hidden(PANEL)
        kivo.xdotool("key", "F8")
        kivo.wait_until(lambda: kivo.visible(PANEL), what="the panel shown")
        kivo.command("@fullscreen")
        kivo.wait_until(lambda: kivo.state_line()["fullscreen"] == "1", what="full screen")
        kivo.focus_main("f99.mkv - KivoPlayer")
        kivo.xdotool("key", "Escape")
        kivo.wait_hidden(PANEL)
        self.assertEqual(kivo.state_line()["fullscreen"], "1")
        self.assertEqual(player.close(), 0)

    def test_wheel_scrolls_a_long_queue_and_add_files_appends(self):
        player = self.play(linked(kivo.TEST_DATA / "m", [f"{i:03}.mkv" for i in range(200)]))
        mark = len(kivo.read_log())
        kivo.command("@playlist")
        px, py, pw, ph, _, _ = kivo.window_rect(PANEL)
        kivo.move_mouse(px + 100, py + 120)
        for button, first in ((5, 3), (5, 6), (5, 9), (4, 6)):
            kivo.xdotool("click", button)
            wait_paint(rf"count=200 pos=0 first={first} rows=\d+ hover=2/{first + 2} ", mark)  # row under the pointer
        kivo.command("playlist-play-index 150")
        wait_paint(r"count=200 pos=150 first=145 ", mark)
        # Removing an entry far above the playing one leaves the list where the user scrolled it.
        for _ in range(5):
            kivo.xdotool("click", 4)
        wait_paint(r"count=200 pos=150 first=130 ", mark)
        kivo.click(px + pw - 20, py + 44 + 15)
        wait_paint(r"count=199 pos=149 first=130 ", mark)

        media = linked(kivo.TEST_DATA / "media", ["a.mkv", "b.mkv"])[0].parent
        mark = len(kivo.read_log())
        kivo.click(px + 60, py + ph - 24)  # "+ Add files": the folder, then two names, in the dialog's order
        kivo.focus_main("Open", timeout=15)
        kivo.xdotool("type", "--delay", 5, kivo.win_path(media) + "\\")
        kivo.xdotool("key", "Return")
        kivo.xdotool("type", "--delay", 5, '"b.mkv" "a.mkv"')
        kivo.xdotool("key", "Return")
        wait_paint(r"count=201 pos=149 ", mark, 20)
        self.assertEqual(kivo.title(), "150.mkv - KivoPlayer")
        kivo.command("playlist-play-index 199")
        wait_paint(r"count=201 pos=199 .* playing=b\.mkv$", mark)
        self.assertEqual(player.close(), 0)
