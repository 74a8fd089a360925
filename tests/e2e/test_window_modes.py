"""Full screen, maximise, always on top, sizing to the picture, the picture's cursor and
moving the window by dragging the picture, with real X input."""
import time

import kivo
from kivo import ScriptedTest

TITLE = "film.mkv - KivoPlayer"


class WindowModes(ScriptedTest):
    media = "duration=600\ndwidth=1920\ndheight=1080\n"

    def toggle_full_screen_with_enter(self):
        kivo.focus_main(TITLE)
        before = kivo.state_line()["fullscreen"]
        kivo.xdotool("key", "Return")
        kivo.wait_until(lambda: kivo.state_line()["fullscreen"] != before, 5, "a full-screen change")

    def test_full_screen_on_top_sizes_to_the_picture_the_idle_cursor_and_moving_by_the_picture(self):
        player = self.start_playing("C:\\media\\film.mkv")
        kivo.kivoctl("size", kivo.MAIN_TEST_CLASS, 1003, 577)
        placed = kivo.window_rect()
        # Wine 8 on a bare X server answers HWND_TOPMOST without setting WS_EX_TOPMOST, so the
        # program's own flag is what can be checked here.
        kivo.command("@ontop")
        self.toggle_full_screen_with_enter()
        self.assertEqual(kivo.window_rect()[:4], (0, 0, 1920, 1080))
        kivo.command("@size 1")  # ignored in full screen
        self.assertEqual(kivo.window_rect()[:4], (0, 0, 1920, 1080))
        self.toggle_full_screen_with_enter()
        self.assertEqual(kivo.window_rect(), placed)
        self.assertEqual(kivo.state_line()["ontop"], "1")
        kivo.command("@ontop")
        self.assertEqual(kivo.state_line()["ontop"], "0")
        # From maximised and back to maximised.
        kivo.command("@maximize")
        kivo.wait_until(lambda: kivo.window_rect()[2] >= 1920, 5, "a maximised window")
        maximised = kivo.window_rect()
        self.toggle_full_screen_with_enter()
        self.toggle_full_screen_with_enter()
        self.assertEqual(kivo.window_rect(), maximised)
        kivo.command("@maximize")
        kivo.wait_until(lambda: kivo.window_rect() == placed, 5, "the restored window")
        kivo.command("@size 0.5")
        kivo.wait_until(lambda: kivo.window_rect()[4:] == (960, 540 + 36 + 82), 5, "the half-size client")
        # The cursor hides at rest over the picture; dragging the picture moves the window without pausing.
        x0, y0, w, h, _, _ = kivo.window_rect()
        px, py = x0 + w // 2, y0 + h // 3
        kivo.move_mouse(px, py)
        kivo.wait_until(lambda: kivo.state_line()["cursorHidden"] == "0", 5, "the cursor shown after a move")
        kivo.move_mouse(px + 5, py)
        t0 = time.monotonic()
        kivo.wait_until(lambda: kivo.state_line()["cursorHidden"] == "1", 5, "a hidden cursor")
        self.assertGreater(time.monotonic() - t0, 1.9)
        kivo.move_mouse(px, py)
        kivo.wait_until(lambda: kivo.state_line()["cursorHidden"] == "0", 5, "the cursor back")
        since = len(kivo.journal())
        kivo.xdotool("mousedown", 1)
        for step in range(1, 9):
            kivo.move_mouse(px + 15 * step, py + 10 * step)
        kivo.xdotool("mouseup", 1)
        kivo.wait_until(lambda: kivo.window_rect()[:2] != (x0, y0), 5, "a moved window")
        kivo.state_line()
        self.assertNotIn("cycle pause", kivo.journal_commands(since))
        self.assertEqual(player.close(), 0)
