"""Bookmarks against the scripted engine with real keys: bookmarks.txt written whole with other
files' lines kept, the refusal margin, the jumps, deleting and clearing, the seek-bar arrows,
two files of one name, and a failed write that leaves the old file."""
import os
import re

import kivo
from kivo import ScriptedTest

BRIGHT = (0xD6, 0xF5, 0xFF)
FILM = "C:\\media\\film.mkv"
OTHER = b"T\t5.000\tD:\\other\\film.mkv\n"


def stored():
    return (kivo.TEST_DATA / "bookmarks.txt").read_bytes()


def line(seconds, key=FILM):
    return f"T\t{seconds:.3f}\t{key}\n".encode()


class Bookmarks(ScriptedTest):
    media = "exists=any\nduration=600\npaused=1\n"

    def toast(self, value, after):
        kivo.wait_for_log(r"^toast_paint \d+ .* label=BOOKMARK value=" + re.escape(value) + "$", 10, after)

    def key_at(self, seconds, key, toast):
        kivo.command(f"seek {seconds} absolute")
        mark = len(kivo.read_log())
        since = len(kivo.journal())
        kivo.xdotool("key", key)
        self.toast(toast, mark)
        return since

    def test_add_refuse_walk_delete_clear_and_markers(self):
        (kivo.TEST_DATA / "bookmarks.txt").write_bytes(OTHER + b"bad line\nT\tnan\tC:\\media\\film.mkv\n")
        player = self.start_playing(FILM)
        kivo.focus_main("film.mkv - KivoPlayer")
        self.key_at(83.5, "n", "0:01:23  1/1")
        self.assertEqual(stored(), OTHER + line(83.5))
        before = os.stat(kivo.TEST_DATA / "bookmarks.txt").st_mtime_ns
        self.key_at(84.2, "n", "EXISTS")
        self.assertEqual(os.stat(kivo.TEST_DATA / "bookmarks.txt").st_mtime_ns, before)
        for seconds, toast in ((10, "0:00:10  1/2"), (30, "0:00:30  2/3"), (20, "0:00:20  2/4")):
            self.key_at(seconds, "n", toast)
        self.assertEqual(stored(), OTHER + line(83.5) + line(10) + line(30) + line(20))

        since = self.key_at(20.5, "shift+Prior", "1/4")
        kivo.wait_for_command("seek 10.000 absolute+exact", since)
        since = self.key_at(19.6, "shift+Next", "3/4")  # 20 is not later than 19.6 + 0.5
        kivo.wait_for_command("seek 30.000 absolute+exact", since)
        self.key_at(10.7, "shift+Prior", "NONE")
        self.assertFalse([c for c in kivo.journal_commands(since) if c.startswith("seek") and "exact" in c
                          and c != "seek 30.000 absolute+exact"])

        # Four arrows under the seek bar.
        hx, hy, hw, _ = kivo.hud_rect()
        shot = kivo.screenshot("bookmark-markers")
        for t in (10, 20, 30, 83.5):
            x = hx + 84 + round(t / 600 * (hw - 168))
            self.assertTrue(kivo.near(kivo.pixel(shot, x, hy + 43), BRIGHT), t)

        # What the bookmarks menu's rows run.
        mark = len(kivo.read_log())
        kivo.command("@bmdel 1")
        self.toast("REMOVED", mark)
        self.assertEqual(stored(), OTHER + line(83.5) + line(10) + line(30))
        kivo.command("@bmclear")
        self.toast("CLEARED", mark)
        self.assertEqual(stored(), OTHER)
        self.assertEqual(player.close(), 0)

    def test_same_name_in_two_folders_and_a_full_disk(self):
        first, second = "C:\\x\\video.mp4", "C:\\y\\video.mp4"
        self.start_playing(first, second)
        mark = len(kivo.read_log())
        kivo.wait_for_log(r"^bookmarks file=C:\\x\\video\.mp4 count=0$")
        kivo.command("seek 12 absolute")
        kivo.command("@bmadd")
        kivo.command("playlist-next")
        kivo.wait_for_log(r"^bookmarks file=C:\\y\\video\.mp4 count=0$", 10, mark)
        kivo.command("seek 40 absolute")
        kivo.command("@bmadd")
        self.toast("0:00:40  1/1", mark)
        self.assertEqual(stored(), line(12, first) + line(40, second))
        # Every write now fails (Wine leaves the link to the device in place): the old file stays whole.
        (kivo.TEST_DATA / "bookmarks.txt.tmp").symlink_to("/dev/full")
        kivo.command("seek 50 absolute")
        kivo.command("@bmadd")
        self.toast("0:00:50  2/2", mark)
        self.assertEqual(stored(), line(12, first) + line(40, second))


if __name__ == "__main__":
    kivo.main()
