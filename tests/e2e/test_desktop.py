"""The program among the desktop's other parts: media keys, paste to play, dropped subtitles,
panels kept above their window after a dialog, and the "Open with" registration."""
import re

import kivo
from kivo import PlayerTest, ScriptedTest

WM_KEYDOWN, WM_COMMAND, WM_APPCOMMAND = 0x0100, 0x0111, 0x0319
STOP = "set pause yes ; seek 0 absolute"
MEDIA_INPUT = [  # message, wParam, lParam: the one command the engine must get
    (WM_KEYDOWN, 0xB3, 0, "cycle pause"), (WM_KEYDOWN, 0xB2, 0, STOP), (WM_KEYDOWN, 0xB0, 0, "playlist-next"),
    (WM_KEYDOWN, 0xB1, 0, "playlist-prev"), (WM_APPCOMMAND, 0, 14 << 16, "cycle pause"),
    (WM_APPCOMMAND, 0, 13 << 16, STOP), (WM_APPCOMMAND, 0, 11 << 16, "playlist-next"),
    (WM_APPCOMMAND, 0, 12 << 16, "playlist-prev"), (WM_APPCOMMAND, 0, 46 << 16, "set pause no"),
    (WM_APPCOMMAND, 0, 47 << 16, "set pause yes"), (WM_APPCOMMAND, 0, 1 << 16, "seek -5 relative+keyframes"),
]


class Desktop(ScriptedTest):
    media = "duration=7200\ntime-pos=3600\npause=no\n"

    def setUp(self):
        super().setUp()
        self.player = self.start_playing("C:\\media\\film.mkv")

    def test_media_keys_and_app_commands_run_their_keyboard_twins(self):
        for message, wparam, lparam, expected in MEDIA_INPUT:
            with self.subTest(message=message, wparam=wparam, lparam=lparam):
                # The system's volume keys (10) stay the system's: nothing goes out for them.
                kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, WM_APPCOMMAND, 0, 10 << 16)
                since = kivo.sends(expected, kivo.kivoctl, "post", kivo.MAIN_TEST_CLASS, message, wparam, lparam)
                self.assertEqual(kivo.journal_commands(since)[0], expected)

    def test_taskbar_buttons_run_their_commands_and_the_button_follows_the_pause_state(self):
        mark = len(kivo.read_log())
        kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, int(kivo.kivoctl("registered", "TaskbarButtonCreated")[1]), 0, 0)
        kivo.wait_for_log(r"^taskbar buttons=3$", after=mark)
        kivo.wait_for_log(r"^taskbar progress state=2$", after=mark)  # normal
        for button, expected in ((0x4B50, "playlist-prev"), (0x4B52, "playlist-next"), (0x4B51, "cycle pause")):
            kivo.sends(expected, kivo.kivoctl, "post", kivo.MAIN_TEST_CLASS, WM_COMMAND, 0x1800 << 16 | button, 0)
        kivo.wait_for_log(r"^taskbar progress state=8\ntaskbar buttons enabled=1 paused=1$", after=mark)
        kivo.command("@close")
        kivo.wait_for_log(r"^taskbar progress state=0\ntaskbar buttons enabled=0 paused=0$", after=mark)

    def test_paste_plays_files_and_text_queues_with_shift_and_says_when_nothing_is_there(self):
        for name in ("a.mkv", "b.mkv"): (kivo.TEST_DATA / name).touch()
        a, b = (kivo.win_path(kivo.TEST_DATA / name) for name in ("a.mkv", "b.mkv"))
        recent = kivo.unix_path(kivo.wine_variable("APPDATA")) / "Microsoft" / "Windows" / "Recent"
        for link in recent.glob("b.mkv*.lnk"): link.unlink()
        text = f'\r\n  "{b}"  \r\n\r\nhttp://example.com/s.mp4\r\nnot a path\r\nC:\\missing.mkv\r\n'
        cases = [(("copyfiles", a, b), "ctrl+v", [f"loadfile {a}", f"loadfile {b} append"]),
                 (("holdclipboard", text, 0), "ctrl+v", [f"loadfile {b}", "loadfile http://example.com/s.mp4 append"]),
                 (("copyfiles", a), "ctrl+shift+v", [f"loadfile {a} append"])]
        for clip, key, loads in cases:
            with self.subTest(key=key, loads=loads):
                kivo.kivoctl(*clip)
                kivo.focus_main(kivo.title())
                since = kivo.sends(loads[-1], kivo.xdotool, "key", key)
                self.assertEqual([c for c in kivo.journal_commands(since) if c.startswith("loadfile")], loads)
        kivo.wait_for_log(r"^toast PLAYLIST \+1$")
        kivo.wait_until(lambda: list(recent.glob("b.mkv*.lnk")), what="b.mkv in Explorer's recent items")
        kivo.kivoctl("holdclipboard", "just words", 0)
        since, mark = len(kivo.journal()), len(kivo.read_log())
        kivo.xdotool("key", "ctrl+v")
        kivo.wait_for_log(r"^toast PASTE NOTHING TO PLAY$", after=mark)
        self.assertEqual([c for c in kivo.journal_commands(since) if c.startswith("loadfile")], [])

    def test_playlist_takes_clicks_after_a_cancelled_add_files_dialog(self):
        kivo.command("@playlist")
        kivo.wait_until(lambda: kivo.visible("KivoPlaylist"), what="the playlist shown")
        px, py, pw, ph, _, _ = kivo.window_rect("KivoPlaylist")
        kivo.click(px + 60, py + ph - 24)  # "+ Add files"
        kivo.wait_until(lambda: kivo.visible("#32770"), 15, "the open-file dialog")
        kivo.kivoctl("post", "#32770", WM_COMMAND, 2, 0)  # IDCANCEL
        kivo.wait_hidden("#32770")
        kivo.click(px + pw - 28, py + 22)  # the close cross
        kivo.wait_hidden("KivoPlaylist")


