"""Picture previews over the seek bar with the real engine: clips whose colours turn with time,
the preview against the frames the engine saves, its place, the files that get none, a file
change while a picture is on its way, and closing meanwhile."""
import re
import subprocess
import time

import kivo
from kivo import PlayerTest

PREVIEW = "KivoPreview"
SHOWN = r"^preview shown t=([\d.]+) gen=(\d+) x=(-?\d+) y=(-?\d+) w=(\d+) h=(\d+)"


def clips():
    folder = kivo.MEDIA / "previews"
    intra = ["-t", "20", "-c:v", "libx264", "-g", "1", "-preset", "ultrafast", "-pix_fmt", "yuv420p"]
    kivo._ffmpeg(folder / "hue.mp4", "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-vf", "hue=h=18*t", *intra)
    kivo._ffmpeg(folder / "bars.mp4", "-f", "lavfi", "-i", "smptebars=size=320x240:rate=25", *intra)
    kivo._ffmpeg(folder / "tone.m4a", "-f", "lavfi", "-i", "sine=frequency=440", "-t", "10", "-c:a", "aac")
    return folder


def coarse(png, x, y, w, h):
    """The picture in a box as 8 × 6 colours."""
    out = subprocess.run(["convert", str(png), "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-resize", "8x6!", "-depth", "8",
                          "txt:-"], capture_output=True, text=True, check=True, timeout=60).stdout
    return [int(v) for m in re.finditer(r"^\d+,\d+: \((\d+),(\d+),(\d+)", out, re.M) for v in m.groups()]


def distance(a, b):
    return sum(abs(p - q) for p, q in zip(a, b)) / len(a)


class Previews(PlayerTest):
    @classmethod
    def setUpClass(cls):
        cls.clips = clips()

    def play(self, name, settings=""):
        (kivo.TEST_DATA / "settings.ini").write_text(settings)
        mark = len(kivo.read_log())
        player = self.start(self.clips / name, env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^first_frame_ms=", 60, mark)
        kivo.command("set pause yes")
        self.hud = kivo.hud_rect()
        return player

    def rest_at(self, fraction, pattern=SHOWN, timeout=15):
        """Rests the pointer on the bar; the preview line that matches next."""
        hx, hy, hw, _ = self.hud
        mark = len(kivo.read_log())
        kivo.move_mouse(hx + 84 + round(fraction * (hw - 169)), hy + 32)
        return kivo.wait_for_log(pattern, timeout, mark) if pattern else None

    def preview_picture(self, name):
        x, y, w, h = kivo.window_rect(PREVIEW)[:4]
        return coarse(kivo.screenshot(name), x + 1, y + 1, w - 2, h - 2)

    def against_engine_frame(self, picture):
        """How far the preview is from the frame the engine saves now."""
        saved = kivo.SCREENS / "engine-frame.png"
        kivo.command(f'screenshot-to-file "{kivo.win_path(saved)}" video'.replace("\\", "\\\\"))
        return distance(coarse(saved, 0, 0, 320, 240), picture)

    def test_pictures_match_the_clip_above_the_bubble_inside_the_screen(self):
        self.play("hue.mp4")
        pictures = []
        for fraction in (0.25, 0.75):
            t = float(self.rest_at(fraction, SHOWN.replace(r"([\d.]+)", f"({round(fraction * 20)}\\.000)")).group(1))
            pictures.append(self.preview_picture(f"preview-{fraction}"))
            kivo.command(f"seek {t} absolute+exact")
            kivo.wait_until(lambda: self.against_engine_frame(pictures[-1]) < 14, 15, f"the engine's frame at {t} s")
        self.assertGreater(distance(*pictures), 40)
        # Both ends of a full-screen bar: above the bubble, inside the screen.
        kivo.command("@fullscreen")
        kivo.wait_until(lambda: kivo.hud_rect()[2] > self.hud[2], 10, "the full-screen bar")
        self.hud = kivo.hud_rect()
        screen_w = kivo.window_rect(kivo.MAIN_TEST_CLASS)[2]
        for fraction, edge in ((0.0, 0), (1.0, screen_w)):
            _, _, x, y, w, h = map(float, self.rest_at(fraction).groups())
            self.assertLessEqual(y + h, self.hud[1] + 2)
            self.assertEqual(x if edge == 0 else x + w, edge)

    def test_no_preview_for_audio_only_or_with_the_setting_off(self):
        for name, settings, why in (("tone.m4a", "", "audio only"), ("hue.mp4", "previews=0\n", None)):
            player = self.play(name, settings)
            mark = len(kivo.read_log())
            self.rest_at(0.5, r"^previews off for this file: audio only" if why else None)
            if not why:
                time.sleep(1.5)  # fifteen bar ticks with the pointer resting on the bar
            self.assertFalse(kivo.visible(PREVIEW))
            self.assertNotIn("preview shown", kivo.read_log()[mark:])
            kivo.park_mouse()
            self.assertEqual(player.close(), 0)

    def test_a_file_change_while_a_picture_is_on_its_way_never_shows_the_old_file(self):
        player = self.play("hue.mp4")
        self.rest_at(0.5)
        self.rest_at(0.8, None)
        mark = len(kivo.read_log())
        kivo.command(f'loadfile "{kivo.win_path(self.clips / "bars.mp4")}"'.replace("\\", "\\\\"))
        changed = kivo.wait_for_log(r"^bookmarks file=.*bars\.mp4", 15, mark).start()  # the window saw the new path
        kivo.wait_for_log(SHOWN.replace(r"gen=(\d+)", "gen=(2)"), 15, mark)
        self.assertNotRegex(kivo.read_log()[changed:], r"preview shown .* gen=1 ")
        bars = self.preview_picture("preview-bars")
        kivo.wait_until(lambda: self.against_engine_frame(bars) < 14, 15, "the preview like the new file's frame")
        self.assertEqual(player.close(), 0)

    def test_closing_while_the_preview_engine_starts_ends_within_the_limit(self):
        player = self.play("hue.mp4")
        kivo.focus_main("hue.mp4 - KivoPlayer")
        hx, hy, hw, _ = self.hud
        # One X client, milliseconds apart: the first picture waits for the second engine's start.
        kivo.xdotool("mousemove", hx + 84 + hw // 3, hy + 32, "key", "alt+F4")
        self.assertEqual(player.wait_exit(10), 0)
        log = kivo.read_log()
        self.assertTrue("preview engine starting" in log and "preview shown" not in log, log)
        self.assertLess(float(re.search(r"^close_ms=([\d.]+)", log, re.M).group(1)), 450)
