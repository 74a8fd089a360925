"""Command toasts under Wine: every kind's label and value from the real engine; the toast's
place, colours, alpha, outline and scale probed over the scripted engine's test pattern (the
real engine's picture does not show in screen captures); deadlines and clicks through it."""
import hashlib
import re
import shutil
import subprocess
import time

import kivo
from kivo import PlayerTest, ScriptedTest

PAINT = r"^toast_paint (\d+) x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+) label=(.*?) value=(.*)$"
NAVY, NAVY_ALPHA = (0x05, 0x14, 0x1F), 0xE2
CYAN = (0x00, 0xE5, 0xFF)
MUTED = (0x6D, 0x93, 0xA4)


class Paint:
    def __init__(self, m):
        self.n, self.x, self.y, self.w, self.h = (int(v) for v in m.groups()[:5])
        self.label, self.value = m.group(6), m.group(7)


def paint_count(after):
    return len(re.findall(PAINT, kivo.read_log()[after:], re.M))


def run(text, label, value, timeout=10):
    """Runs a command and waits for the toast painted with this label and value."""
    after = len(kivo.read_log())
    kivo.command(text)
    pattern = PAINT.replace("label=(.*?) value=(.*)$", f"label=({re.escape(label)}) value=({re.escape(value)})$")
    return Paint(kivo.wait_for_log(pattern, timeout, after))


