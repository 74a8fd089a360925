"""The key map with real X keyboard input, against the scripted engine's journal."""
import subprocess
import time

import kivo
from kivo import ScriptedTest

# Every row that sends an engine command: the X key, and exactly what the engine must get.
ENGINE_ROWS = [
    ("space", "cycle pause"), ("ctrl+space", "set pause yes ; seek 0 absolute"),
    ("Left", "seek -5 relative+keyframes"), ("Right", "seek 5 relative+keyframes"),
    ("ctrl+Left", "seek -60 relative+keyframes"), ("ctrl+Right", "seek 60 relative+keyframes"),
    ("shift+Left", "seek -300 relative+keyframes"), ("shift+Right", "seek 300 relative+keyframes"),
    ("BackSpace", "seek 0 absolute"), ("Prior", "playlist-prev"), ("Next", "playlist-next"), ("f", "frame-step"),
    ("ctrl+period", "frame-step"), ("ctrl+comma", "frame-back-step"), ("Home", "sub-seek -1"), ("End", "sub-seek 1"),
    ("bracketleft", "set ab-loop-a ${=time-pos}"), ("bracketright", "set ab-loop-b ${=time-pos}"),
    ("backslash", "set ab-loop-a no ; set ab-loop-b no"), ("z", "set speed 1"), ("x", "add speed -0.1"),
    ("c", "add speed 0.1"), ("Down", "add volume -5"), ("m", "cycle mute"), ("shift+period", "add audio-delay -0.1"),
    ("shift+comma", "add audio-delay 0.1"), ("shift+slash", "set audio-delay 0"), ("period", "add sub-delay -0.5"),
    ("comma", "add sub-delay 0.5"), ("slash", "set sub-delay 0"), ("alt+h", "cycle sub-visibility"),
    ("s", "cycle sub"), ("a", "cycle audio"), ("alt+Up", "add sub-pos -2"), ("alt+Down", "add sub-pos 2"),
    ("alt+Prior", "add sub-scale 0.1"), ("alt+Next", "add sub-scale -0.1"), ("alt+b", "cycle sub-bold"),
    ("e", "add brightness -1"), ("r", "add brightness 1"), ("t", "add contrast -1"), ("y", "add contrast 1"),
    ("u", "add saturation -1"), ("i", "add saturation 1"), ("o", "add hue -1"), ("p", "add hue 1"),
    ("q", "set brightness 0 ; set contrast 0 ; set saturation 0 ; set hue 0"),
    ("ctrl+F6", "set video-aspect-override -1"), ("ctrl+F7", "set video-aspect-override 4:3"),
    ("ctrl+F8", "set video-aspect-override 16:9"), ("ctrl+F9", "set video-aspect-override 1.85:1"),
    ("ctrl+F10", "set video-aspect-override 2.35:1"), ("KP_Add", "add video-zoom 0.1"),
    ("KP_Subtract", "add video-zoom -0.1"), ("KP_4", "add video-pan-x 0.01"), ("KP_6", "add video-pan-x -0.01"),
    ("KP_8", "add video-pan-y 0.01"), ("KP_2", "add video-pan-y -0.01"),
    ("ctrl+shift+s", "cycle-values video-rotate 90 180 270 0"),
]

TITLE = "film.mkv - KivoPlayer"


