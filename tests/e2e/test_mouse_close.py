"""Mouse on the picture, the close sequence, "@close" and hand-overs while playing."""
import time

import kivo
from kivo import ScriptedTest

TITLE = "film.mkv - KivoPlayer"


def picture_point():
    x, y, w, h, cw, ch = kivo.window_rect()
    return x + w // 2, y + h // 2


class Mouse(ScriptedTest):
    media = "duration=600\nvolume=50\n"

    def test_click_pauses_on_release_double_click_toggles_full_screen_and_wheel_steps_volume(self):
        player = self.start_playing("C:\\media\\film.mkv")
        kivo.move_mouse(*picture_point())
        since = len(kivo.journal())
        kivo.xdotool("mousedown", 1)
        time.sleep(0.3)  # nothing may happen while the button is down
        self.assertNotIn("cycle pause", kivo.journal_commands(since))
        kivo.xdotool("mouseup", 1)
        kivo.wait_for_command("cycle pause", since)
        time.sleep(0.6)  # longer than the double-click time: the next click is a new one

        since = len(kivo.journal())
        kivo.xdotool("click", "--repeat", 2, "--delay", 120, 1)
        kivo.wait_for_journal(lambda _: kivo.journal_commands(since).count("cycle pause") == 2)
        self.assertEqual(kivo.state_line()["fullscreen"], "1")
        self.assertEqual(kivo.window_rect()[:4], (0, 0, 1920, 1080))
        # A third quick click starts a new pair: it pauses on release again.
        kivo.xdotool("click", 1)
        kivo.wait_for_journal(lambda _: kivo.journal_commands(since).count("cycle pause") == 3)
        self.assertEqual(kivo.state_line()["fullscreen"], "1")
        for button, step in ((4, "add volume 5"), (5, "add volume -5")):
            kivo.sends(step, kivo.xdotool, "click", button)
        self.assertEqual(player.close(), 0)


class CloseSequence(ScriptedTest):
    def test_near_the_end_earlier_without_resume_and_with_an_engine_that_is_slow_or_never_quits(self):
        cases = ((55, "resume", "0", ["delete-watch-later-config", "set save-position-on-quit no", "async quit"]),
                 (49, "resume", "250", ["async quit-watch-later"]),  # an engine busy when the quit comes
                 (10, "stay", "0", ["async quit"]))
        for position, demo, stall, sent in cases:
            kivo.MEDIA_DESCRIPTION.write_text(f"duration=60\ntime-pos={position}\npause=yes\n")
            player = self.start_playing("C:\\media\\film.mkv", env={"KIVOPLAYER_DEMO": demo, "KIVO_ENGINE_STALL": stall})
            since = len(kivo.journal())
            self.assertEqual(player.close(), 0)
            self.assertEqual(kivo.journal_commands(since), sent, position)
            # The engine writes the resume entry before it answers the quit; ending the process
            # sooner cut the entry short.
            self.assertIn("reply 1", kivo.journal()[since:], position)
            kivo.clear_log()  # the next start waits for its own first picture
        player = self.start_playing("C:\\media\\film.mkv", env={"KIVO_ENGINE_STALL": "100000"})
        # Two close requests: the second one is ignored.
        kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, 0x10, 0, 0)
        kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, 0x10, 0, 0)
        self.assertEqual(player.wait_exit(10), 0)
        closes = [l for l in kivo.read_log().splitlines() if l.startswith("close_ms=")]
        self.assertEqual(len(closes), 1)
        self.assertLess(float(closes[0].split("=")[1].split()[0]), 450.0)


class CloseFileAndHandOver(ScriptedTest):
    media = "duration=600\n"
    env = {"KIVOPLAYER_DEMO": "resume", "KIVOPLAYER_SINGLE": "1"}

    def hand_over(self, *args):
        """A second start, which hands its files over and ends; returns the journal length before it."""
        since = len(kivo.journal())
        self.assertEqual(self.start(*args, env=self.env).wait_exit(10), 0)
        return since

    def test_queue_and_open_hand_overs_then_close_returns_to_the_start_screen_and_a_new_open_plays(self):
        player = self.start_playing("C:\\media\\film.mkv", env=self.env)
        since = self.hand_over("--enqueue", "C:\\media\\b.mkv", "C:\\media\\c.mkv")
        kivo.wait_for_command("loadfile C:\\media\\c.mkv append", since)
        self.assertEqual([c for c in kivo.journal_commands(since) if c.startswith("loadfile")],
                         ["loadfile C:\\media\\b.mkv append", "loadfile C:\\media\\c.mkv append"])
        self.assertEqual(kivo.title(), TITLE)
        kivo.wait_for_log(r"^toast PLAYLIST \+2$")
        kivo.wait_for_command("loadfile C:\\media\\d.mkv", self.hand_over("C:\\media\\d.mkv"))
        kivo.wait_for_title("d.mkv - KivoPlayer")
        since = len(kivo.journal())
        kivo.command("@close")
        kivo.wait_for_title("KivoPlayer")
        self.assertEqual(kivo.journal_commands(since)[:2], ["write-watch-later-config", "stop"])
        # No picture left: the start screen's dark background (with its faint glow) shows.
        kivo.wait_until(lambda: kivo.near(kivo.pixel(kivo.screenshot("after-close-file"), *picture_point()),
                                          (0x02, 0x07, 0x0D), 40), 10, "the start screen")
        kivo.wait_for_command("loadfile C:\\media\\next.mkv", self.hand_over("C:\\media\\next.mkv"))
        kivo.wait_for_title("next.mkv - KivoPlayer")
        shot = kivo.screenshot("open-after-close-file")
        self.assertNotEqual(kivo.pixel(shot, *picture_point()), (0x02, 0x07, 0x0D))
        self.assertEqual(player.close(), 0)
