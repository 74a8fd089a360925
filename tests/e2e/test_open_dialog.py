"""The open-file dialog with real keyboard input: one file, several files from one folder,
appending to the queue, and cancelling."""
import subprocess

import kivo
from kivo import ScriptedTest


class OpenDialog(ScriptedTest):
    def setUp(self):
        super().setUp()
        self.media_dir = kivo.TEST_DATA / "media"
        self.media_dir.mkdir()
        for name in ("a.mkv", "b.mkv", "c.mp4"):
            (self.media_dir / name).write_bytes(b"")

    def dialog(self):
        return kivo.focus_main("Open", timeout=15)

    def choose(self, *names):
        """Types the folder, then the names, into the focused dialog's file name box."""
        self.dialog()
        kivo.xdotool("type", "--delay", 5, kivo.win_path(self.media_dir) + "\\")
        kivo.xdotool("key", "Return")
        text = " ".join(f'"{n}"' for n in names) if len(names) > 1 else names[0]
        kivo.xdotool("type", "--delay", 5, text)
        kivo.xdotool("key", "Return")

    def loads(self):
        return [c for c in kivo.journal_commands() if c.startswith("loadfile")]

    def test_cancel_changes_nothing_several_files_play_and_add_files_appends(self):
        player = self.start(env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^first_paint_ms=")
        kivo.focus_main("KivoPlayer")
        kivo.xdotool("key", "F2")
        self.dialog()
        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 1, 0)[0] == 0, 10,
                        "the main window answering again")
        self.assertEqual(self.loads(), [])
        self.assertNotIn("worker_start_ms", kivo.read_log())

        kivo.focus_main("KivoPlayer")
        kivo.xdotool("key", "ctrl+o")
        self.choose("b.mkv", "a.mkv")
        kivo.wait_for_log(r"^hud_ready_ms=", 30)
        folder = kivo.win_path(self.media_dir)
        self.assertEqual(self.loads(), [f"loadfile {folder}\\b.mkv", f"loadfile {folder}\\a.mkv append"])
        self.assertEqual(kivo.kivoctl("title", kivo.MAIN_TEST_CLASS)[1], "b.mkv - KivoPlayer")
        # Adding keeps the playing file and the title.
        adder = subprocess.Popen([kivo.WINE, str(kivo.BUILD / "tools" / "kivoctl.exe"), "command",
                                  kivo.MAIN_TEST_CLASS, "@addfiles"], env=kivo.wine_env(),
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        self.choose("c.mp4")
        adder.wait(30)
        kivo.wait_for_command(f"loadfile {folder}\\c.mp4 append")
        self.assertEqual(kivo.kivoctl("title", kivo.MAIN_TEST_CLASS)[1], "b.mkv - KivoPlayer")
        self.assertEqual(player.close(), 0)


if __name__ == "__main__":
    kivo.main()
