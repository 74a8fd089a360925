"""Settings, fill screen, Pan & Scan and frame names over the scripted engine; frames saved with the real one."""
import struct

import kivo
from kivo import PlayerTest, ScriptedTest

PANEL = "KivoSettings"
INI, SHOTS = kivo.TEST_DATA / "settings.ini", kivo.TEST_DATA / "shots"


class SettingsAndScale(ScriptedTest):
    media = "duration=600\ntime-pos=65\npause=yes\nvideo-params/aspect=2.35\n[song.mp3]\nvid=no\n!video-params/aspect\n"

    def play(self, name, **env):
        player = self.start_playing(f"C:\\media\\{name}", env=env)
        kivo.focus_main(f"{name} - KivoPlayer")
        return player

    def choose_30s_seek_step(self, after=0):
        kivo.xdotool("key", "F5")
        kivo.wait_for_log(r"^settings open ", after=after)
        x, y, w, h = kivo.window_rect(PANEL)[:4]
        kivo.click(x + 517, y + 115)
        return x, y, w, h

    def expect_scale(self, since, x, y, decimals=4):
        return kivo.wait_for_command(f"set video-scale-x {x:.{decimals}f} ; set video-scale-y {y:.{decimals}f}", since)

    def expect_fill(self, since, after=0):
        """The 2.35 picture covers the window: scaled up along its narrower side."""
        w, h = map(int, kivo.wait_for_log(r"^fill window=(\d+)x(\d+)$", after=after).groups())
        c = w / h
        return self.expect_scale(since, 1, 2.35 / c) if 2.35 > c else self.expect_scale(since, c / 2.35, 1)

    def test_killed_save_frame_names_fill_pan_and_scan_then_the_f5_panel(self):
        INI.write_text("seek=10\n")
        player = self.play("film.mkv", KIVOPLAYER_SAVE_PAUSE="60000")
        self.choose_30s_seek_step()
        kivo.wait_for_log(r"^stored_file_paused .*settings\.ini\.tmp$")
        player.kill()
        self.assertEqual(INI.read_text(), "seek=10\n")
        self.assertTrue(INI.with_name("settings.ini.tmp").read_text().startswith("seek=30\n"))

        # The next start reads the old file. Frame names are cleaned; a path too long or a folder
        # that cannot be written fails naming the folder.
        self.play("x" * 240 + ".mkv")
        since = len(kivo.journal())
        kivo.xdotool("key", "Right")
        kivo.wait_for_command("seek 10 relative+keyframes", since)
        failed = r"^toast SAVE FAILED …\S*\\test\\shots$"
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(failed)
        kivo.command('loadfile "C:/media/what? a*b|c.mkv"')
        kivo.wait_for_title("what? a*b|c.mkv - KivoPlayer")
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(r"^toast SAVED what_ a_b_c 0-01-05\.png$")
        (SHOTS / "what_ a_b_c 0-01-05.png").unlink()
        SHOTS.rmdir()
        SHOTS.write_text("a file where the folder should be")
        after = len(kivo.read_log())
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(failed, after=after)
        self.assertEqual(list(kivo.TEST_DATA.rglob("*.png")), [])

        since = len(kivo.journal())
        kivo.xdotool("key", "0")
        since = self.expect_fill(since)
        after = len(kivo.read_log())
        kivo.kivoctl("size", kivo.MAIN_TEST_CLASS, 600, 700)
        since = self.expect_fill(since, after)
        kivo.xdotool("key", "0")
        self.expect_scale(since, 1, 1)
        for n, (x, y) in enumerate([(1, 1), (1, 1.14), (1, 1.34), (1, 1.74), (1.14, 1.14), (1.34, 1.34), (1.74, 1.74)]):
            since = len(kivo.journal())
            kivo.command(f"@ps {n}")
            self.expect_scale(since, x, y, 2)
            kivo.wait_for_log(rf"^panscan preset={n} current={n}$")
        kivo.command("@ps 9")
        kivo.wait_for_log(r"^panscan preset=0 current=0$\n(.*\n)*toast PAN & SCAN")
        # Fill turned off without a picture still resets the scale.
        kivo.command("loadfile C:/media/song.mp3")
        kivo.wait_for_title("song.mp3 - KivoPlayer")
        since, after = len(kivo.journal()), len(kivo.read_log())
        kivo.command("@fill")
        kivo.command("@fill")
        kivo.wait_for_log(r"^toast FILL SCREEN ON\n(.*\n)*toast FILL SCREEN OFF", after=after)
        self.expect_scale(since, 1, 1)

        # F5: a click writes the whole file over the stale temporary one and applies at once.
        after = len(kivo.read_log())
        x, y, w, h = self.choose_30s_seek_step(after)
        kivo.wait_for_log(r"^settings choose row=1 option=4", after=after)
        mx, my, mw, _, cw, ch = kivo.window_rect()
        self.assertEqual((w, h, x - mx - (mw - cw) // 2), (560, 447, (cw - 560) // 2))
        self.assertTrue(my < y and y + h < my + ch)
        self.assertEqual(INI.read_text(), "seek=30\nvolume=5\nhide=2500\nsublang=0\nresume=1\nautoqueue=0\n"
                                          "single=1\nhwdec=1\nboost=1\nlang=en\nshotdir=\n")
        since = len(kivo.journal())
        kivo.xdotool("key", "Right")  # keys still go to the main window
        kivo.wait_for_command("seek 30 relative+keyframes", since)
        kivo.click(x + 515, y + 250)  # the RESUME switch
        kivo.wait_for_command("set resume-playback no", since)
        kivo.click(x + 445, y + 70)  # the Thai language chip
        kivo.wait_for_log(r"^settings choose row=0 option=0")
        self.assertIn("lang=th", INI.read_text())
        kivo.screenshot("settings-thai")
        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: kivo.kivoctl("visible", PANEL)[1] == "0", what="panel hidden")
        self.assertEqual(list(kivo.TEST_DATA.glob("*.tmp")), [])


class Capture(PlayerTest):
    @classmethod
    def setUpClass(cls):
        cls.clip = kivo.media() / "a.mp4"

    def play(self, **kw):
        self.start(self.clip, **kw)
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        kivo.focus_main("a.mp4 - KivoPlayer")

    def test_ctrl_e_saves_real_frames_and_numbers_a_second_one(self):
        self.play(env={"KIVOPLAYER_DEMO": "stay"})
        kivo.command("set pause yes")
        kivo.xdotool("key", "ctrl+e")
        first = kivo.wait_for_log(r"^toast SAVED (a 0-00-0\d)\.png$", 20).group(1)
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(rf"^toast SAVED {first} \(2\)\.png$", 20)
        self.assertEqual(sorted(p.name for p in SHOTS.iterdir()), [f"{first} (2).png", f"{first}.png"])
        header = (SHOTS / f"{first}.png").read_bytes()[:24]  # a real PNG of the frame's size
        self.assertEqual((header[:4], struct.unpack(">II", header[16:24])), (b"\x89PNG", (320, 240)))
        kivo.xdotool("key", "ctrl+c")  # test mode: the size is read, the clipboard left alone
        kivo.wait_for_log(r"^toast CLIPBOARD COPIED 320x240 - Ctrl\+V$")

    def test_ctrl_c_puts_the_frame_on_the_clipboard_and_leaves_no_file(self):
        # Wine cannot hand a bitmap to another process, so the owner and the format are checked.
        self.play(test_mode=False, env={"KIVOPLAYER_LOG": "1"})
        kivo.xdotool("key", "ctrl+c")
        kivo.wait_until(lambda: kivo.kivoctl("clipboardowner")[1] == "KivoPlayerWnd bitmap=1", 20, "the frame on the clipboard")
        self.assertFalse((kivo.log_path().parent / "kivoplayer-frame.png").exists())


if __name__ == "__main__":
    kivo.main()
