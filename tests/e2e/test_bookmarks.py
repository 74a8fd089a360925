"""Bookmarks against the scripted engine with real keys: bookmarks.txt rewritten whole with
other files' lines kept, the refusal margin, the jumps, deleting and clearing, the seek-bar
arrows, and two files of one name."""
import os
import re

import kivo
from kivo import ScriptedTest

FILM = "C:\\media\\film.mkv"
OTHER = b"T\t5.000\tD:\\other\\film.mkv\n"
STORE = kivo.TEST_DATA / "bookmarks.txt"


def line(seconds, key=FILM):
    return f"T\t{seconds:.3f}\t{key}\n".encode()


def wait_toast(value, after):
    kivo.wait_for_log(r"^toast_paint \d+ .* label=BOOKMARK value=" + re.escape(value) + "$", 10, after)


class Bookmarks(ScriptedTest):
    media = "duration=600\npause=yes\n"

    def at(self, seconds, key_or_command, toast):
        """Sets the position, then presses a key (or runs a command); returns the journal length before."""
        kivo.command(f"set time-pos {seconds}")
        mark, since = len(kivo.read_log()), len(kivo.journal())
        if key_or_command.startswith("@"):
            kivo.command(key_or_command)
        else:
            kivo.xdotool("key", key_or_command)
        wait_toast(toast, mark)
        return since

    def test_add_refuse_walk_delete_clear_and_markers(self):
        STORE.write_bytes(OTHER + b"bad line\nT\tnan\tC:\\media\\film.mkv\n")
        player = self.start_playing(FILM)
        kivo.wait_for_log(r"^bookmarks file=C:\\media\\film\.mkv count=0$")  # the nan line is dropped
        kivo.focus_main("film.mkv - KivoPlayer")
        self.at(83.5, "n", "0:01:23  1/1")
        self.assertEqual(STORE.read_bytes(), OTHER + line(83.5))
        before = os.stat(STORE).st_mtime_ns
        self.at(84.2, "n", "EXISTS")
        self.assertEqual(os.stat(STORE).st_mtime_ns, before)
        for seconds, toast in ((10, "0:00:10  1/2"), (30, "0:00:30  2/3"), (20, "0:00:20  2/4")):
            self.at(seconds, "n", toast)
        self.assertEqual(STORE.read_bytes(), OTHER + line(83.5) + line(10) + line(30) + line(20))
        kivo.wait_for_command("seek 10.000 absolute+exact", self.at(20.5, "shift+Prior", "1/4"))
        # 20 is not later than 19.6 + 0.5
        kivo.wait_for_command("seek 30.000 absolute+exact", self.at(19.6, "shift+Next", "3/4"))
        self.at(10.7, "shift+Prior", "NONE")

        hx, hy, hw, _ = kivo.hud_rect()
        shot = kivo.screenshot("bookmark-markers")
        for t in (10, 20, 30, 83.5):
            x = hx + 84 + round(t / 600 * (hw - 168))
            self.assertTrue(kivo.near(kivo.pixel(shot, x, hy + 43), (0xD6, 0xF5, 0xFF)), t)
        # What the bookmarks menu's rows run.
        self.at(0, "@bmdel 1", "REMOVED")
        self.assertEqual(STORE.read_bytes(), OTHER + line(83.5) + line(10) + line(30))
        self.at(0, "@bmclear", "CLEARED")
        self.assertEqual(STORE.read_bytes(), OTHER)
        self.assertEqual(player.close(), 0)

    def test_same_name_in_two_folders(self):
        first, second = "C:\\x\\video.mp4", "C:\\y\\video.mp4"
        self.start_playing(first, second)
        kivo.wait_for_log(r"^bookmarks file=C:\\x\\video\.mp4 count=0$")
        self.at(12, "@bmadd", "0:00:12  1/1")
        mark = len(kivo.read_log())
        kivo.command(f"loadfile {second}")
        kivo.wait_for_log(r"^bookmarks file=C:\\y\\video\.mp4 count=0$", 10, mark)
        self.at(40, "@bmadd", "0:00:40  1/1")
        self.assertEqual(STORE.read_bytes(), line(12, first) + line(40, second))
