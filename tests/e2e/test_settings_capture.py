"""The settings panel, fill screen and Pan & Scan against the scripted engine, and frame
capture with the real engine, driven by real X input."""
import re
import struct

import kivo
from kivo import PlayerTest, ScriptedTest

SETTINGS_CLASS = "KivoSettings"


def png_size(path):
    data = path.read_bytes()[:24]
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    return struct.unpack(">II", data[16:24])


def panel_rect():
    x, y, w, h, _, _ = kivo.window_rect(SETTINGS_CLASS)
    return x, y, w, h


class SettingsPanel(ScriptedTest):
    media = "exists=any\nduration=600\n"

    def open_panel(self, env=None):
        self.start_playing("C:\\media\\film.mkv", env=env)
        kivo.focus_main("film.mkv - KivoPlayer")
        kivo.xdotool("key", "F5")
        kivo.wait_for_log(r"^settings open ")
        return panel_rect()

    def test_f5_opens_a_click_writes_and_applies_and_esc_closes(self):
        x, y, w, h = self.open_panel()
        mx, my, mw, _, cw, ch = kivo.window_rect()
        self.assertEqual((w, h), (560, 447))
        self.assertEqual(x - mx - (mw - cw) // 2, (cw - 560) // 2)
        self.assertTrue(my < y and y + h < my + ch)
        self.assertEqual(kivo.kivoctl("visible", SETTINGS_CLASS)[1], "1")
        kivo.screenshot("settings-scale1")

        kivo.click(x + 517, y + 115)  # "30s", the last chip of the seek row
        kivo.wait_for_log(r"^settings choose row=1 option=4")
        ini = kivo.TEST_DATA / "settings.ini"
        self.assertEqual(ini.read_text().splitlines(),
                         ["seek=30", "volume=5", "hide=2500", "sublang=0", "resume=1", "autoqueue=0", "single=1",
                          "hwdec=1", "boost=1", "lang=en", "shotdir="])
        since = len(kivo.journal())
        kivo.xdotool("key", "Right")  # keys still go to the main window
        kivo.wait_for_command("seek 30 relative+keyframes", since)

        kivo.click(x + 515, y + 250)  # the RESUME switch: applied at once
        kivo.wait_for_command('set resume-playback no', since)
        kivo.click(x + 445, y + 70)  # the first language chip (Thai)
        kivo.wait_for_log(r"^settings choose row=0 option=0")
        self.assertIn("lang=th", ini.read_text())
        kivo.screenshot("settings-thai")

        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: kivo.kivoctl("visible", SETTINGS_CLASS)[1] == "0", what="panel hidden")
        self.assertEqual([p.name for p in kivo.TEST_DATA.iterdir() if p.name.endswith(".tmp")], [])

    def test_panel_at_scale_one_and_a_half(self):
        x, y, w, h = self.open_panel(env={"KIVOPLAYER_SCALE": "1.5"})
        self.assertEqual((w, h), (840, 671))
        kivo.screenshot("settings-scale15")
        kivo.click(x + int(517 * 1.5), y + int(115 * 1.5))
        kivo.wait_for_log(r"^settings choose row=1 option=4")


