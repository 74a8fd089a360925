"""The file information and help panels with the real engine: what the panel lists, the copy
read back from the clipboard, live figures, a busy clipboard, the wheel, F1 and Esc."""
import re
import subprocess
import time

import kivo
from kivo import PlayerTest

INFO, HELP = "KivoInfo", "KivoHelp"


def info_clip():
    """20 s of H.264 with two audio tracks, a subtitle track, two chapters and tags."""
    out = kivo.MEDIA / "info" / "tracks.mkv"
    out.parent.mkdir(parents=True, exist_ok=True)
    (out.parent / "meta.txt").write_text(
        ";FFMETADATA1\ntitle=Info test clip\nartist=Kivo Labs\n"
        "[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=10000\ntitle=Opening\n"
        "[CHAPTER]\nTIMEBASE=1/1000\nSTART=10000\nEND=20000\ntitle=Ending\n")
    (out.parent / "subs.srt").write_text("1\n00:00:00,000 --> 00:00:20,000\nHello\n")
    kivo._ffmpeg(out, "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-f", "lavfi", "-i",
                 "sine=frequency=440:sample_rate=48000", "-f", "lavfi", "-i", "sine=frequency=660:sample_rate=44100",
                 "-i", str(out.parent / "subs.srt"), "-i", str(out.parent / "meta.txt"),
                 "-map", "0:v", "-map", "1:a", "-map", "2:a", "-map", "3:s", "-map_metadata", "4", "-map_chapters", "4",
                 "-t", "20", "-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a:0", "aac", "-c:a:1", "ac3", "-ac:a:1", "1",
                 "-c:s", "srt", "-metadata:s:a:1", "title=Commentary", "-metadata:s:a:1", "language=tha")
    return out


def panel_point(window_class, x, y):
    """Screen point of a logical panel point."""
    left, top, width, _, _, _ = kivo.window_rect(window_class)
    scale = width / 640
    return left + int(x * scale), top + int(y * scale)


def clipboard():
    """The clipboard's text with its line ends as they are."""
    out = subprocess.run([kivo.WINE, str(kivo.BUILD / "tools" / "kivoctl.exe"), "clipboard"], env=kivo.wine_env(),
                         stdin=kivo.DEVNULL, capture_output=True, timeout=20)
    return out.stdout.decode("utf-8") if out.returncode == 0 else ""


def copy_all():
    """Clicks the copy button and returns the new clipboard text."""
    kivo.kivoctl("holdclipboard", "none", 0)
    kivo.click(*panel_point(INFO, 514, 23))
    kivo.wait_until(lambda: clipboard().startswith("KivoPlayer - "), 10, "the copied text")
    return clipboard()


def position_line(text):
    return re.search(r"^  ตำแหน่ง: .*\r$", text, re.M).group(0)


