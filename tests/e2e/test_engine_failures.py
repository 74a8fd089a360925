"""When the engine cannot start, the window stays usable and says so in its title."""
import kivo
from kivo import PlayerTest

FAILED_TITLE = "KivoPlayer - libmpv failed to start"


class EngineFailures(PlayerTest):
    def test_missing_library(self):
        folder = kivo.program_folder("bin-no-engine")
        clip = kivo.media() / "a.mp4"
        env = {"KIVOPLAYER_DEMO": "stay", "KIVOPLAYER_SINGLE": "1"}
        player = self.start(clip, folder=folder, env=env)
        kivo.wait_for_log(r"^LOAD_FAIL err=126$")
        kivo.wait_for_log(r"^worker_start_ms=")
        self.assertIsNone(kivo.wait_for_title(FAILED_TITLE))
        # The picture area is there, black, below the title bar.
        x, y, w, h, cw, ch = kivo.window_rect()
        shot = kivo.screenshot("engine-missing")
        self.assertEqual(kivo.pixel(shot, x + w // 2, y + h // 2), (0, 0, 0))
        # Later opens change nothing: no second engine thread, the title stays.
        other = self.start(kivo.media() / "b.mkv", folder=folder, env=env)
        self.assertEqual(other.wait_exit(10), 0)
        kivo.wait_for_log(r"^handover KIVO n=1$")
        self.assertEqual(kivo.kivoctl("title", kivo.MAIN_TEST_CLASS)[1], FAILED_TITLE)
        self.assertEqual(kivo.read_log().count("worker_start_ms="), 1)
        self.assertEqual(player.close(), 0)

    def test_start_without_files_starts_no_engine(self):
        player = self.start(env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^first_paint_ms=")
        self.assertEqual(kivo.kivoctl("title", kivo.MAIN_TEST_CLASS)[1], "KivoPlayer")
        self.assertEqual(player.close(), 0)
        self.assertNotIn("worker_start_ms", kivo.read_log())


if __name__ == "__main__":
    kivo.main()
