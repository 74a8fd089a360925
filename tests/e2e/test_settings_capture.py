"""Settings, fill screen, Pan & Scan and frame names over the scripted engine, with real X input."""
import kivo
from kivo import ScriptedTest

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
        kivo.sends("seek 10 relative+keyframes", kivo.xdotool, "key", "Right")
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
        self.assertEqual((w, h, x - mx - (mw - cw) // 2), (560, 537, (cw - 560) // 2))
        self.assertTrue(my < y and y + h < my + ch)
        self.assertEqual(INI.read_text(), "seek=30\nvolume=5\nhide=2500\nsublang=0\nresume=1\nautoqueue=0\n"
                                          "single=1\nhwdec=1\nboost=1\npreviews=1\nlang=en\nshotdir=\n")
        since = kivo.sends("seek 30 relative+keyframes", kivo.xdotool, "key", "Right")  # keys still go to the main window
        kivo.click(x + 515, y + 250)  # the RESUME switch
        kivo.wait_for_command("set resume-playback no", since)
        kivo.click(x + 515, y + 385)  # the SEEK PREVIEWS switch
        kivo.wait_until(lambda: "previews=0" in INI.read_text(), 5, "previews switched off")
        kivo.click(x + 445, y + 70)  # the Thai language chip
        kivo.wait_for_log(r"^settings choose row=0 option=0")
        self.assertIn("lang=th", INI.read_text())
        kivo.xdotool("key", "Escape")
        kivo.wait_hidden(PANEL)
        self.assertEqual(list(kivo.TEST_DATA.glob("*.tmp")), [])