class InfoAndHelp(PlayerTest):
    @classmethod
    def setUpClass(cls):
        cls.clip = info_clip()

    def play(self, lang, *files):
        (kivo.TEST_DATA / "settings.ini").write_text(f"lang={lang}\n")
        self.start(*files, env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^hud_ready_ms=" if files else r"^first_paint_ms=", 60)

    def test_info_lists_the_tracks_copies_them_and_follows_playback(self):
        self.play("th", self.clip)
        kivo.command("@info")
        kivo.wait_until(lambda: kivo.kivoctl("visible", INFO)[1] == "1", 10, "the info panel")
        kivo.wait_for_log(r"^info_paint rows=\d+ height=\d+ scroll=0")
        kivo.screenshot("info_panel_th")
        text = copy_all()
        lines = text.split("\r\n")
        self.assertEqual(lines[0], "KivoPlayer - ข้อมูลไฟล์")
        self.assertNotIn("\r", "".join(lines))
        self.assertNotIn("\n", "".join(lines))
        for wanted in [r"\[ภาพ  #1  ▶ กำลังเล่น\]", r"  ตัวเข้ารหัส: H\.264 \(AVC\)  —  .*",
                       r"  ความละเอียด: 320 x 240", r"\[เสียง  #2\]", r"  ตัวเข้ารหัส: Dolby Digital \(AC-3\)",
                       r"  ชื่อแทร็ก: Commentary", r"  ช่องเสียง: .*\(1 ch\)", r"  อัตราสุ่ม: 44\.1 kHz",
                       r"\[คำบรรยาย  #1\]", r"  ตัวเข้ารหัส: SubRip \(SRT\)", r"(?i)  title: Info test clip",
                       r"(?i)  artist: Kivo Labs", r"  ตอน \(chapter\): 2", r"  [\d:]*: Opening", r"  0:00:\d\d: Ending",
                       r"  ขนาดไฟล์: \d+\.\d MB  \(\d+ bytes\)", r"  ความยาว: 0:00:20  \(20\.\d+ s\)"]:
            self.assertTrue(any(re.fullmatch(wanted, line) for line in lines), f"{wanted} not in {lines}")

        # Live figures move while playing and stand still when paused.
        time.sleep(1.5)
        self.assertNotEqual(position_line(copy_all()), position_line(text))
        kivo.command("set pause yes")
        time.sleep(1.2)
        paused = position_line(copy_all())
        time.sleep(1.5)
        self.assertEqual(position_line(copy_all()), paused)

        # A busy clipboard: the failure is told and the other program's text stays.
        with subprocess.Popen([kivo.WINE, str(kivo.BUILD / "tools" / "kivoctl.exe"), "holdclipboard", "theirs",
                               "2500"], env=kivo.wine_env(), stdin=kivo.DEVNULL, stdout=subprocess.PIPE) as holder:
            self.assertEqual(holder.stdout.readline().strip(), b"held")
            after = len(kivo.read_log())
            kivo.click(*panel_point(INFO, 514, 23))
            kivo.wait_for_log(r"^toast CLIPBOARD COPY FAILED", 10, after)
            holder.wait(20)
        self.assertEqual(clipboard(), "theirs")

        # The wheel scrolls the rows; F1 closes the panel.
        kivo.move_mouse(*panel_point(INFO, 300, 200))
        after = len(kivo.read_log())
        for _ in range(5):
            kivo.xdotool("click", 5)
        kivo.wait_for_log(r"^info_paint .* scroll=63 ", 10, after)
        kivo.wait_for_log(r"^info_paint .* scroll=315 ", 10, after)
        for _ in range(10):
            kivo.xdotool("click", 5)
        kivo.command("set pause no")
        after = len(kivo.read_log())
        kivo.wait_for_log(r"^info_paint .* patch.*\n(.*\n)*info_paint .* patch", 10, after)
        kivo.screenshot("info_panel_scrolled")
        kivo.focus_main("tracks.mkv - KivoPlayer")
        kivo.xdotool("key", "F1")
        kivo.wait_until(lambda: kivo.kivoctl("visible", INFO)[1] == "0", 10, "the panel to close")

        kivo.command("@help")
        kivo.wait_for_log(r"^help_paint height=\d+ scroll=0 thai=1")
        kivo.screenshot("help_th")

    def test_help_in_english_scrolls_to_its_end_and_esc_goes_no_further(self):
        self.play("en")
        kivo.command("@help")
        first = kivo.wait_for_log(r"^help_paint height=(\d+) scroll=0 thai=0")
        kivo.screenshot("help_en")
        end = 1949 - (int(first.group(1)) - 56)
        kivo.move_mouse(*panel_point(HELP, 300, 100))
        for _ in range(end // 69 + 2):
            kivo.xdotool("click", 5)
        kivo.wait_for_log(rf"^help_paint .* scroll={end} ")
        kivo.screenshot("help_en_end")
        kivo.focus_main("KivoPlayer")
        seen = kivo.keys_seen()
        kivo.xdotool("key", "Escape")
        kivo.wait_until(lambda: kivo.kivoctl("visible", HELP)[1] == "0", 10, "the help to close")
        kivo.xdotool("key", "m")
        self.assertEqual([l.split()[1] for l in kivo.key_logged(seen)], ["vk=0x4D"])


if __name__ == "__main__":
    kivo.main()