class Keys(ScriptedTest):
    media = "duration=7200\ntime-pos=3600\nvolume=50\n"

    def setUp(self):
        super().setUp()
        self.player = self.start_playing("C:\\media\\film.mkv")
        kivo.focus_main(TITLE)

    def press(self, key, expected):
        return kivo.journal_commands(kivo.sends(expected, kivo.xdotool, "key", key))

    def test_every_engine_row_sends_exactly_its_command_and_other_keys_nothing(self):
        for key, expected in ENGINE_ROWS:
            with self.subTest(key=key):
                # The row's command (or the one "@step"/"@vol" builds) is the first thing sent.
                self.assertEqual(self.press(key, expected)[0], expected)
        since, seen = len(kivo.journal()), kivo.keys_seen()
        for key in ["F3", "Tab", "5", "F9", "ctrl+shift+Left"]:
            kivo.xdotool("key", key)
        lines = kivo.key_logged(seen, 7)  # ctrl+shift+Left logs three
        self.assertIn("key vk=0x78 mods=0 repeat=0", lines)  # F9 reached the program
        self.assertEqual(kivo.journal_commands(since), [])
        kivo.xdotool("key", "alt+F4")
        self.assertEqual(self.player.wait_exit(10), 0)

    def test_held_keys_alt_shortcuts_and_the_step_setting(self):
        since, seen = len(kivo.journal()), kivo.keys_seen()
        kivo.xdotool("keydown", "space")
        kivo.key_logged(seen, 4)  # the press and three auto-repeats
        kivo.xdotool("keyup", "space")
        self.assertEqual(kivo.journal_commands(since).count("cycle pause"), 1)
        seen = kivo.keys_seen()
        kivo.xdotool("keydown", "Right")
        kivo.key_logged(seen, 4)
        kivo.xdotool("keyup", "Right")
        self.assertGreaterEqual(kivo.journal_commands(since).count("seek 5 relative+keyframes"), 4)
        # Alt shortcuts leave no keyboard menu behind: the next plain key still works.
        self.press("alt+h", "cycle sub-visibility")
        self.press("space", "cycle pause")
        kivo.sends("seek -5 relative+keyframes", kivo.command, "@step -7")  # only the sign counts
        self.assertEqual(self.player.close(), 0)
        (kivo.TEST_DATA / "settings.ini").write_text("seek=10\n")
        self.player = self.start_playing("C:\\media\\film.mkv")
        kivo.focus_main(TITLE)
        self.press("Left", "seek -10 relative+keyframes")
        self.assertEqual(self.player.close(), 0)


class VolumeStop(ScriptedTest):
    """Up stops at 100 % while held and passes it on a fresh press (Windows' 500 ms key delay)."""

    media = "duration=600\nvolume=90\n"

    def setUp(self):
        super().setUp()
        subprocess.run(["xset", "r", "rate", "500", "30"], env=kivo.wine_env(), check=True)

    def tearDown(self):
        subprocess.run(["xset", "r", "rate", "660", "25"], env=kivo.wine_env(), check=True)
        super().tearDown()

    def volume_commands(self, since):
        return [c for c in kivo.journal_commands(since) if "volume" in c]

    def test_held_up_stays_at_100_and_a_fresh_press_goes_past(self):
        player = self.start_playing("C:\\media\\film.mkv")
        kivo.focus_main(TITLE)
        since = len(kivo.journal())
        for expected in ["add volume 5", "set volume 100"]:
            kivo.xdotool("key", "Up")
            kivo.wait_for_command(expected, since)
        # Held well past the key delay: every repeat keeps 100.
        seen = kivo.keys_seen()
        kivo.xdotool("keydown", "Up")
        kivo.key_logged(seen, 7)
        kivo.xdotool("keyup", "Up")
        held = self.volume_commands(since)[2:]
        self.assertGreaterEqual(len(held), 6)
        self.assertEqual(set(held), {"set volume 100"})
        time.sleep(0.6)  # the rule is about time: more than 450 ms since the last Up
        kivo.sends("add volume 5", kivo.xdotool, "key", "Up")
        # Down clears the stop: from 100 down to 95, then Up stops at 100 again.
        mark = len(kivo.journal())
        kivo.xdotool("key", "Down")
        kivo.xdotool("key", "Down")
        kivo.xdotool("key", "Up")
        kivo.wait_for_journal(lambda _: len(self.volume_commands(mark)) == 3)
        self.assertEqual(self.volume_commands(mark), ["add volume -5", "add volume -5", "set volume 100"])
        # From 97, a fresh Up lands exactly on 100.
        kivo.command("set volume 97")
        time.sleep(0.6)
        mark = kivo.sends("set volume 100", kivo.xdotool, "key", "Up")
        self.assertEqual(self.volume_commands(mark), ["set volume 100"])
        self.assertEqual(player.close(), 0)