def region(png, x, y, w, h):
    """Rows of (r, g, b) of a screen rectangle."""
    raw = subprocess.run(["convert", str(png), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True, timeout=30).stdout
    return [[tuple(raw[(r * w + c) * 3:(r * w + c) * 3 + 3]) for c in range(w)] for r in range(h)]


def shot_with_toast(name, paint):
    """A screenshot once the compositor shows the toast (its glowing corner is bright cyan)."""
    for _ in range(40):
        png = kivo.screenshot(name)
        r, g, b = region(png, paint.x + 1, paint.y + 1, 1, 1)[0][0]
        if g > 200 and b > 200 and r < 60:
            return png
        time.sleep(0.05)
    raise AssertionError(f"toast not on screen at {paint.x},{paint.y}")


def over(colour, alpha, under):
    """A straight colour at this alpha composed over a screen pixel."""
    return tuple(c * alpha / 255 + u * (255 - alpha) / 255 for c, u in zip(colour, under))


def ink_rows(rows, colour):
    """How many rows hold a pixel close to `colour`: the height of text drawn in it."""
    return sum(1 for row in rows if any(sum(abs(a - b) for a, b in zip(p, colour)) < 60 for p in row))


class ToastChecks:
    def assert_placed(self, paint, scale=1):
        x, y, w, _, cw, _ = kivo.window_rect()
        left = x + (w - cw) // 2  # the frame is on the sides and the bottom only
        self.assertEqual(paint.x + paint.w, left + cw - 18 * scale, vars(paint))
        self.assertEqual(paint.y, y + 36 * scale + 18 * scale, vars(paint))
        self.assertEqual(paint.h, 34 * scale)
        self.assertGreaterEqual(paint.w, 96 * scale)


class RealEngineToasts(PlayerTest, ToastChecks):
    @classmethod
    def setUpClass(cls):
        cls.clips = kivo.media()

    def play(self, *files, folder=None):
        self.start(*(files or [self.clips / "b.mkv"]), env={"KIVOPLAYER_DEMO": "stay"}, folder=folder)
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        kivo.command("set pause yes")

    def test_every_kind_shows_its_label_and_value(self):
        self.play(self.clips / "b.mkv", self.clips / "a.mp4")
        kit = kivo.wait_for_log(r"^drawing_kit ui=(.*) mono=(.*) ms=", 5)
        self.assertEqual(kit.group(1, 2), ("Chakra Petch Medium", "Share Tech Mono"))
        cases = [
            ("set volume 57", "VOL", "57%"), ("add volume -5", "VOL", "52%"), ("cycle mute", "VOL", "MUTE"),
            ("cycle mute", "VOL", "52%"), ("seek 4 absolute", "SEEK", "50%"), ("add speed -0.1", "SPEED", "0.9x"),
            ("add speed -0.1", "SPEED", "0.8x"), ("add brightness 3", "BRIGHT", "3"),
            ("add contrast -2", "CONTRAST", "-2"), ("add saturation 5", "SATUR", "5"), ("add hue 1", "HUE", "1"),
            ("add sub-delay 0.1", "SUB SYNC", "+0.1s"), ("add audio-delay -0.1", "AUDIO SYNC", "-0.1s"),
            ("set video-aspect-override 2.35:1", "ASPECT", "2.35:1"),
            ("set video-aspect-override -1", "ASPECT", "DEFAULT"), ("cycle sub-visibility", "SUBTITLE", "OFF"),
            ("cycle sub-visibility", "SUBTITLE", "ON"), ("set sid no", "SUBTITLE", "OFF"),
            ("cycle sub", "SUBTITLE", "TRACK 1"), ("set aid 1", "AUDIO", "TRACK 1"),
            ("@fill", "FILL SCREEN", "ON"), ("playlist-next", "PLAYLIST", "2/2"),
        ]
        for i, (text, label, value) in enumerate(cases):
            paint = run(text, label, value)
            self.assert_placed(paint)
            png = shot_with_toast("toast-kind", paint)
            subprocess.run(["convert", str(png), "-crop", f"{paint.w + 40}x{paint.h + 20}+{paint.x - 20}+{paint.y - 10}",
                            "+repage", str(kivo.SCREENS / f"toast-kind-{i:02d}.png")], check=True, timeout=30)
        self.assertIn("toast FILL SCREEN ON", kivo.read_log())

    def test_same_text_only_prolongs_and_unrelated_commands_leave_it(self):
        self.play()
        start, t0 = len(kivo.read_log()), time.monotonic()
        run("set volume 57", "VOL", "57%")
        time.sleep(0.5)
        kivo.command("set volume 57")
        kivo.wait_for_log(r"^toast_hide$", 10, start)
        self.assertEqual(paint_count(start), 1)
        self.assertGreater(time.monotonic() - t0, 1.7)  # 500 ms + the second command's 1300 ms
        self.assertLess(time.monotonic() - t0, 2.6)

        start, t0 = len(kivo.read_log()), time.monotonic()
        run("add brightness 2", "BRIGHT", "2")
        time.sleep(0.4)
        kivo.command("cycle sub-bold")
        kivo.wait_for_log(r"^toast_hide$", 10, start)
        self.assertEqual(paint_count(start), 1)
        self.assertLess(time.monotonic() - t0, 2.0)  # the brightness toast's own 1300 ms

    def test_resume_notice(self):
        clip = self.clips / "a.mp4"
        path = kivo.win_path(clip)
        entry = kivo.TEST_DATA / "resume" / hashlib.md5(path.encode("utf-8")).hexdigest().upper()
        entry.parent.mkdir(parents=True, exist_ok=True)
        entry.write_text(f"# {path}\nstart=5.000000\n")  # as the engine writes it
        self.start(clip, env={"KIVOPLAYER_DEMO": "resume"})
        paint = Paint(kivo.wait_for_log(PAINT.replace("label=(.*?)", "label=(RESUME)"), 60))
        self.assertEqual(paint.value, "0:00:05")
        self.assert_placed(paint)

    def test_without_the_font_folder_text_is_still_drawn(self):
        folder = kivo.program_folder("bin-nofonts", kivo.BIN / "libmpv-2.dll")
        shutil.rmtree(folder / "fonts", ignore_errors=True)
        self.play(folder=folder)
        kit = kivo.wait_for_log(r"^drawing_kit ui=(.*) mono=(.*) ms=", 5)
        self.assertNotIn("Chakra Petch", kit.group(1))
        self.assertNotEqual(kit.group(2), "Share Tech Mono")
        paint = run("set volume 57", "VOL", "57%")
        seen = region(shot_with_toast("toast-nofonts", paint), paint.x, paint.y, paint.w, paint.h)
        self.assertGreater(ink_rows([r[30:] for r in seen], CYAN), 5)


class ToastLook(ScriptedTest, ToastChecks):
    media = "pause=yes\n"
    folder_name = "bin-toasts"

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        shutil.copytree(kivo.BIN / "fonts", cls.folder / "fonts", dirs_exist_ok=True)

    def test_colours_alpha_outline_and_type(self):
        self.start_playing()
        paint = run("set volume 57", "VOL", "57%")
        x, y, w, h = paint.x, paint.y, paint.w, paint.h
        after = shot_with_toast("toast-look", paint)
        kivo.wait_for_log(r"^toast_hide$", 5)
        before = kivo.screenshot("toast-look-under")
        under, seen = region(before, x, y, w, h), region(after, x, y, w, h)
        self.assertGreater(max(max(p) for row in under for p in row), 100, "no test pattern under the toast")

        def expect(px, py, colour, tolerance=4):
            self.assertLessEqual(max(abs(a - b) for a, b in zip(seen[py][px], colour)), tolerance,
                                 ((px, py), seen[py][px], under[py][px], colour))

        # Background: the navy at alpha E2 over the pattern, in text-free places.
        for px, py in ((w // 2, h - 3), (w - 5, 4), (5, h - 5), (w - 3, h // 2)):
            expect(px, py, over(NAVY, NAVY_ALPHA, under[py][px]))
        # Outline: AccentCyan at alpha 40 over that, one pixel wide on all four sides.
        for px, py in ((w // 2, 0), (w // 2, h - 1), (0, h - 4), (w - 1, h // 2)):
            expect(px, py, over(CYAN, 40, over(NAVY, NAVY_ALPHA, under[py][px])), 5)
        # The glowing corner mark at the top left.
        expect(1, 1, CYAN, 30)
        expect(1, 6, CYAN, 30)
        # Label in small muted type, value in larger accent type; nothing drawn beside the toast.
        label_box, value_box = [row[12:30] for row in seen], [row[36:w - 4] for row in seen]
        self.assertGreater(ink_rows(label_box, MUTED), 4)
        self.assertGreater(ink_rows(value_box, CYAN), ink_rows(label_box, MUTED))
        self.assertEqual(ink_rows(label_box, CYAN), 0)
        self.assertEqual(region(after, x + w + 1, y, 1, h), region(before, x + w + 1, y, 1, h))
        self.assert_placed(paint)

    def test_twice_the_scale_is_exactly_twice_the_size(self):
        sizes = {}
        for scale in (1, 2):
            kivo.clear_log()
            player = self.start_playing(env={"KIVOPLAYER_SCALE": str(scale)})
            paint = run("add speed 0.25", "SPEED", "1.25x")
            self.assert_placed(paint, scale)
            seen = region(shot_with_toast(f"toast-scale-{scale}", paint), paint.x, paint.y, paint.w, paint.h)
            # The outline is `scale` pixels wide; then the navy fill.
            ring = [seen[paint.h - 4 * scale][i] for i in range(scale + 1)]
            self.assertLessEqual(abs(ring[0][1] - ring[scale - 1][1]), 3, ring)
            self.assertGreater(ring[0][1] - ring[scale][1], 15, ring)
            sizes[scale] = (paint.w, paint.h, ink_rows([r[paint.w // 2:] for r in seen], CYAN))
            self.assertEqual(player.close(), 0)
        self.assertEqual(sizes[2][:2], (2 * sizes[1][0], 2 * sizes[1][1]))
        self.assertAlmostEqual(sizes[2][2], 2 * sizes[1][2], delta=2)

    def test_clicks_fall_through_to_the_picture(self):
        self.start_playing()
        paint = run("@fill", "FILL SCREEN", "ON")
        shot_with_toast("toast-click", paint)
        since = len(kivo.journal())
        # A single click on the picture plays or pauses; here it lands on the toast.
        kivo.click(paint.x + paint.w // 2, paint.y + paint.h // 2)
        kivo.wait_for_command("cycle pause", since)

    def test_keys_show_their_toasts(self):
        self.start_playing("C:\\media\\film.mkv")
        kivo.focus_main("film.mkv - KivoPlayer")
        after = len(kivo.read_log())
        kivo.xdotool("key", "Down")  # volume 100, step 5
        kivo.wait_for_log(r"label=VOL value=95%$", 10, after)
        kivo.xdotool("key", "Right")  # the seek toast comes on the next tick, from the new position
        kivo.wait_for_log(r"label=SEEK value=8%$", 10, after)
        # Held X: the speed toast follows each step the engine takes.
        after = len(kivo.read_log())
        kivo.xdotool("keydown", "x")
        time.sleep(1.5)
        kivo.xdotool("keyup", "x")
        kivo.wait_for_log(r"label=SPEED value=0.7x$", 10, after)
        speeds = re.findall(r"label=SPEED value=(.*)x$", kivo.read_log()[after:], re.M)
        self.assertEqual(speeds[:3], ["0.9", "0.8", "0.7"])
        self.assertEqual([float(v) for v in speeds], sorted((float(v) for v in speeds), reverse=True))


if __name__ == "__main__":
    kivo.main()
