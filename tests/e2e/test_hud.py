"""The control bar against the scripted engine: what it shows (pixel probes on screenshots)
and what real mouse input on it sends."""
import time

import kivo
from kivo import ScriptedTest

AMBER = (0xFF, 0xB5, 0x47)
BRIGHT = (0xD6, 0xF5, 0xFF)
CORAL = (0xFF, 0x4D, 0x61)
GLYPH_NAVY = (0x00, 0x12, 0x1B)


class HudPicture(ScriptedTest):
    def test_two_hour_film_half_way_with_ab_range_markers_and_loud_volume(self):
        kivo.MEDIA_DESCRIPTION.write_text("duration=7200\ntime-pos=3600\nvolume=150\npause=yes\n")
        player = self.start_playing("C:\\media\\film.mkv")
        kivo.command("set ab-loop-a 1800")
        kivo.command("set ab-loop-b 4500")
        for seconds in (900, 2700, 5400):
            kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 2, seconds)
        time.sleep(0.3)  # a tick or two to repaint
        hx, hy, hw, hh = kivo.hud_rect()
        self.assertEqual((hw, hh), (1092, 82))
        shot = kivo.screenshot("hud-film-half-way")
        # Volume 150: gradient up to the middle tick (x 292), amber beyond it up to the knob (x 313).
        self.assertTrue(kivo.near(kivo.pixel(shot, hx + 300, hy + 63), AMBER), kivo.pixel(shot, hx + 300, hy + 63))
        self.assertFalse(kivo.near(kivo.pixel(shot, hx + 280, hy + 63), AMBER))
        # Playhead half-way along the seek bar (84 .. W - 84).
        seek_len = hw - 168
        self.assertTrue(kivo.near(kivo.pixel(shot, hx + 84 + seek_len // 2, hy + 32), BRIGHT))
        # Three arrows under the bar.
        for t in (900, 2700, 5400):
            x = hx + 84 + round(t / 7200 * seek_len)
            self.assertTrue(kivo.near(kivo.pixel(shot, x, hy + 43), BRIGHT), t)
        # A-B marks at both ends of the amber range.
        xa = hx + 84 + round(1800 / 7200 * seek_len)
        self.assertTrue(kivo.near(kivo.pixel(shot, xa, hy + 26), AMBER))
        # Chips: A-B active in amber, SUB inactive (no amber, no accent text).
        ab = kivo.colours_in(shot, hx + hw - 18 - 30 - 8 - 30 - 8 - 62 - 8 - 48 - 8 - 48 + 4, hy + 52, 40, 22)
        self.assertTrue(any(kivo.near(c, AMBER, 40) for c in ab))
        self.assertEqual(kivo.pixel(shot, hx + 1, hy + 5), kivo.pixel(shot, hx + 1, hy + 5))
        self.assertEqual(player.close(), 0)

    def test_short_clip_paused_at_volume_zero(self):
        kivo.MEDIA_DESCRIPTION.write_text("duration=30\ntime-pos=12\nvolume=0\npause=yes\n")
        player = self.start_playing("C:\\media\\clip.mp4")
        time.sleep(0.3)
        hx, hy, hw, hh = kivo.hud_rect()
        shot = kivo.screenshot("hud-short-paused-muted")
        self.assertTrue(kivo.near(kivo.pixel(shot, hx + 238, hy + 63), CORAL, 40))  # the red cross
        self.assertTrue(kivo.near(kivo.pixel(shot, hx + 109, hy + 63), GLYPH_NAVY))  # play triangle
        self.assertEqual(player.close(), 0)

    def test_narrow_window_leaves_out_the_speed_and_ab_chips(self):
        player = self.start_playing("C:\\media\\film.mkv")
        kivo.kivoctl("size", kivo.MAIN_TEST_CLASS, 648, 480)
        kivo.wait_until(lambda: kivo.hud_rect()[2] == 640, what="a 640-pixel control bar")
        time.sleep(0.3)
        hx, hy, hw, hh = kivo.hud_rect()
        kivo.screenshot("hud-640")
        since = len(kivo.journal())
        kivo.click(hx + 400, hy + 63)  # where the speed chip would be at 1100
        kivo.click(hx + hw - 18 - 30 - 8 - 30 - 8 - 31, hy + 63)  # the audio chip is there
        kivo.wait_for_command("cycle audio", since)
        self.assertNotIn("cycle-values speed 1.25 1.5 2 0.5 0.75 1", kivo.journal_commands(since))
        self.assertEqual(player.close(), 0)

    def test_scale_one_and_a_half(self):
        player = self.start_playing("C:\\media\\film.mkv", env={"KIVOPLAYER_SCALE": "1.5"})
        time.sleep(0.3)
        hx, hy, hw, hh = kivo.hud_rect()
        self.assertEqual(hh, 123)  # 82 × 1.5
        kivo.screenshot("hud-scale-1.5")
        self.assertEqual(player.close(), 0)


class HudMouse(ScriptedTest):
    media = "duration=100\ntime-pos=10\nvolume=50\n"

    def test_click_on_the_seek_bar_seeks_fast_then_exactly(self):
        player = self.start_playing("C:\\media\\film.mkv")
        hx, hy, hw, hh = kivo.hud_rect()
        since = len(kivo.journal())
        kivo.click(hx + 84 + (hw - 168) // 2, hy + 32)
        kivo.wait_for_command("seek 50.000 absolute+exact", since)
        seeks = [c for c in kivo.journal_commands(since) if c.startswith("seek")]
        self.assertEqual(seeks, ["seek 50.000 absolute+keyframes", "seek 50.000 absolute+exact"])
        self.assertEqual(player.close(), 0)

    def test_dragging_the_seek_bar_sends_at_most_one_seek_per_50_ms(self):
        player = self.start_playing("C:\\media\\film.mkv")
        hx, hy, hw, hh = kivo.hud_rect()
        kivo.move_mouse(hx + 100, hy + 32)
        since = len(kivo.journal())
        t0 = time.monotonic()
        kivo.xdotool("mousedown", 1)
        for x in range(hx + 100, hx + 900, 20):
            kivo.xdotool("mousemove", x, hy + 32)
        kivo.xdotool("mouseup", 1)
        elapsed_ms = (time.monotonic() - t0) * 1000
        kivo.wait_for_journal(lambda _: any("+exact" in c for c in kivo.journal_commands(since)))
        fast = [c for c in kivo.journal_commands(since) if c.endswith("+keyframes")]
        self.assertGreaterEqual(len(fast), 2)
        self.assertLessEqual(len(fast), elapsed_ms / 50 + 1)
        self.assertEqual(player.close(), 0)

    def test_volume_slider_snaps_to_100_and_shows_no_toast(self):
        player = self.start_playing("C:\\media\\film.mkv")
        hx, hy, hw, hh = kivo.hud_rect()
        paints = kivo.read_log().count("toast_paint")
        since = len(kivo.journal())
        kivo.click(hx + 250 + round(0.485 * 84), hy + 63)  # 97 %
        kivo.wait_for_command("set volume 100", since)
        kivo.click(hx + 250 + 83, hy + 63)  # past 98 % of the slider
        kivo.wait_for_command("set volume 200", since)
        kivo.state_line()
        self.assertEqual(kivo.read_log().count("toast_paint"), paints)
        self.assertEqual(player.close(), 0)

    def test_buttons_act_on_release_over_the_pressed_element(self):
        player = self.start_playing("C:\\media\\film.mkv")
        hx, hy, hw, hh = kivo.hud_rect()
        play = (hx + 109, hy + 63)
        since = len(kivo.journal())
        kivo.move_mouse(*play)
        kivo.xdotool("mousedown", 1)
        kivo.move_mouse(hx + 160, hy + 63)  # onto "fwd"
        kivo.xdotool("mouseup", 1)
        kivo.click(*play)
        kivo.wait_for_command("cycle pause", since)
        self.assertEqual(kivo.journal_commands(since).count("cycle pause"), 1)
        self.assertNotIn("seek 5 relative+keyframes", kivo.journal_commands(since))
        buttons = [(33, "playlist-prev"), (67, "seek -5 relative+keyframes"), (155, "seek 5 relative+keyframes"),
                   (189, "playlist-next"), (231, "cycle mute")]
        right = hw - 18
        chips = [(right - 30 - 8 - 30 - 8 - 31, "cycle audio"), (right - 30 - 8 - 30 - 8 - 62 - 8 - 24, "cycle sub"),
                 (right - 30 - 8 - 30 - 8 - 62 - 8 - 48 - 8 - 24, "ab-loop"),
                 (right - 30 - 8 - 30 - 8 - 62 - 8 - 48 - 8 - 48 - 8 - 29, "cycle-values speed 1.25 1.5 2 0.5 0.75 1")]
        for x, command in buttons + chips:
            since = len(kivo.journal())
            kivo.click(hx + x, hy + 63)
            kivo.wait_for_command(command, since)
        kivo.xdotool("click", 4)
        kivo.wait_for_journal(lambda _: any("volume" in c for c in kivo.journal_commands(since)))
        self.assertEqual(player.close(), 0)


class FullScreenHud(ScriptedTest):
    media = "duration=600\ntime-pos=10\n"

    def test_shows_in_the_bottom_band_and_hides_after_the_mouse_rests(self):
        player = self.start_playing("C:\\media\\film.mkv")
        since = len(kivo.journal())
        kivo.command("@fullscreen")
        kivo.move_mouse(960, 300)
        kivo.wait_until(lambda: not kivo.hud_visible(), 5, "the bar hidden over the picture")
        kivo.wait_for_command("set sub-margin-y 22", since)
        kivo.screenshot("fullscreen-hud-hidden")
        since = len(kivo.journal())
        kivo.move_mouse(960, 1050)
        kivo.wait_until(kivo.hud_visible, 2, "the bar shown in the bottom band")
        t_shown = time.monotonic()
        kivo.wait_for_command("set sub-margin-y 75", since)
        self.assertEqual(kivo.hud_rect(), (0, 998, 1920, 82))
        kivo.screenshot("fullscreen-hud-shown")
        kivo.move_mouse(600, 1005)  # in the band, above every element
        kivo.wait_until(lambda: not kivo.hud_visible(), 5, "the bar hidden after 2.5 s of rest")
        self.assertGreater(time.monotonic() - t_shown, 2.0)
        # Paused, it stays while the mouse is in the band.
        kivo.command("set pause yes")
        kivo.move_mouse(610, 1005)
        kivo.wait_until(kivo.hud_visible, 2, "the bar shown again")
        time.sleep(3.0)
        self.assertTrue(kivo.hud_visible())
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    kivo.main()
