"""The download: the zip carries the licence of every library in the engine, and unpacked into a
fresh Wine prefix and started from there as a user would (no test switches), plays a clip."""
import os
import shutil
import subprocess
import unittest
import zipfile

import kivo


class Package(unittest.TestCase):
    def test_the_unpacked_zip_plays_a_clip(self):
        zips = sorted((kivo.SOURCE / "dist").glob("KivoPlayer-*-win64.zip"))
        self.assertTrue(zips, "scripts/package.sh made no zip")
        root = kivo.BUILD / "wine-package"
        shutil.rmtree(root, ignore_errors=True)
        env = {k: v for k, v in os.environ.items() if not k.startswith("KIVOPLAYER_")}
        env.update(KIVO_WINE_ROOT=str(root), KIVOPLAYER_LOG="1")
        with zipfile.ZipFile(zips[-1]) as z:
            z.extractall(root / "unpacked")
            licences = {name.rsplit("/", 1)[1] for name in z.namelist() if "/licenses/" in name}
        self.assertLessEqual({"dav1d.txt", "uchardet.txt", "lcms2.txt", "libxml2.txt", "shaderc.txt", "glslang.txt",
                              "spirv-tools.txt", "spirv-headers.txt", "spirv-cross.txt", "Apache-2.0.txt"}, licences)
        program = next((root / "unpacked").glob("KivoPlayer-*")) / "KivoPlayer.exe"
        clip = kivo.media() / "a.mp4"
        player = subprocess.Popen(["bash", str(kivo.WINERUN), str(program), kivo.win_path(clip)], env=env,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        logs = lambda: "".join(p.read_text(errors="replace") for p in root.glob("pfx/drive_c/users/*/Temp/*-play.txt"))
        try:
            # The first picture of the clip brings up the control bar.
            kivo.wait_until(lambda: "hud_ready_ms=" in logs(), 240, "the control bar of the unpacked program")
        finally:
            player.kill()
            subprocess.run(["bash", str(kivo.WINERUN), "--stop"], env=env, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
            shutil.rmtree(root, ignore_errors=True)
