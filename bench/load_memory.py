#!/usr/bin/env python3
"""Memory per file load: KivoPlayer with the real engine against the engine's own mpv.exe with
the program's options, side by side in the same run. Each replaces its playing file with one
of three clips 0.4 s after the last one was loaded (the program through its test message,
mpv.exe through a small script), and the anonymous resident memory of each process is read
from /proc every 30 s. Prints the samples, the growth per loaded file after the first minute
and the ratio. Asserts nothing.

    python3 bench/load_memory.py [minutes=8]
"""
import random
import re
import subprocess
import sys
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402
from startup_vs_mpv import PROGRAM_OPTIONS, engine_player  # noqa: E402

LOAD_SCRIPT = """local files, n = {%s}, 0
mp.register_event("file-loaded", function()
    n = n + 1
    local f = io.open([[%s]], "w") f:write(n) f:close()
    mp.add_timeout(0.4, function() mp.commandv("loadfile", files[math.random(#files)], "replace") end)
end)
"""


def anonymous_kb(pid):
    return int(re.search(r"RssAnon:\s+(\d+)", (Path("/proc") / str(pid) / "status").read_text()).group(1))


def main():
    minutes = float(sys.argv[1]) if len(sys.argv) > 1 else 8
    mpv_exe = engine_player()
    if not mpv_exe.exists():
        sys.exit(f"no {mpv_exe}: the engine's own player is needed for the comparison")
    clips = kivo.media()
    files = [clips / "a.mp4", clips / "b.mkv", clips / "long" / "long.mp4"]
    kivo.reset_test_data()
    kivo.clear_log()
    player = kivo.Player(files[2], env={"KIVOPLAYER_DEMO": "stay"})
    kivo.wait_for_log(r"^hud_ready_ms=", 60)
    counter = kivo.BUILD / "bench-loads.txt"
    counter.unlink(missing_ok=True)
    script = kivo.BUILD / "bench-loads.lua"
    script.write_text(LOAD_SCRIPT % (", ".join(f"[[{kivo.win_path(f)}]]" for f in files), kivo.win_path(counter)))
    mpv = subprocess.Popen([kivo.WINE, str(mpv_exe), *PROGRAM_OPTIONS, "--ao=null", "--script=" + kivo.win_path(script),
                            kivo.win_path(files[2])], env=kivo.wine_env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    ours, theirs = player.proc.pid, mpv.pid  # wine runs the Windows process in the process it started
    loads = [0]
    rng = random.Random(3)

    def load_loop():
        while player.running():
            loaded = kivo.read_log().count("file_loaded_ms=")
            kivo.command('loadfile "%s" replace' % kivo.win_path(rng.choice(files)).replace("\\", "\\\\"))
            kivo.wait_until(lambda: kivo.read_log().count("file_loaded_ms=") > loaded, 30, "the file loaded")
            loads[0] += 1
            time.sleep(0.4)
    threading.Thread(target=load_loop, daemon=True).start()
    start = time.monotonic()
    samples = []
    print("     s  KivoPlayer loads    KB   mpv.exe loads    KB")
    while True:
        theirs_loads = int(counter.read_text() or 0) if counter.exists() else 0
        samples.append((time.monotonic() - start, loads[0], anonymous_kb(ours), theirs_loads, anonymous_kb(theirs)))
        print("%6.0f  %16d %7d %13d %7d" % samples[-1], flush=True)
        if samples[-1][0] >= minutes * 60:
            break
        time.sleep(30)
    player.kill()
    mpv.kill()
    first = next(s for s in samples if s[0] >= 55)
    last = samples[-1]
    per_load = [(last[2] - first[2]) / max(1, last[1] - first[1]), (last[4] - first[4]) / max(1, last[3] - first[3])]
    print(f"after the first minute: KivoPlayer {per_load[0]:.1f} KB a load over {last[1] - first[1]} loads, "
          f"mpv.exe {per_load[1]:.1f} KB a load over {last[3] - first[3]} loads")
    print(f"ratio KivoPlayer / mpv.exe: {per_load[0] / per_load[1]:.2f}" if per_load[1] > 0 else "mpv.exe did not grow")


if __name__ == "__main__":
    main()
