"""Starting the engine: the options it gets, the first loads, and every way it can fail to start,
checked in the engine double's journal and the window's title."""
import kivo
from kivo import ScriptedTest

DEFAULT_OPTIONS = [
    "config=no", "terminal=no", "osc=no", "input-default-bindings=no", "input-vo-keyboard=no",
    "keep-open=yes", "hwdec=auto-safe", "af=@boost:lavfi=[dynaudnorm=f=250:g=15:p=0.95:m=5]",
    "idle=yes", "force-window=yes", "volume-max=200", "sub-auto=fuzzy", "slang=tha,th,eng,en", "reset-on-next-file=aid,sid",
    "autocreate-playlist=no",
    "directory-filter-types=video,audio", "directory-mode=ignore", "osd-level=0",
    "cursor-autohide=2500", "save-position-on-quit=no", "resume-playback=no",
    "watch-later-options=start,aid,sid,sub-delay,audio-delay", "write-filename-in-watch-later-config=yes",
]
FAILED_TITLE = "KivoPlayer - libmpv failed to start"


def options():
    return [l[len("option "):] for l in kivo.journal() if l.startswith("option ")]


class EngineStart(ScriptedTest):
    def run_to_close(self, *files, settings=None, env=None):
        kivo.JOURNAL.unlink(missing_ok=True)
        if settings:
            (kivo.TEST_DATA / "settings.ini").write_text(settings)
        self.assertEqual(self.start(*files, env=env).wait_exit(30), 0)
        return options()

    def test_default_options_in_order_then_the_settings_and_the_loads(self):
        got = self.run_to_close("rel.mkv", "C:\\media\\b.mkv", "https://x.test/v.m3u8")
        # The engine looks for a video decoding device only where the probe found one; Wine has none.
        found = kivo.wait_for_log(r"^hwdec_probe_ms=[\d.]+ \((yes|no), ").group(1)
        late = "hwdec_probe_late_ms=" in kivo.read_log()  # silent for 1.5 s: the engine looks itself
        asked = got[6] == "hwdec=auto-safe" or "set hwdec auto-safe" in kivo.journal_commands()
        self.assertEqual(asked, found == "yes" or late)
        got[6] = DEFAULT_OPTIONS[6]
        # Under Wine the engine is sent straight to the one output that works there.
        wine = ["vo=direct3d"] if "(no, wine)" in kivo.read_log() else []
        self.assertEqual(got, DEFAULT_OPTIONS + [
            "watch-later-directory=" + kivo.win_path(self.folder) + "\\..\\test\\resume", "screenshot-format=png",
            got[25], *wine, "ao=null"])
        self.assertRegex(got[25], r"^wid=\d+$")
        lines = kivo.journal()
        self.assertEqual(lines[0], "create")
        self.assertLess(lines.index("option ao=null"), lines.index("initialize"))
        self.assertEqual([c for c in kivo.journal_commands() if c.startswith("loadfile")], [
            "loadfile " + kivo.win_path(self.folder) + "\\rel.mkv", "loadfile C:\\media\\b.mkv append",
            "loadfile https://x.test/v.m3u8 append"])

        got = self.run_to_close("C:\\media\\a.mkv", settings="boost=0\nhwdec=0\nsublang=1\nautoqueue=1\n")
        self.assertNotIn(DEFAULT_OPTIONS[7], got)
        self.assertLessEqual({"hwdec=no", "slang=eng,en,tha,th", "autocreate-playlist=filter"}, set(got))
        got = self.run_to_close("C:\\media\\a.mkv", "C:\\media\\b.mkv", settings="sublang=2\nautoqueue=1\n")
        self.assertLessEqual({"slang=", "autocreate-playlist=no"}, set(got))  # a queue is never widened

        kivo.JOURNAL.unlink()
        kivo.clear_log()
        player = self.start("C:\\media\\a.mkv", env={"KIVOPLAYER_DEMO": "resume"})
        kivo.wait_for_log(r"^hud_ready_ms=", 30)
        self.assertLessEqual({"save-position-on-quit=yes", "resume-playback=yes"}, set(options()))
        self.assertEqual(player.close(), 0)
        self.assertIn("async quit-watch-later", kivo.journal_commands())

    def test_a_refused_option_or_a_missing_file_is_logged_and_the_program_goes_on(self):
        self.run_to_close("C:\\media\\a.mkv", env={"KIVO_ENGINE_REFUSE": "osc,volume-max=-7"})
        log = kivo.read_log()
        self.assertRegex(log, r"option osc=no -> \S")
        self.assertRegex(log, r"option volume-max=200 -> \S")
        self.assertIn("first_frame_ms=", log)
        kivo.MEDIA_DESCRIPTION.write_text("[missing.mkv]\nfail=1\n")
        self.run_to_close("C:\\nowhere\\missing.mkv")
        self.assertRegex(kivo.read_log(), r"end_file ERROR: \S")

    def test_an_engine_that_cannot_start_leaves_a_usable_window_that_says_so(self):
        nosym = kivo.program_folder("bin-scripted-nosym", kivo.SCRIPTED_NOSYM_DLL)
        for line, env, folder in ((r"^SYMBOLS_MISSING$", {}, nosym),
                                  (r"^mpv_create failed$", {"KIVO_ENGINE_FAIL": "create"}, self.folder),
                                  (r"^mpv_initialized_ms=[\d.]+ \((?!ok\)).+\)$", {"KIVO_ENGINE_FAIL": "initialize"},
                                   self.folder)):
            kivo.clear_log()
            player = self.start("C:\\media\\a.mkv", env=dict(env, KIVOPLAYER_DEMO="stay"), folder=folder)
            kivo.wait_for_log(line)
            kivo.wait_for_title(FAILED_TITLE)
            self.assertEqual(player.close(), 0)
        self.assertNotIn("command loadfile", "\n".join(kivo.journal()))

        # No library at all: the picture area is black below the title bar, and later opens start
        # no second engine thread.
        kivo.clear_log()
        folder = kivo.program_folder("bin-no-engine")
        env = {"KIVOPLAYER_DEMO": "stay", "KIVOPLAYER_SINGLE": "1"}
        player = self.start("C:\\media\\a.mkv", folder=folder, env=env)
        kivo.wait_for_log(r"^LOAD_FAIL err=126$", 60)  # a first start from a new folder can be slow
        kivo.wait_for_title(FAILED_TITLE)
        x, y, w, h, _, _ = kivo.window_rect()
        self.assertEqual(kivo.pixel(kivo.screenshot("engine-missing"), x + w // 2, y + h // 2), (0, 0, 0))
        self.assertEqual(self.start("C:\\media\\b.mkv", folder=folder, env=env).wait_exit(10), 0)
        kivo.wait_for_log(r"^handover KIVO n=1$")
        self.assertEqual(kivo.title(), FAILED_TITLE)
        self.assertEqual(kivo.read_log().count("worker_start_ms="), 1)
        self.assertEqual(player.close(), 0)
