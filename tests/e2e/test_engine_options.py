"""The options the engine is started with, the first loads, and engine start failures,
checked in the scripted engine's journal."""
import kivo
from kivo import ScriptedTest

DEFAULT_OPTIONS = [
    "config=no", "terminal=no", "osc=no", "input-default-bindings=no", "input-vo-keyboard=no",
    "keep-open=yes", "hwdec=auto-safe", "af=@boost:lavfi=[dynaudnorm=f=250:g=15:p=0.95:m=5]",
    "idle=yes", "volume-max=200", "sub-auto=fuzzy", "slang=tha,th,eng,en", "autocreate-playlist=no",
    "directory-filter-types=video,audio", "directory-mode=ignore", "osd-level=0",
    "cursor-autohide=2500", "save-position-on-quit=no", "resume-playback=no",
    "watch-later-options=start", "write-filename-in-watch-later-config=yes",
]


def options():
    return [l[len("option "):] for l in kivo.journal() if l.startswith("option ")]


class EngineOptions(ScriptedTest):
    def run_to_close(self, *files, env=None):
        player = self.start(*files, env=env)
        self.assertEqual(player.wait_exit(30), 0)
        return options()

    def test_default_option_set_in_order(self):
        got = self.run_to_close("C:\\media\\a.mkv")
        self.assertEqual(got[:21], DEFAULT_OPTIONS)
        self.assertEqual(got[21], "watch-later-directory=" + kivo.win_path(self.folder) + "\\..\\test\\resume")
        self.assertEqual(got[22], "screenshot-format=png")
        self.assertRegex(got[23], r"^wid=\d+$")
        self.assertEqual(got[24:], ["ao=null"])
        lines = kivo.journal()
        self.assertLess(lines.index("create"), lines.index("option config=no"))
        self.assertLess(lines.index("option ao=null"), lines.index("initialize"))
        self.assertIn("command loadfile\tC:\\media\\a.mkv", lines)

    def test_conditions_follow_the_settings(self):
        (kivo.TEST_DATA / "settings.ini").write_text("boost=0\nhwdec=0\nsublang=1\nautoqueue=1\n")
        got = self.run_to_close("C:\\media\\a.mkv")
        self.assertNotIn("af=@boost:lavfi=[dynaudnorm=f=250:g=15:p=0.95:m=5]", got)
        self.assertIn("hwdec=no", got)
        self.assertIn("slang=eng,en,tha,th", got)
        self.assertIn("autocreate-playlist=filter", got)
        kivo.JOURNAL.unlink()
        (kivo.TEST_DATA / "settings.ini").write_text("sublang=2\nautoqueue=1\n")
        got = self.run_to_close("C:\\media\\a.mkv", "C:\\media\\b.mkv")
        self.assertIn("slang=", got)
        self.assertIn("autocreate-playlist=no", got)

    def test_resume_demo_turns_resume_options_on(self):
        player = self.start("C:\\media\\a.mkv", env={"KIVOPLAYER_DEMO": "resume"})
        kivo.wait_for_log(r"^hud_ready_ms=", 30)
        self.assertIn("save-position-on-quit=yes", options())
        self.assertIn("resume-playback=yes", options())
        self.assertEqual(player.close(), 0)
        self.assertIn("async quit-watch-later", kivo.journal_commands())

    def test_three_files_load_in_order_with_full_paths(self):
        player = self.start("rel.mkv", "C:\\media\\b.mkv", "https://x.test/v.m3u8")
        self.assertEqual(player.wait_exit(30), 0)
        loads = [c for c in kivo.journal_commands() if c.startswith("loadfile")]
        self.assertEqual(loads, [
            "loadfile " + kivo.win_path(self.folder) + "\\rel.mkv",
            "loadfile C:\\media\\b.mkv append",
            "loadfile https://x.test/v.m3u8 append",
        ])

    def test_refused_option_is_logged_and_playback_goes_on(self):
        player = self.start("C:\\media\\a.mkv", env={"KIVO_ENGINE_REFUSE": "osc,hwdec=-7"})
        self.assertEqual(player.wait_exit(30), 0)
        log = kivo.read_log()
        self.assertRegex(log, r"option osc=no -> \S")
        self.assertRegex(log, r"option hwdec=auto-safe -> \S")
        self.assertIn("first_frame_ms=", log)


class EngineStartFailures(ScriptedTest):
    def expect_failure(self, line, env=None, folder=None):
        kw = {"folder": folder} if folder else {}
        player = self.start("C:\\media\\a.mkv", env=dict(env or {}, KIVOPLAYER_DEMO="stay"), **kw)
        kivo.wait_for_log(line)
        self.assertIsNone(kivo.wait_for_title("KivoPlayer - libmpv failed to start"))
        self.assertEqual(player.close(), 0)
        return kivo.read_log()

    def test_missing_entry_point(self):
        folder = kivo.program_folder("bin-scripted-nosym", kivo.SCRIPTED_NOSYM_DLL)
        log = self.expect_failure(r"^SYMBOLS_MISSING$", folder=folder)
        self.assertIn("libmpv_loaded_ms=", log)

    def test_create_fails(self):
        self.expect_failure(r"^mpv_create failed$", env={"KIVO_ENGINE_FAIL": "create"})

    def test_initialize_fails(self):
        log = self.expect_failure(r"^mpv_initialized_ms=[\d.]+ \((?!ok\)).+\)$", env={"KIVO_ENGINE_FAIL": "initialize"})
        self.assertNotIn("command loadfile", "\n".join(kivo.journal()))


class OpeningFiles(ScriptedTest):
    def test_missing_file_logs_the_engine_error_and_closes_in_test_mode(self):
        kivo.MEDIA_DESCRIPTION.write_text("[missing.mkv]\nfail=1\n")
        player = self.start("C:\\nowhere\\missing.mkv")
        self.assertEqual(player.wait_exit(30), 0)
        self.assertRegex(kivo.read_log(), r"end_file ERROR: \S")

    def test_engine_window_is_hooked_and_a_click_reaches_the_main_window(self):
        player = self.start_playing()
        kivo.wait_for_log(r"^mpv_window_hooked_ms=")
        x, y, w, h, cw, ch = kivo.window_rect()
        since = len(kivo.journal())
        kivo.click(x + w // 2, y + h // 2)
        kivo.wait_for_command("cycle pause", since)
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    kivo.main()
