"""Command toasts on the real engine under Wine: every kind's label and value, the toast's
place, colours, outline and scale on screen, the deadline rules and clicks through it."""
import re
import subprocess
import time

import kivo
from kivo import PlayerTest

PAINT = r"^toast_paint (\d+) x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+) label=(.*?) value=(.*)$"
NAVY = (0x05, 0x14, 0x1F, 0xE2)
CYAN = (0x00, 0xE5, 0xFF)
MUTED = (0x6D, 0x93, 0xA4)


class Paint:
    def __init__(self, m):
        self.n, self.x, self.y, self.w, self.h = (int(v) for v in m.groups()[:5])
        self.label, self.value = m.group(6), m.group(7)


def paints(after=0):
    return [Paint(m) for m in re.finditer(PAINT, kivo.read_log()[after:], re.M)]


def run(text, label, value, timeout=10):
    """Runs a command and waits for the toast painted with this label and value."""
    after = len(kivo.read_log())
    kivo.command(text)
    pattern = PAINT.replace(r"label=(.*?) value=(.*)$", f"label=({re.escape(label)}) value=({re.escape(value)})$")
    return Paint(kivo.wait_for_log(pattern, timeout, after))


def region(png, x, y, w, h):
    """Rows of (r, g, b) of a screen rectangle."""
    raw = subprocess.run(["convert", str(png), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True, timeout=30).stdout
    return [[tuple(raw[(r * w + c) * 3:(r * w + c) * 3 + 3]) for c in range(w)] for r in range(h)]


def shot_with_toast(name, paint):
    """A screenshot once the compositor shows the toast (its glowing corner is bright)."""
    for _ in range(40):
        png = kivo.screenshot(name)
        corner = region(png, paint.x + 1, paint.y + 1, 1, 1)[0][0]
        if corner[1] > 200 and corner[2] > 200 and corner[0] < 60:
            return png
        time.sleep(0.05)
    raise AssertionError(f"toast not on screen at {paint.x},{paint.y}")


def over(colour, alpha, under):
    """A premultiplied colour of this alpha composed over the screen."""
    return tuple(round(c * alpha / 255 + u * (255 - alpha) / 255) for c, u in zip(colour, under))


def client_box():
    x, y, w, h, cw, ch = kivo.window_rect()
    left = x + (w - cw) // 2  # the frame is on the sides and the bottom only
    return left, y, cw, ch


def ink_rows(rows, colour):
    """How many rows hold a pixel close to `colour` (text drawn in it)."""
    def near(p):
        return sum(abs(a - b) for a, b in zip(p, colour)) < 60
    return sum(1 for row in rows if any(near(p) for p in row))


class Toasts(PlayerTest):
    @classmethod
    def setUpClass(cls):
        cls.clips = kivo.media()

    def play(self, *files, env=None, folder=None):
        full = {"KIVOPLAYER_DEMO": "stay"}
        full.update(env or {})
        player = self.start(*(files or [self.clips / "b.mkv"]), env=full, folder=folder)
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        kivo.command("set pause yes")
        deadline = time.monotonic() + 10
        while kivo.state_line()["pause"] != "yes":
            self.assertLess(time.monotonic(), deadline, "the picture did not pause")
        return player

    def assert_placed(self, paint, scale=1):
        left, top, cw, _ = client_box()
        self.assertEqual(paint.x + paint.w, left + cw - 18 * scale)
        self.assertEqual(paint.y, top + 36 * scale + 18 * scale)
        self.assertEqual(paint.h, 34 * scale)
        self.assertGreaterEqual(paint.w, 96 * scale)

    def test_every_kind_shows_its_label_and_value(self):
        self.play(self.clips / "b.mkv", self.clips / "a.mp4")
        cases = [
            ("set volume 57", "VOL", "57%"),
            ("add volume -5", "VOL", "52%"),
            ("cycle mute", "VOL", "MUTE"),
            ("cycle mute", "VOL", "52%"),
            ("seek 4 absolute", "SEEK", "50%"),
            ("add speed -0.1", "SPEED", "0.9x"),
            ("add speed -0.1", "SPEED", "0.8x"),
            ("add brightness 3", "BRIGHT", "3"),
            ("add contrast -2", "CONTRAST", "-2"),
            ("add saturation 5", "SATUR", "5"),
            ("add hue 1", "HUE", "1"),
            ("add sub-delay 0.1", "SUB SYNC", "+0.1s"),
            ("add audio-delay -0.1", "AUDIO SYNC", "-0.1s"),
            ("set video-aspect-override 2.35:1", "ASPECT", "2.35:1"),
            ("set video-aspect-override -1", "ASPECT", "DEFAULT"),
            ("cycle sub-visibility", "SUBTITLE", "OFF"),
            ("cycle sub-visibility", "SUBTITLE", "ON"),
            ("set sid no", "SUBTITLE", "OFF"),
            ("cycle sub", "SUBTITLE", "TRACK 1"),
            ("set aid 1", "AUDIO", "TRACK 1"),
            ("@fill", "FILL SCREEN", "ON"),
            ("playlist-next", "PLAYLIST", "2/2"),
        ]
        for i, (text, label, value) in enumerate(cases):
            paint = run(text, label, value)
            self.assert_placed(paint)
            png = shot_with_toast(f"toast-kind-{i:02d}", paint)
            subprocess.run(["convert", str(png), "-crop", f"{paint.w + 40}x{paint.h + 20}+{paint.x - 20}+{paint.y - 10}",
                            "+repage", str(kivo.SCREENS / f"toast-crop-{i:02d}.png")], check=True, timeout=30)
        self.assertIn("toast FILL SCREEN ON", kivo.read_log())

    def test_look_colours_outline_and_place(self):
        self.play()
        before = kivo.screenshot("toast-before")
        paint = run("set volume 57", "VOL", "57%")
        after = shot_with_toast("toast-look", paint)
        x, y, w, h = paint.x, paint.y, paint.w, paint.h
        under = region(before, x, y, w, h)
        seen = region(after, x, y, w, h)
        # Background: the navy at alpha E2 over whatever the picture shows there, checked in a
        # text-free strip along the bottom.
        for cx in (w // 2, w - 6):
            expected = over(tuple(c * NAVY[3] / 255 for c in NAVY[:3]), NAVY[3], under[h - 4][cx])
            for a, b in zip(seen[h - 4][cx], expected):
                self.assertLessEqual(abs(a - b), 4, (cx, seen[h - 4][cx], expected))
        # Outline: AccentCyan at alpha 40 over the navy, one pixel wide on all four sides.
        navy = [c * NAVY[3] / 255 for c in NAVY[:3]]
        frame = [40 / 255 * c + (1 - 40 / 255) * n for c, n in zip(CYAN, navy)]
        frame_alpha = 40 + NAVY[3] * (255 - 40) / 255
        for px, py in ((w // 2, 0), (w // 2, h - 1), (w - 1, h // 2), (0, h - 4)):
            expected = over(frame, frame_alpha, under[py][px])
            for a, b in zip(seen[py][px], expected):
                self.assertLessEqual(abs(a - b), 5, ((px, py), seen[py][px], expected))
        inner = over(navy, NAVY[3], under[h - 2][w // 2])
        self.assertLessEqual(max(abs(a - b) for a, b in zip(seen[h - 2][w // 2], inner)), 4)
        # The glowing corner mark at the top left.
        self.assertGreater(seen[1][1][1], 200)
        self.assertGreater(seen[5][1][2], 200)
        # Label in small muted type, value in larger accent type, side by side.
        label_box = [row[12:30] for row in seen]
        value_box = [row[36:w - 4] for row in seen]
        label_rows, value_rows = ink_rows(label_box, MUTED), ink_rows(value_box, CYAN)
        self.assertGreater(label_rows, 4)
        self.assertGreater(value_rows, label_rows)
        self.assertEqual(ink_rows(label_box, CYAN), 0)
        # Nothing drawn beside the toast.
        self.assertEqual(region(after, x + w + 2, y + 5, 1, 1), region(before, x + w + 2, y + 5, 1, 1))
        self.assert_placed(paint)

    def test_twice_the_scale_is_exactly_twice_the_size(self):
        sizes = {}
        for scale in (1, 2):
            player = self.play(env={"KIVOPLAYER_SCALE": str(scale)})
            paint = run("set volume 57", "VOL", "57%")
            self.assert_placed(paint, scale)
            png = shot_with_toast(f"toast-scale-{scale}", paint)
            seen = region(png, paint.x, paint.y, paint.w, paint.h)
            # The outline is `scale` pixels wide; the next pixel in is the navy fill.
            mid = paint.h // 2 + 3 * scale
            ring = [seen[mid][i] for i in range(scale + 1)]
            self.assertTrue(all(abs(p[1] - ring[0][1]) <= 3 for p in ring[:scale]), ring)
            self.assertGreater(ring[0][1] - ring[scale][1], 20, ring)
            sizes[scale] = (paint.w, paint.h, ink_rows([r[paint.w // 2:] for r in seen], CYAN))
            kivo.screenshot(f"toast-scale-{scale}-screen")
            player.close()
            kivo.clear_log()
        self.assertEqual(sizes[2][0], 2 * sizes[1][0])
        self.assertEqual(sizes[2][1], 2 * sizes[1][1])
        self.assertAlmostEqual(sizes[2][2], 2 * sizes[1][2], delta=2)

    def test_same_text_only_prolongs_and_unrelated_commands_leave_it(self):
        self.play()
        start = len(kivo.read_log())
        t0 = time.monotonic()
        run("set volume 57", "VOL", "57%")
        time.sleep(0.5)
        kivo.command("set volume 57")
        kivo.wait_for_log(r"^toast_hide$", 10, start)
        elapsed = time.monotonic() - t0
        self.assertEqual(len(paints(start)), 1)
        self.assertGreater(elapsed, 1.7)  # 500 ms + the second command's 1300 ms
        self.assertLess(elapsed, 2.6)

        start = len(kivo.read_log())
        t0 = time.monotonic()
        run("add volume 1", "VOL", "58%")
        time.sleep(0.4)
        kivo.command("cycle sub-bold")
        kivo.wait_for_log(r"^toast_hide$", 10, start)
        elapsed = time.monotonic() - t0
        self.assertEqual(len(paints(start)), 1)
        self.assertGreater(elapsed, 1.2)  # the volume toast's own 1300 ms
        self.assertLess(elapsed, 2.0)

    def test_seek_toast_comes_on_the_next_tick(self):
        self.play()
        paint = run("seek 2 absolute", "SEEK", "25%")
        self.assert_placed(paint)
        run("seek 6 absolute", "SEEK", "75%")

    def test_clicks_fall_through_to_the_picture(self):
        self.play()
        self.assertEqual(kivo.state_line()["pause"], "yes")
        paint = run("@fill", "FILL SCREEN", "ON")
        shot_with_toast("toast-click", paint)
        # A single click on the picture plays; here it lands on the toast.
        kivo.click(paint.x + paint.w // 2, paint.y + paint.h // 2)
        deadline = time.monotonic() + 5
        while kivo.state_line()["pause"] != "no":
            self.assertLess(time.monotonic(), deadline, "the click did not reach the picture")
            time.sleep(0.1)

    def test_without_the_font_folder_text_is_still_drawn(self):
        folder = kivo.program_folder("bin-nofonts", kivo.BIN / "libmpv-2.dll")
        self.play(folder=folder)
        kit = kivo.wait_for_log(r"^drawing_kit ui=(.*) mono=(.*) ms=", 5)
        self.assertNotIn("Chakra Petch", kit.group(1))
        self.assertNotEqual(kit.group(2), "Share Tech Mono")
        self.assertNotEqual(kit.group(1), "")
        paint = run("set volume 57", "VOL", "57%")
        seen = region(shot_with_toast("toast-nofonts", paint), paint.x, paint.y, paint.w, paint.h)
        self.assertGreater(ink_rows([r[30:] for r in seen], CYAN), 5)

    def test_the_program_folder_fonts_are_used(self):
        self.play()
        kit = kivo.wait_for_log(r"^drawing_kit ui=(.*) mono=(.*) ms=", 5)
        self.assertTrue(kit.group(1).startswith("Chakra Petch"), kit.group(0))
        self.assertEqual(kit.group(2), "Share Tech Mono")

    def test_resume_notice(self):
        clip = self.clips / "a.mp4"
        player = self.start(clip, env={"KIVOPLAYER_DEMO": "resume"})
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        kivo.command("set pause yes")
        kivo.command("seek 5 absolute")
        kivo.wait_for_log(r"label=SEEK value=62%", 10)
        self.assertEqual(player.close(), 0)
        kivo.clear_log()
        self.start(clip, env={"KIVOPLAYER_DEMO": "resume"})
        paint = Paint(kivo.wait_for_log(PAINT.replace("label=(.*?)", "label=(RESUME)"), 60))
        self.assertEqual(paint.value, "0:00:05")
        self.assert_placed(paint)
        shot_with_toast("toast-resume", paint)


if __name__ == "__main__":
    kivo.main()
