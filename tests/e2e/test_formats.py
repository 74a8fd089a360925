"""Formats users have, with the real engine: one player plays each generated clip and the file info
panel names its codec; legacy-encoded subtitle files read as their text; hardware decoding falls back."""
import re
import subprocess

import kivo
import test_info_help as info

V, A = ["-t", "2", "-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25"], ["-t", "2", "-f", "lavfi", "-i", "sine"]
H264, AV1 = ["-c:v", "libx264", "-pix_fmt", "yuv420p"], ["-c:v", "libsvtav1", "-preset", "12"]
CLIPS = [  # file, ffmpeg arguments, the codec the panel names, the pixel format it shows once a frame is out
    ("av1.mkv", V + AV1, "AV1", "yuv420p"), ("av1-10.mkv", V + AV1 + ["-pix_fmt", "yuv420p10le"], "AV1", "yuv420p10"),
    ("hevc.mkv", V + ["-c:v", "libx265", "-pix_fmt", "yuv420p10le"], r"H\.265 \(HEVC\)", "yuv420p10"),
    ("vp9.webm", V + ["-c:v", "libvpx-vp9", "-deadline", "realtime"], "VP9", "yuv420p"),
    ("wmv.wmv", V + A + ["-c:v", "wmv2", "-c:a", "wmav2"], "WMV2", "yuv420p"), ("flv.flv", V, "FLV1", "yuv420p"),
    ("prores.mov", V + ["-c:v", "prores_ks"], "PRORES", "yuv422p10"),
    ("dts.mka", A + ["-c:a", "dca", "-strict", "-2"], "DTS", None),
    ("truehd.mka", A + ["-c:a", "truehd", "-strict", "-2"], "Dolby TrueHD", None),
    ("dvd.mkv", V + ["-i", "dvd.idx", *H264, "-c:s", "copy"], r"VobSub \(DVD\)", "yuv420p"),
    ("hls/index.m3u8", V + H264 + ["-f", "hls"], r"H\.264 \(AVC\)", "yuv420p")]
# One DVD subtitle picture (16x4 pixels at 0.1 s) as an MPEG program stream: the .sub of a VobSub pair.
DVD_SUB = ("000001ba4400040004010189c3f8000001bd002d8180052100014651200024000c00010001000100010000000c01"
           "03011004fff0050640730c80cb0600040008ff")
TEXTS = {"WINDOWS-874": "สวัสดีครับ นี่คือคำบรรยายภาษาไทยสำหรับทดสอบการแปลงรหัสอักขระ",
         "CP1251": "Здравствуйте, это русские субтитры для проверки перекодировки",
         "GBK": "你好，这是用来测试字符编码转换的中文字幕，谢谢观看"}


def media():
    folder = kivo.MEDIA / "formats"
    (folder / "hls").mkdir(parents=True, exist_ok=True)
    (folder / "dvd.sub").write_bytes(bytes.fromhex(DVD_SUB))
    (folder / "dvd.idx").write_text("size: 320x240\npalette: 0, ffffff" + ", 0" * 14 + "\nid: en, index: 0\n"
                                    "timestamp: 00:00:00:100, filepos: 000000000\n")
    for name, args, *_ in CLIPS:
        kivo._ffmpeg(folder / name, *[str(folder / a) if a == "dvd.idx" else a for a in args])
    for charset, text in TEXTS.items():
        kivo._ffmpeg(folder / f"{charset}.mp4", *V, *H264)
        srt = f"1\n00:00:00,000 --> 00:00:09,000\n{text}\n\n2\n00:00:09,000 --> 00:00:20,000\n{text[::-1]}\n"
        iconv = subprocess.run(["iconv", "-f", "UTF-8", "-t", charset], input=srt.encode(), capture_output=True)
        (folder / f"{charset}.srt").write_bytes(iconv.stdout)
    return folder


class EngineOffers(kivo.unittest.TestCase):
    def test_the_direct3d11_output_and_the_hardware_decoders(self):
        console = kivo.BUILD / "engine" / "mpv.com"
        offers = {option: kivo.run_quiet([kivo.WINE, str(console), "--no-config", option]).stdout.split()
                  for option in ("--gpu-context=help", "--hwdec=help", "--vo=help")}
        self.assertIn("d3d11", offers["--gpu-context=help"])
        self.assertLessEqual({"d3d11va", "d3d11va-copy", "dxva2", "dxva2-copy"}, set(offers["--hwdec=help"]))
        self.assertLessEqual({"gpu", "gpu-next", "direct3d"}, set(offers["--vo=help"]))


class Formats(kivo.PlayerTest):
    play = info.InfoAndHelp.play
    def test_each_clip_plays_and_the_info_panel_names_its_codec(self):
        folder = media()
        self.play("th", folder / CLIPS[0][0])
        kivo.command("@info")
        for name, _, codec, pixels in CLIPS:
            kivo.command(f'loadfile "{kivo.win_path(folder / name)}"'.replace("\\", "\\\\"))
            wanted = [rf"  ตัวเข้ารหัส: {codec}(  —  .*)?", rf"  รูปแบบพิกเซล: {pixels}" if pixels else "  ส่งออกลำโพง: .*"]
            kivo.wait_until(lambda: (rows := info.copy_all()[0].split("\r\n")) and all(
                any(re.fullmatch(w, row) for row in rows) for w in wanted), 30, f"{name} playing")

    def test_legacy_subtitles_read_as_their_text_and_hardware_decoding_falls_back_quietly(self):
        folder = media()
        for charset, text in TEXTS.items():
            kivo.clear_log()
            self.assertEqual(self.start(folder / f"{charset}.mp4").wait_exit(60), 0)
            log = kivo.read_log()
            self.assertIn(f"sub-text=[{text}]", log)
            self.assertRegex(log, r"hwdec=no  vo=direct3d  ")  # the settings' default asks for auto-safe
            self.assertNotRegex(log, r"(?m)^toast ")
