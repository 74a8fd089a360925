"""The file information and help panels with the real engine, read back from the copy and the log."""
import os
import re
import subprocess

import kivo
from kivo import PlayerTest

INFO, HELP = "KivoInfo", "KivoHelp"
KIVOCTL = [kivo.WINE, str(kivo.BUILD / "tools" / "kivoctl.exe")]
# Rows of the Thai copy; the first chapter, reported a moment before zero, shows 0:00:00.
ROWS = [r"\[ภาพ  #1  ▶ กำลังเล่น\]", r"  ตัวเข้ารหัส: H\.264 \(AVC\)  —  .*", r"  ความละเอียด: 320 x 240",
        r"\[เสียง  #2\]", r"  ตัวเข้ารหัส: Dolby Digital \(AC-3\)", r"  ชื่อแทร็ก: Commentary",
        r"  ช่องเสียง: .*\(1 ch\)", r"  อัตราสุ่ม: 44\.1 kHz", r"\[คำบรรยาย  #1\]", r"  ตัวเข้ารหัส: SubRip \(SRT\)",
        r"(?i)  title: Info test clip", r"(?i)  artist: Kivo Labs", r"  ตอน \(chapter\): 2", r"  0:00:00: Opening",
        r"  0:00:\d\d: Ending", r"  ขนาดไฟล์: \d+\.\d MB  \(\d+ bytes\)", r"  ความยาว: 0:00:20  \(20\.\d+ s\)"]


def info_clip():
    """20 s of H.264 with two audio tracks, a subtitle track, two chapters and tags, under a path of
    about 350 characters."""
    out = kivo.MEDIA / "info" / "tracks.mkv"
    out.parent.mkdir(parents=True, exist_ok=True)
    (out.parent / "meta.txt").write_text(";FFMETADATA1\ntitle=Info test clip\nartist=Kivo Labs\n" + "".join(
        f"[CHAPTER]\nTIMEBASE=1/1\nSTART={t}\nEND={t + 10}\ntitle={n}\n" for t, n in [(0, "Opening"), (10, "Ending")]))
    (out.parent / "subs.srt").write_text("1\n00:00:00,000 --> 00:00:20,000\nHello\n")
    lavfi = ["testsrc2=size=320x240:rate=25", "sine=frequency=440:sample_rate=48000", "sine=sample_rate=44100"]
    kivo._ffmpeg(out, *sum((["-f", "lavfi", "-i", i] for i in lavfi), []), "-i", str(out.parent / "subs.srt"),
                 "-i", str(out.parent / "meta.txt"), *sum((["-map", m] for m in ["0:v", "1:a", "2:a", "3:s"]), []),
                 "-map_metadata", "4", "-map_chapters", "4", "-t", "20", "-c:v", "libx264", "-pix_fmt", "yuv420p",
                 "-c:a:0", "aac", "-c:a:1", "ac3", "-c:s", "srt", "-metadata:s:a:1", "title=Commentary")
    linked = out.parent / ("long-folder-name-" * 9) / ("deeper-" * 21) / out.name
    linked.parent.mkdir(parents=True, exist_ok=True)
    return linked if linked.exists() else os.link(out, linked) or linked


def panel_point(window_class, x, y):
    left, top, width = kivo.window_rect(window_class)[:3]
    return left + int(x * width / 640), top + int(y * width / 640)


def clipboard():  # line ends as they are
    out = subprocess.run(KIVOCTL + ["clipboard"], env=kivo.wine_env(), stdin=kivo.DEVNULL, capture_output=True,
                         timeout=20)
    return out.stdout.decode("utf-8") if out.returncode == 0 else ""


def copy_all():
    """The copy, once the rows were rebuilt, without its position row; and the position."""
    kivo.wait_for_log(r"^info_refresh", 5, len(kivo.read_log()))
    kivo.kivoctl("holdclipboard", "none", 0)
    kivo.click(*panel_point(INFO, 514, 23))
    kivo.wait_until(lambda: clipboard().startswith("KivoPlayer - "), 10, "the copied text")
    text = clipboard()
    return re.sub(r"\r\n  ตำแหน่ง: .*?\r\n", "\r\n", text), re.search(r"ตำแหน่ง: (.*?)\r", text)[1]