class PanScan(ScriptedTest):
    media = "exists=any\nduration=600\naspect=2.35\n[song.mp3]\nvideo=0\n"

    def expect(self, since, x, y, decimals=4):
        text = f"set video-scale-x {x:.{decimals}f} ; set video-scale-y {y:.{decimals}f}"
        return kivo.wait_for_command(text, since)

    def fill_for_video_window(self, since, after=0):
        w, h = map(int, kivo.wait_for_log(r"^fill window=(\d+)x(\d+)$", after=after).groups())
        c = w / h
        return self.expect(since, 1, 2.35 / c) if 2.35 > c else self.expect(since, c / 2.35, 1)

    def test_fill_follows_the_window_and_presets_mark_their_row(self):
        self.start_playing("C:\\media\\film.mkv")
        kivo.focus_main("film.mkv - KivoPlayer")
        since = len(kivo.journal())
        kivo.xdotool("key", "0")
        since = self.fill_for_video_window(since)
        kivo.wait_for_log(r"^toast FILL SCREEN ON")
        after = len(kivo.read_log())
        kivo.kivoctl("size", kivo.MAIN_TEST_CLASS, 600, 700)
        since = self.fill_for_video_window(since, after)
        kivo.xdotool("key", "0")
        self.expect(since, 1, 1)
        for n, (x, y) in enumerate([(1, 1), (1, 1.14), (1, 1.34), (1, 1.74), (1.14, 1.14), (1.34, 1.34), (1.74, 1.74)]):
            since = len(kivo.journal())
            kivo.command(f"@ps {n}")
            self.expect(since, x, y, 2)
            kivo.wait_for_log(rf"^panscan preset={n} current={n}$")
        kivo.command("@ps 9")
        kivo.wait_for_log(r"^panscan preset=0 current=0$\n(.*\n)*toast PAN & SCAN")

    def test_fill_turned_off_without_a_picture_still_resets_the_scale(self):
        self.start_playing("C:\\media\\song.mp3")
        kivo.focus_main("song.mp3 - KivoPlayer")
        since = len(kivo.journal())
        kivo.xdotool("key", "0")
        kivo.wait_for_log(r"^toast FILL SCREEN ON")
        kivo.xdotool("key", "0")
        kivo.wait_for_log(r"^toast FILL SCREEN OFF")
        self.expect(since, 1, 1)


class CaptureFailures(ScriptedTest):
    media = "exists=any\nduration=600\nstart=65\npaused=1\n"

    def test_names_are_cleaned_and_long_paths_or_an_unwritable_folder_fail_naming_it(self):
        long_name = "x" * 240
        shots = kivo.TEST_DATA / "shots"
        self.start_playing(f"C:\\media\\{long_name}.mkv")
        kivo.focus_main(f"{long_name}.mkv - KivoPlayer")
        failed = r"^toast SAVE FAILED …\S*\\test\\shots$"
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(failed)

        kivo.command('loadfile "C:/media/what? a*b|c.mkv"')
        kivo.wait_for_title("what? a*b|c.mkv - KivoPlayer")
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(r"^toast SAVED what_ a_b_c 0-01-05\.png$")
        self.assertEqual([p.name for p in shots.iterdir()], ["what_ a_b_c 0-01-05.png"])

        (shots / "what_ a_b_c 0-01-05.png").unlink()
        shots.rmdir()
        shots.write_text("a file where the folder should be")
        after = len(kivo.read_log())
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(failed, after=after)
        self.assertEqual(shots.read_text(), "a file where the folder should be")
        self.assertEqual(list(kivo.TEST_DATA.rglob("*.png")), [])


class Capture(PlayerTest):
    @classmethod
    def setUpClass(cls):
        cls.clips = kivo.media()

    def test_ctrl_e_saves_real_frames_and_numbers_a_second_one(self):
        self.start(self.clips / "a.mp4", env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        kivo.command("set pause yes")
        kivo.focus_main("a.mp4 - KivoPlayer")
        kivo.xdotool("key", "ctrl+e")
        first = kivo.wait_for_log(r"^toast SAVED (a 0-00-0\d\.png)$", 20).group(1)
        kivo.xdotool("key", "ctrl+e")
        second = kivo.wait_for_log(r"^toast SAVED (a 0-00-0\d \(2\)\.png)$", 20).group(1)
        self.assertEqual(first[:-4] + " (2).png", second)
        shots = kivo.TEST_DATA / "shots"
        self.assertEqual(sorted(p.name for p in shots.iterdir()), sorted([first, second]))
        self.assertEqual(png_size(shots / first), (320, 240))

    def test_ctrl_c_puts_the_frame_on_the_clipboard_and_leaves_no_file(self):
        temp = kivo.unix_path(kivo.kivoctl("temppath")[1])
        frame = temp / "kivoplayer-frame.png"
        frame.unlink(missing_ok=True)
        self.start(self.clips / "a.mp4", test_mode=False, env={"KIVOPLAYER_LOG": "1"})
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        kivo.focus_main("a.mp4 - KivoPlayer")
        kivo.xdotool("key", "ctrl+c")
        kivo.wait_until(lambda: kivo.kivoctl("clipboard")[1] == "KivoPlayerWnd bitmap=1", 20, "the frame on the clipboard")
        self.assertFalse(frame.exists())


if __name__ == "__main__":
    kivo.main()