class DroppedSubtitles(PlayerTest):
    def test_a_dropped_subtitle_joins_the_playing_file_and_media_with_it_plays(self):
        clips = kivo.media()
        srt = kivo.win_path(clips / "b.srt")
        self.start(clips / "a.mp4", env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        for dropped, playing in (([srt], "a.mp4"), ([kivo.win_path(clips / "sub" / "c.mp4"), srt], "c.mp4")):
            with self.subTest(dropped=dropped):
                mark = len(kivo.read_log())
                self.assertEqual(kivo.kivoctl("drop", kivo.MAIN_TEST_CLASS, *dropped)[0], 0)
                kivo.wait_for_log(r"^toast SUBTITLE b\.srt$", 20, mark)
                state = kivo.wait_until(lambda: (s := kivo.state_line())["sub"] == srt and s, 10, "the subtitle selected")
                self.assertTrue(state["path"].endswith(playing), state)
                self.assertEqual(state["playlist"], "1/1")


def registry():
    """{(key, value name): data} of HKCU\\Software, with (key, None) for every key."""
    out = kivo.run_quiet([kivo.WINE, "reg", "query", r"HKCU\Software", "/s"]).stdout
    entries, key = {}, None
    for line in out.splitlines():
        if line.startswith("HKEY_"):
            key = line.strip().replace("HKEY_CURRENT_USER\\Software\\", "")
            entries[(key, None)] = None
        elif line.startswith("    ") and key:
            name, _, data = (line[4:].split("    ", 2) + ["", ""])[:3]
            entries[(key, name)] = data
    return entries


class Registration(PlayerTest):
    def register(self, switch, folder=kivo.BIN, code=0):
        result = kivo.run_quiet([kivo.WINE, str(folder / "KivoPlayer.exe"), switch])
        self.assertEqual(result.returncode, code, result.stdout)
        return result.stdout

    def test_a_key_the_registry_refuses_ends_with_code_1_and_its_name(self):
        key = r"Software\Classes\KivoPlayer.mkv"
        self.assertEqual(kivo.kivoctl("keyaccess", key, "read")[0], 0)
        self.addCleanup(self.register, "--unregister")
        self.addCleanup(kivo.kivoctl, "keyaccess", key, "full")
        self.assertIn(rf"refused HKEY_CURRENT_USER\{key} (error 5)", self.register("--register", code=1))

    def test_register_writes_only_its_own_entries_and_unregister_leaves_what_was_there(self):
        source = (kivo.SOURCE / "src" / "app" / "desktop_core.cpp").read_text()
        extensions = re.findall(r'u"(\.\w+)"', source.split("kSubtitleExtensions")[0])
        # A user's own default, another program's "Open with" entry and our language value stay.
        for args in ([r"HKCU\Software\Classes\.mkv", "/ve", "/d", "Other.mkv"],
                     [r"HKCU\Software\Classes\.mkv\OpenWithProgids", "/v", "Other.mkv", "/d", "x"],
                     [r"HKCU\Software\Kivo Labs\KivoPlayer", "/v", "Language", "/d", "en"]):
            kivo.wine_reg("add", *args, "/f")
        self.addCleanup(kivo.wine_reg, "delete", r"HKCU\Software\Kivo Labs\KivoPlayer", "/v", "Language", "/f")
        self.addCleanup(kivo.wine_reg, "delete", r"HKCU\Software\Classes\.mkv", "/f")
        before = registry()
        self.register("--register")
        # Registering again after the folder moved replaces the paths and adds nothing.
        exe = kivo.win_path(kivo.program_folder("bin-moved") / "KivoPlayer.exe")
        self.assertIn("32 file types", self.register("--register", kivo.BUILD / "bin-moved"))
        after = registry()
        expected = {(r"Classes\Directory\shell\KivoPlayer.Play\command", "(Default)"): f'"{exe}" "%1"',
                    ("RegisteredApplications", "KivoPlayer"): r"Software\Kivo Labs\KivoPlayer\Capabilities"}
        for ext in extensions:
            expected[(rf"Classes\KivoPlayer{ext}\shell\open\command", "(Default)")] = f'"{exe}" "%1"'
            expected[(rf"Classes\{ext}\OpenWithProgids", f"KivoPlayer{ext}")] = ""
            expected[(r"Kivo Labs\KivoPlayer\Capabilities\FileAssociations", ext)] = f"KivoPlayer{ext}"
            expected[(rf"Classes\SystemFileAssociations\{ext}\shell\KivoPlayer.Enqueue\command", "(Default)")] = \
                f'"{exe}" --enqueue "%1"'
        self.assertEqual({k: after.get(k) for k in expected}, expected)
        ours = re.compile(r"Classes\\(KivoPlayer\.|Applications\\KivoPlayer\.exe|Directory\\shell\\KivoPlayer\.|"
                          r"SystemFileAssociations\\\.\w+\\shell\\KivoPlayer\.)|Kivo Labs\\KivoPlayer\\Capabilities")
        changed = [k for k in after if after[k] != before.get(k, "absent") and not ours.match(k[0])]
        self.assertEqual([k for k in changed if k[1] not in (None, "KivoPlayer") and not k[1].startswith("KivoPlayer.")], [])
        self.assertIn("Removed", self.register("--unregister", kivo.BUILD / "bin-moved"))
        self.assertEqual(registry(), before)