class InfoAndHelp(PlayerTest):
    def play(self, lang, *files):
        (kivo.TEST_DATA / "settings.ini").write_text(f"lang={lang}\n")
        self.start(*files, env={"KIVOPLAYER_DEMO": "stay"})
        kivo.wait_for_log(r"^hud_ready_ms=" if files else r"^first_paint_ms=", 60)

    def test_info_lists_the_tracks_copies_them_and_follows_playback(self):
        self.play("th", info_clip())
        kivo.command("@info")
        kivo.wait_for_log(r"^info_paint rows=\d+ height=\d+ scroll=0")
        text, position = copy_all()
        lines = text.split("\r\n")
        self.assertEqual(lines[0], "KivoPlayer - ข้อมูลไฟล์")
        self.assertIn("  ที่อยู่: " + kivo.win_path(info_clip()), lines)  # whole, not cut for the row's width
        self.assertFalse(any("\r" in line or "\n" in line for line in lines))
        for wanted in ROWS:
            self.assertTrue(any(re.fullmatch(wanted, line) for line in lines), f"{wanted} not in {lines}")
        # Live figures move while playing and stand still when paused.
        self.assertNotEqual(copy_all()[1], position)
        kivo.command("set pause yes")
        kivo.wait_for_log(r"^info_refresh", 5, len(kivo.read_log()))
        self.assertEqual(copy_all()[1], copy_all()[1])
        # A busy clipboard: the failure is told and the other program's text stays.
        with subprocess.Popen(KIVOCTL + ["holdclipboard", "theirs", "2500"], env=kivo.wine_env(), stdin=kivo.DEVNULL,
                              stdout=subprocess.PIPE) as holder:
            self.assertEqual(holder.stdout.readline().strip(), b"held")
            kivo.click(*panel_point(INFO, 514, 23))
            kivo.wait_for_log(r"^toast CLIPBOARD COPY FAILED", 10)
        self.assertEqual(clipboard(), "theirs")
        # The wheel scrolls 63 pixels a notch; the changed rows are patched while playing; F1 closes.
        kivo.move_mouse(*panel_point(INFO, 300, 200))
        after = len(kivo.read_log())
        for _ in range(15):
            kivo.xdotool("click", 5)
        kivo.wait_for_log(r"^info_paint .* scroll=63 (.*\n)*info_paint .* scroll=315 ", 10, after)
        kivo.command("set pause no")
        kivo.wait_for_log(r"^info_paint .* patch.*\n(.*\n)*info_paint .* patch", 10, len(kivo.read_log()))
        kivo.focus_main("tracks.mkv - KivoPlayer")
        kivo.xdotool("key", "F1")
        kivo.wait_hidden(INFO)
        kivo.command("@help")
        kivo.wait_for_log(r"^help_paint height=\d+ scroll=0 thai=1")

    def test_help_in_english_scrolls_to_its_end_and_esc_goes_no_further(self):
        self.play("en")
        kivo.command("@help")
        first = kivo.wait_for_log(r"^help_paint height=(\d+) scroll=0 thai=0")
        end = 2018 - (int(first.group(1)) - 56)
        kivo.move_mouse(*panel_point(HELP, 300, 100))
        for _ in range(end // 69 + 2):
            kivo.xdotool("click", 5)
        kivo.wait_for_log(rf"^help_paint .* scroll={end} ")
        kivo.focus_main("KivoPlayer")
        seen = kivo.keys_seen()
        kivo.xdotool("key", "Escape")
        kivo.wait_hidden(HELP)
        kivo.xdotool("key", "m")
        self.assertEqual([l.split()[1] for l in kivo.key_logged(seen)], ["vk=0x4D"])
