"""Toasts: kinds and saved frames with the real engine; looks over the scripted engine's picture (the real one
does not show in screen captures)."""
import hashlib
import re
import struct
import subprocess

import kivo
from kivo import PlayerTest, ScriptedTest

PAINT = r"^toast_paint \d+ x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+) label={} value={}$"
NAVY, NAVY_ALPHA, CYAN, MUTED = (0x05, 0x14, 0x1F), 0xE2, (0x00, 0xE5, 0xFF), (0x6D, 0x93, 0xA4)
TITLE_BAR, DESKTOP_KEY = (0x04, 0x0D, 0x15), r"HKCU\Control Panel\Desktop"


def run(command, label, value, timeout=10):
    """Runs the command, if any, and waits for the toast painted with this label and value: (x, y, w, h)."""
    after = len(kivo.read_log()) if command else 0
    if command:
        kivo.command(command)
    m = kivo.wait_for_log(PAINT.format(re.escape(label), re.escape(value)), timeout, after)
    return tuple(int(v) for v in m.groups())


def region(png, x, y, w, h):
    raw = subprocess.run(["convert", str(png), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True, timeout=30).stdout
    return [[tuple(raw[(r * w + c) * 3:(r * w + c) * 3 + 3]) for c in range(w)] for r in range(h)]


def shot_with_toast(name, paint):
    """A screenshot once the compositor shows the toast (its glowing corner is bright cyan)."""
    kivo.wait_until(lambda: kivo.near(kivo.pixel(kivo.screenshot(name), paint[0] + 1, paint[1] + 1), CYAN, 55), 5, name)
    return kivo.SCREENS / f"{name}.png"


def ink_rows(rows, colour):
    """How many rows hold a pixel close to `colour`: the height of text drawn in it."""
    return sum(1 for row in rows if any(sum(abs(a - b) for a, b in zip(p, colour)) < 60 for p in row))


def assert_placed(test, paint, scale=1):
    x, y, w, h = paint
    wx, wy, ww, _, cw, _ = kivo.window_rect()
    left = wx + (ww - cw) // 2  # the frame is on the sides and the bottom only
    test.assertEqual((x + w, y, h), (left + cw - 18 * scale, wy + 54 * scale, 34 * scale), paint)


class RealEngineToasts(PlayerTest):
    def test_resume_notice_every_kind_and_saved_frames(self):
        clips = kivo.media()
        path = kivo.win_path(clips / "b.mkv")
        entry = kivo.TEST_DATA / "resume" / hashlib.md5(path.encode("utf-8")).hexdigest().upper()
        entry.parent.mkdir(parents=True, exist_ok=True)
        entry.write_text(f"# {path}\nstart=5.000000\n")  # as the engine writes it
        self.start(clips / "b.mkv", clips / "a.mp4", env={"KIVOPLAYER_DEMO": "resume"})
        assert_placed(self, run(None, "RESUME", "0:00:05", timeout=60))
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        kivo.command("set pause yes")
        kit = kivo.wait_for_log(r"^drawing_kit ui=(.*) mono=(.*) ms=", 5)
        self.assertEqual(kit.group(1, 2), ("Chakra Petch Medium", "Share Tech Mono"))
        # Values as the real engine reports them, one of each type (the kinds' formats are unit-tested).
        for text, label, value in [
            ("set volume 57", "VOL", "57%"), ("cycle mute", "VOL", "MUTE"), ("seek 4 absolute", "SEEK", "50%"),
            ("add speed -0.1", "SPEED", "0.9x"), ("add speed -0.1", "SPEED", "0.8x"), ("add hue 1", "HUE", "1"),
            ("add sub-delay 0.1", "SUB SYNC", "+0.1s"), ("set video-aspect-override 2.35:1", "ASPECT", "2.35:1"),
            ("set video-aspect-override -1", "ASPECT", "DEFAULT"), ("set sid no", "SUBTITLE", "OFF"),
            ("cycle sub", "SUBTITLE", "TRACK 1"), ("@fill", "FILL SCREEN", "ON"), ("playlist-next", "PLAYLIST", "2/2")]:
            assert_placed(self, run(text, label, value))
        # Ctrl+E saves the real frame and numbers a second one; Ctrl+C in test mode only reads its size.
        kivo.focus_main("a.mp4 - KivoPlayer")
        kivo.xdotool("key", "ctrl+e")
        first = kivo.wait_for_log(r"^toast SAVED (a 0-00-0\d)\.png$", 20).group(1)
        kivo.xdotool("key", "ctrl+e")
        kivo.wait_for_log(rf"^toast SAVED {first} \(2\)\.png$", 20)
        shots = kivo.TEST_DATA / "shots"
        self.assertEqual(sorted(p.name for p in shots.iterdir()), [f"{first} (2).png", f"{first}.png"])
        header = (shots / f"{first}.png").read_bytes()[:24]  # a real PNG of the frame's size
        self.assertEqual((header[:4], struct.unpack(">II", header[16:24])), (b"\x89PNG", (320, 240)))
        kivo.xdotool("key", "ctrl+c")
        kivo.wait_for_log(r"^toast CLIPBOARD COPIED 320x240 - Ctrl\+V$")


class ToastLook(ScriptedTest):
    media = "pause=yes\n"
    folder_name = "bin-toasts"

    def tearDown(self):
        kivo.wine_reg("delete", DESKTOP_KEY, "/v", "LogPixels", "/f")
        super().tearDown()

    def assert_look(self, paint, after):
        """The toast in the screenshot `after` against the picture under it once it is gone."""
        x, y, w, h = paint
        over = lambda rgb, a, under: tuple(c * a / 255 + u * (255 - a) / 255 for c, u in zip(rgb, under))
        kivo.wait_for_log(r"^toast_hide$", 5, kivo.read_log().rfind("toast_paint"))
        before = kivo.screenshot("toast-look-under")
        under, seen = region(before, *paint), region(after, *paint)
        self.assertGreater(max(max(p) for row in under for p in row), 100, "no test pattern under the toast")
        # Navy at alpha E2 over the pattern, in text-free places; the outline adds AccentCyan at alpha
        # 40, one pixel wide on each side; the glowing corner mark at the top left.
        places = [(w // 2, h - 3, 0), (w - 5, 4, 0), (5, h - 5, 0), (w - 3, h // 2, 0),
                  (w // 2, 0, 40), (w // 2, h - 1, 40), (0, h - 4, 40), (w - 1, h // 2, 40)]
        for px, py, colour, tolerance in [(px, py, over(CYAN, a, over(NAVY, NAVY_ALPHA, under[py][px])), 5)
                                          for px, py, a in places] + [(1, 1, CYAN, 30), (1, 6, CYAN, 30)]:
            self.assertLessEqual(max(abs(a - b) for a, b in zip(seen[py][px], colour)), tolerance,
                                 ((px, py), seen[py][px], under[py][px], colour))
        # Label in small muted type, value in larger accent type; nothing drawn beside the toast.
        label_box, value_box = [row[12:30] for row in seen], [row[36:w - 4] for row in seen]
        self.assertGreater(ink_rows(label_box, MUTED), 4)
        self.assertGreater(ink_rows(value_box, CYAN), ink_rows(label_box, MUTED))
        self.assertEqual(ink_rows(label_box, CYAN), 0)
        self.assertEqual(region(after, x + w + 1, y, 1, h), region(before, x + w + 1, y, 1, h))

    def test_window_title_bar_control_bar_and_toast_at_each_scale(self):
        # A 144-dpi system gives 1.5 without a switch. 2200 x 1280 would not fit the 1920 x 1080
        # screen: the window takes the screen's size, so centring keeps its title bar on the screen.
        sizes = {}
        for scale, dpi, env, window in [(1, None, {}, (1100, 640)), (1.5, "144", {}, (1650, 960)),
                                        (2, None, {"KIVOPLAYER_SCALE": "2"}, (1920, 1080))]:
            if dpi:
                kivo.wine_reg("add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f")
            kivo.clear_log()
            player = self.start_playing(env=env)
            x, y, w, h = kivo.window_rect()[:4]
            self.assertEqual((w, h, kivo.hud_rect()[3]), window + (82 * scale,))
            paint = run("add speed 0.25", "SPEED", "1.25x")
            assert_placed(self, paint, scale)
            shot = shot_with_toast(f"toast-scale-{scale}", paint)
            # The title bar is ours, drawn in the client area from the window's top; the picture below it.
            bar = [kivo.pixel(shot, x + w // 2, y + v) for v in (2, int(30 * scale), int(36 * scale) + 1)]
            self.assertEqual([c == TITLE_BAR for c in bar], [True, True, False], bar)
            seen = region(shot, *paint)
            sizes[scale] = (paint[2], paint[3], ink_rows([r[paint[2] // 2:] for r in seen], CYAN))
            if scale == 1:
                self.assert_look(paint, shot)
                # A single click on the picture plays or pauses; here it lands on a toast.
                fill = run("@fill", "FILL SCREEN", "ON")
                shot_with_toast("toast-click", fill)
                since = len(kivo.journal())
                kivo.click(fill[0] + fill[2] // 2, fill[1] + fill[3] // 2)
                kivo.wait_for_command("cycle pause", since)
            self.assertEqual(player.close(), 0)
            kivo.wine_reg("delete", DESKTOP_KEY, "/v", "LogPixels", "/f")
        ring = seen[paint[3] - 8][:3]  # at scale 2 the outline is two pixels wide; then the navy fill
        self.assertLessEqual(abs(ring[0][1] - ring[1][1]), 3, ring)
        self.assertGreater(ring[0][1] - ring[2][1], 15, ring)
        self.assertEqual(sizes[2][:2], (2 * sizes[1][0], 2 * sizes[1][1]))
        self.assertAlmostEqual(sizes[2][2], 2 * sizes[1][2], delta=2)


if __name__ == "__main__":
    kivo.main()
