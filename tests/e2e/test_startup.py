"""Start-up, the diagnostics log, the clipboard frame, the single-instance hand-over and the language."""
import kivo
from kivo import PlayerTest, ScriptedTest

REGISTRY_KEY = r"HKCU\Software\Kivo Labs\KivoPlayer"
STAY_SINGLE = {"KIVOPLAYER_SINGLE": "1", "KIVOPLAYER_DEMO": "stay"}


class StartUp(PlayerTest):
    def test_quit_switch_the_log_only_when_switched_on_and_the_frame_on_the_clipboard(self):
        self.assertEqual(self.start(env={"KIVOPLAYER_QUIT": "1"}).wait_exit(30), 0)
        self.assertRegex(kivo.read_log(), r"first_paint_ms=(.*\n)+close_ms=\d+\.\d \(window hidden -> process exit\)\n")
        kivo.clear_log()
        self.assertEqual(self.start(test_mode=False, env={"KIVOPLAYER_QUIT": "1"}).wait_exit(30), 0)
        self.assertFalse(kivo.log_path().exists())
        # Switched on, with a real file: Ctrl+C puts the frame on the clipboard (Wine cannot hand a
        # bitmap to another process, so the owner and the format are checked) and leaves no file.
        self.start(kivo.media() / "a.mp4", test_mode=False, env={"KIVOPLAYER_LOG": ""})
        kivo.wait_for_log(r"^first_paint_ms=(.*\n)*hud_ready_ms=", 60)
        kivo.focus_main("a.mp4 - KivoPlayer")
        kivo.xdotool("key", "ctrl+c")
        kivo.wait_until(lambda: kivo.kivoctl("clipboardowner")[1] == "KivoPlayerWnd bitmap=1", 20, "the clipboard")
        self.assertFalse((kivo.log_path().parent / "kivoplayer-frame.png").exists())


class SingleInstance(ScriptedTest):
    """The scripted engine loads whatever is handed over, so the first window stays open."""

    def test_second_starts_hand_over_in_order_and_the_first_window_stays_alone(self):
        first = self.start(env=STAY_SINGLE)
        kivo.wait_for_log(r"^first_paint_ms=")
        for args, logged in [(["--enqueue"], "KVQU n=0"), (["--enqueue", "x.mkv", "y.mkv"], "KVQU n=2"),
                             (["b clip.mkv", kivo.win_path(kivo.TEST_DATA / "a.mp4"), "https://x.test/v.m3u8"],
                              "KIVO n=3")]:
            after = len(kivo.read_log())
            self.assertEqual(self.start(*args, env=STAY_SINGLE).wait_exit(10), 0)
            kivo.wait_for_log(rf"^handover {logged}$", after=after)
        paths = kivo.re.findall(r"^handover path=(.*)$", kivo.read_log()[after:], kivo.re.M)
        self.assertEqual(paths, [kivo.win_path(self.folder) + "\\b clip.mkv", kivo.win_path(kivo.TEST_DATA / "a.mp4"),
                                 "https://x.test/v.m3u8"])
        self.assertEqual(kivo.read_log().count("first_paint_ms="), 1)
        self.assertEqual(first.close(), 0)
        # With the setting off, every start opens its own window.
        (kivo.TEST_DATA / "settings.ini").write_text("single=0\n")
        mark = len(kivo.read_log())
        first, second = self.start(env=STAY_SINGLE), self.start("x.mkv", env=STAY_SINGLE)
        kivo.wait_for_log(r"^first_paint_ms=(.*\n)*first_paint_ms=", after=mark)
        self.assertNotIn("handover", kivo.read_log()[mark:])
        self.assertTrue(first.running() and second.running())


class Language(PlayerTest):
    def setUp(self):
        super().setUp()
        self.ini, self.pack = kivo.appdata_folder() / "settings.ini", kivo.BIN / "lang" / "xx.ini"
        self.ini.parent.mkdir(parents=True, exist_ok=True)
        kivo.wine_reg("delete", REGISTRY_KEY, "/v", "Language", "/f")

    def tearDown(self):
        kivo.wine_reg("delete", REGISTRY_KEY, "/v", "Language", "/f")
        self.ini.unlink(missing_ok=True)
        self.pack.unlink(missing_ok=True)
        super().tearDown()

    def test_outside_test_mode_the_registry_then_settings_then_english(self):
        out = kivo.TEST_DATA / "lang.txt"
        # A pack code is taken only when its file is in the lang folder beside the program.
        for registry, setting, with_pack, wanted in [
                (None, "th", False, b"th"), ("en", "th", False, b"en"), ("", "xx", False, b"en"),
                ("", "xx", True, b"xx"), ("xx", "th", True, b"xx"), ("xx", "th", False, b"en")]:
            if registry is not None:
                kivo.wine_reg("add", REGISTRY_KEY, "/v", "Language", "/t", "REG_SZ", "/d", registry, "/f")
            for path, text in ((self.ini, setting and f"lang={setting}\n"), (self.pack, with_pack and "Title=X\n")):
                path.unlink(missing_ok=True)
                if text:
                    path.write_text(text)
            player = self.start(test_mode=False, env={"KIVOPLAYER_PRINTLANG": kivo.win_path(out)})
            self.assertEqual(player.wait_exit(30), 0)
            self.assertEqual(out.read_bytes(), wanted, (registry, setting, with_pack))

    def test_template_switch_reports_failure_in_the_exit_code(self):
        template = kivo.TEST_DATA / "template.ini"
        self.assertEqual(self.start(env={"KIVOPLAYER_DUMPLANG": kivo.win_path(template)}).wait_exit(30), 0)
        self.assertEqual((kivo.BIN / "lang" / "template.ini").read_bytes(), template.read_bytes())  # shipped as written
        bad = self.start(env={"KIVOPLAYER_DUMPLANG": kivo.win_path(kivo.TEST_DATA / "no" / "template.ini")})
        self.assertEqual(bad.wait_exit(30), 1)
