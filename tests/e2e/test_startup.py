"""Start-up, the main window, the diagnostics log and the single-instance hand-over."""
import subprocess
import time

import kivo
from kivo import PlayerTest


class StartUp(PlayerTest):
    def test_quit_switch_shows_the_window_and_exits_cleanly(self):
        player = self.start(env={"KIVOPLAYER_QUIT": "1"})
        self.assertEqual(player.wait_exit(30), 0)
        log = kivo.read_log()
        paint = log.find("first_paint_ms=")
        close = log.find("close_ms=")
        self.assertGreaterEqual(paint, 0, log)
        self.assertGreater(close, paint, log)
        self.assertRegex(log, r"close_ms=\d+\.\d \(window hidden -> process exit\)\n")
        # Test mode prepares its capture folder under the test data.
        self.assertTrue((kivo.TEST_DATA / "shots").is_dir())

    def test_window_size_colours_and_scale(self):
        player = self.start()
        kivo.wait_for_log(r"^first_paint_ms=")
        x, y, w, h, cw, ch = kivo.window_rect()
        self.assertEqual((w, h), (1100, 640))
        shot = kivo.screenshot("startup-window")
        # The client reaches the window's top: the title bar is ours, drawn in the client area.
        self.assertEqual(kivo.pixel(shot, x + w // 2, y + 10), (0x04, 0x0D, 0x15))
        # Below it the start screen: the body colour under its glows.
        self.assertTrue(kivo.near(kivo.pixel(shot, x + w // 2, y + h // 2), (0x02, 0x07, 0x0D), 40))
        self.assertEqual(player.close(), 0)

        kivo.clear_log()
        player = self.start(env={"KIVOPLAYER_SCALE": "1.5"})
        kivo.wait_for_log(r"^first_paint_ms=")
        x, y, w, h, cw, ch = kivo.window_rect()
        self.assertEqual((w, h), (1650, 960))
        shot = kivo.screenshot("startup-window-scale-1.5")
        # Title bar 36 logical pixels high, so 54 at this scale.
        self.assertEqual(kivo.pixel(shot, x + w // 2, y + 53), (0x04, 0x0D, 0x15))
        self.assertTrue(kivo.near(kivo.pixel(shot, x + w // 2, y + 55), (0x02, 0x07, 0x0D), 40))
        self.assertEqual(player.close(), 0)

        # 2200 x 1280 would not fit the 1920 x 1080 screen: the window takes the screen's
        # size, so centring keeps its title bar on the screen.
        kivo.clear_log()
        player = self.start(env={"KIVOPLAYER_SCALE": "2"})
        kivo.wait_for_log(r"^first_paint_ms=")
        self.assertEqual(kivo.window_rect()[:4], (0, 0, 1920, 1080))
        shot = kivo.screenshot("startup-window-scale-2")
        self.assertEqual(kivo.pixel(shot, 960, 5), (0x04, 0x0D, 0x15))
        self.assertEqual(player.close(), 0)

    def test_log_only_when_switched_on(self):
        player = self.start(test_mode=False, env={"KIVOPLAYER_QUIT": "1"})
        self.assertEqual(player.wait_exit(30), 0)
        self.assertFalse(kivo.log_path().exists())
        player = self.start(test_mode=False, env={"KIVOPLAYER_QUIT": "1", "KIVOPLAYER_LOG": ""})
        self.assertEqual(player.wait_exit(30), 0)
        self.assertIn("first_paint_ms=", kivo.read_log())


class SingleInstance(PlayerTest):
    def handover(self, *args):
        first = self.start(env={"KIVOPLAYER_SINGLE": "1"})
        kivo.wait_for_log(r"^first_paint_ms=")
        t0 = time.monotonic()
        second = self.start(*args, env={"KIVOPLAYER_SINGLE": "1"})
        self.assertEqual(second.wait_exit(10), 0)
        self.assertLess(time.monotonic() - t0, 3.0 + 1.0)  # Wine's own start adds up to a second
        return first

    def test_second_start_hands_full_paths_in_order(self):
        (kivo.TEST_DATA / "b clip.mkv").write_bytes(b"")
        first = self.handover("b clip.mkv", kivo.win_path(kivo.TEST_DATA / "a.mp4"), "https://x.test/v.m3u8")
        kivo.wait_for_log(r"^handover KIVO n=3$")
        log = kivo.read_log()
        paths = [l[len("handover path="):] for l in log.splitlines() if l.startswith("handover path=")]
        self.assertEqual(paths, [
            kivo.win_path(kivo.BIN) + "\\b clip.mkv",
            kivo.win_path(kivo.TEST_DATA / "a.mp4"),
            "https://x.test/v.m3u8",
        ])
        # Only the first window exists: the second process opened none of its own.
        self.assertTrue(first.running())
        self.assertEqual(first.close(), 0)

    def test_enqueue_sends_the_queue_code(self):
        first = self.handover("--enqueue", "x.mkv", "y.mkv")
        kivo.wait_for_log(r"^handover KVQU n=2$")
        self.assertEqual(first.close(), 0)

    def test_enqueue_alone_sends_an_empty_queue(self):
        first = self.handover("--enqueue")
        kivo.wait_for_log(r"^handover KVQU n=0$")
        self.assertEqual(first.close(), 0)

    def test_single_off_opens_a_window_per_start(self):
        (kivo.TEST_DATA / "settings.ini").write_text("single=0\n")
        first = self.start(env={"KIVOPLAYER_SINGLE": "1"})
        kivo.wait_for_log(r"^first_paint_ms=")
        second = self.start("x.mkv", env={"KIVOPLAYER_SINGLE": "1"})
        kivo.wait_for_log(r"^first_paint_ms=.*\n(.*\n)*first_paint_ms=")
        self.assertNotIn("handover", kivo.read_log())
        self.assertTrue(first.running() and second.running())


REGISTRY_KEY = r"HKCU\Software\Kivo Labs\KivoPlayer"


class Language(PlayerTest):
    """Outside test mode: the registry value wins over settings.ini, then English."""

    def setUp(self):
        super().setUp()
        self.data = kivo.appdata_folder()
        self.data.mkdir(parents=True, exist_ok=True)
        self.saved = (self.data / "settings.ini").read_bytes() if (self.data / "settings.ini").exists() else None
        kivo.wine_reg("delete", REGISTRY_KEY, "/v", "Language", "/f")
        self.out = kivo.TEST_DATA / "lang.txt"

    def tearDown(self):
        kivo.wine_reg("delete", REGISTRY_KEY, "/v", "Language", "/f")
        if self.saved is None:
            (self.data / "settings.ini").unlink(missing_ok=True)
        else:
            (self.data / "settings.ini").write_bytes(self.saved)
        super().tearDown()

    def language_in_use(self):
        player = self.start(test_mode=False, env={"KIVOPLAYER_PRINTLANG": kivo.win_path(self.out)})
        self.assertEqual(player.wait_exit(30), 0)
        return self.out.read_bytes()

    def test_registry_then_settings_then_english(self):
        (self.data / "settings.ini").write_text("lang=th\n")
        self.assertEqual(self.language_in_use(), b"th")
        kivo.wine_reg("add", REGISTRY_KEY, "/v", "Language", "/t", "REG_SZ", "/d", "en", "/f")
        self.assertEqual(self.language_in_use(), b"en")
        kivo.wine_reg("add", REGISTRY_KEY, "/v", "Language", "/t", "REG_SZ", "/d", "", "/f")
        self.assertEqual(self.language_in_use(), b"th")
        (self.data / "settings.ini").unlink()
        self.assertEqual(self.language_in_use(), b"en")
        # A pack code is taken only when its file is in the lang folder beside the program.
        (self.data / "settings.ini").write_text("lang=xx\n")
        self.assertEqual(self.language_in_use(), b"en")
        pack = kivo.BIN / "lang" / "xx.ini"
        try:
            pack.write_text("Title=Test Pack\nSpeed=SPEED-XX\n")
            self.assertEqual(self.language_in_use(), b"xx")
            kivo.wine_reg("add", REGISTRY_KEY, "/v", "Language", "/t", "REG_SZ", "/d", "xx", "/f")
            (self.data / "settings.ini").write_text("lang=th\n")
            self.assertEqual(self.language_in_use(), b"xx")
        finally:
            pack.unlink(missing_ok=True)
        self.assertEqual(self.language_in_use(), b"en")

    def test_template_switch_reports_failure_in_the_exit_code(self):
        ok = self.start(env={"KIVOPLAYER_DUMPLANG": kivo.win_path(kivo.TEST_DATA / "template.ini")})
        self.assertEqual(ok.wait_exit(30), 0)
        written = (kivo.TEST_DATA / "template.ini").read_bytes()
        self.assertEqual(written.count(b"\n"), 153)
        # The shipped template is the program's own output.
        self.assertEqual((kivo.BIN / "lang" / "template.ini").read_bytes(), written)
        bad = self.start(env={"KIVOPLAYER_DUMPLANG": kivo.win_path(kivo.TEST_DATA / "no" / "template.ini")})
        self.assertEqual(bad.wait_exit(30), 1)


class HighDpi(PlayerTest):
    """A 144-dpi system gives a 1.5 scale without any switch."""

    def tearDown(self):
        kivo.wine_reg("delete", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/f")
        super().tearDown()

    def test_window_follows_the_system_dpi(self):
        kivo.wine_reg("add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", "144", "/f")
        player = self.start()
        kivo.wait_for_log(r"^first_paint_ms=")
        self.assertEqual(kivo.window_rect()[2:4], (1650, 960))
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    kivo.main()
