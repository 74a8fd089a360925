"""The control bar against the scripted engine: what it shows (pixel probes) and what real mouse input sends."""
import time

import kivo
from kivo import ScriptedTest

AMBER, BRIGHT, CORAL, GLYPH_NAVY = (0xFF, 0xB5, 0x47), (0xD6, 0xF5, 0xFF), (0xFF, 0x4D, 0x61), (0x00, 0x12, 0x1B)


class Hud(ScriptedTest):
    media = "duration=100\ntime-pos=10\nvolume=50\n[film.mkv]\nduration=7200\ntime-pos=3600\n"

    def test_picture_mouse_input_and_full_screen(self):
        self.start_playing()
        for command in ("set volume 150", "set pause yes", "set ab-loop-a 1800", "set ab-loop-b 4500"):
            kivo.command(command)
        for seconds in (900, 2700, 5400):
            kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 2, seconds)  # markers
        time.sleep(0.3)  # a tick or two to repaint
        hx, hy, hw, _ = kivo.hud_rect()
        shot = kivo.screenshot("hud-film-half-way")
        at = lambda t: 84 + round(t / 7200 * (hw - 168))  # the seek bar runs from 84 to W - 84
        # Volume 150: gradient up to the middle tick (x 292), amber beyond it up to the knob (x 313);
        # the playhead, the A mark, the marker arrows, and the play triangle of a paused film.
        for x, y, colour in [(300, 63, AMBER), (at(3600), 32, BRIGHT), (at(1800), 26, AMBER), (109, 63, GLYPH_NAVY),
                             (at(900), 43, BRIGHT), (at(2700), 43, BRIGHT), (at(5400), 43, BRIGHT)]:
            self.assertTrue(kivo.near(kivo.pixel(shot, hx + x, hy + y), colour), (x, y, colour))
        self.assertFalse(kivo.near(kivo.pixel(shot, hx + 280, hy + 63), AMBER))
        ab = kivo.colours_in(shot, hx + hw - 264, hy + 52, 40, 22)
        self.assertTrue(any(kivo.near(c, AMBER, 40) for c in ab), "the A-B chip is not lit")
        kivo.command("set volume 0")
        time.sleep(0.3)
        self.assertTrue(kivo.near(kivo.pixel(kivo.screenshot("hud-silent"), hx + 238, hy + 63), CORAL, 40))
        # A 100-second clip: a click on the seek bar seeks fast, then exactly.
        for command in ("loadfile C:/media/clip.mkv", "set volume 50", "set pause no"):
            kivo.command(command)
        kivo.wait_for_title("clip.mkv - KivoPlayer")
        since = kivo.sends("seek 50.000 absolute+exact", kivo.click, hx + 84 + (hw - 168) // 2, hy + 32)
        seeks = [c for c in kivo.journal_commands(since) if c.startswith("seek")]
        self.assertEqual(seeks, ["seek 50.000 absolute+keyframes", "seek 50.000 absolute+exact"])
        self.assertFalse(kivo.visible("KivoPreview"))  # the double has no render API: the bubble alone
        # Dragging sends at most one fast seek per 50 ms, then an exact one on release.
        kivo.move_mouse(hx + 100, hy + 32)
        since, t0 = len(kivo.journal()), time.monotonic()
        kivo.xdotool("mousedown", 1)
        for x in range(hx + 100, hx + 900, 20):
            kivo.xdotool("mousemove", x, hy + 32)
        kivo.xdotool("mouseup", 1)
        elapsed_ms = (time.monotonic() - t0) * 1000
        kivo.wait_for_journal(lambda _: any("+exact" in c for c in kivo.journal_commands(since)))
        fast = [c for c in kivo.journal_commands(since) if c.endswith("+keyframes")]
        self.assertTrue(2 <= len(fast) <= elapsed_ms / 50 + 1, (len(fast), elapsed_ms))
        # The volume slider snaps to 100 near it and shows no toast (once the commands' toast is gone).
        kivo.wait_for_log(r"^toast_hide$", 5, kivo.read_log().rfind("toast_paint"))
        paints = kivo.read_log().count("toast_paint")
        kivo.sends("set volume 100", kivo.click, hx + 250 + round(0.485 * 84), hy + 63)  # 97 %
        kivo.sends("set volume 200", kivo.click, hx + 250 + 83, hy + 63)  # past 98 % of the slider
        kivo.state_line()  # a round trip: a toast would have been painted by now
        self.assertEqual(kivo.read_log().count("toast_paint"), paints)
        # A button acts on release over the element it was pressed on.
        since = len(kivo.journal())
        kivo.move_mouse(hx + 109, hy + 63)
        kivo.xdotool("mousedown", 1)
        kivo.move_mouse(hx + 160, hy + 63)  # onto "fwd"
        kivo.xdotool("mouseup", 1)
        kivo.sends("cycle pause", kivo.click, hx + 109, hy + 63)
        self.assertEqual(kivo.journal_commands(since).count("cycle pause"), 1)
        self.assertNotIn("seek 5 relative+keyframes", kivo.journal_commands(since))
        since = len(kivo.journal())
        kivo.xdotool("click", 4)  # the wheel over the bar steps the volume
        kivo.wait_for_journal(lambda _: any("volume" in c for c in kivo.journal_commands(since)))
        # Full screen, playing: hidden while the mouse rests over the picture or in the bottom band.
        kivo.command("set pause no")
        since = len(kivo.journal())
        kivo.command("@fullscreen")
        kivo.move_mouse(960, 300)
        kivo.wait_until(lambda: not kivo.visible(), 5, "the bar hidden over the picture")
        kivo.wait_for_command("set sub-margin-y 22", since)
        since = len(kivo.journal())
        kivo.move_mouse(960, 1050)
        kivo.wait_until(kivo.visible, 2, "the bar shown in the bottom band")
        t_shown = time.monotonic()
        kivo.wait_for_command("set sub-margin-y 75", since)
        self.assertEqual(kivo.hud_rect(), (0, 998, 1920, 82))
        kivo.move_mouse(600, 1005)  # in the band, above every element
        kivo.wait_until(lambda: not kivo.visible(), 5, "the bar hidden after 2.5 s of rest")
        self.assertGreater(time.monotonic() - t_shown, 2.0)
        # Hiding changes the window under the resting pointer; the move the system makes up for
        # that is no activity, so the bar stays hidden.
        time.sleep(1.0)
        self.assertFalse(kivo.visible(), "the bar came back under a resting pointer")
        self.assertEqual(self.players[0].close(), 0)
