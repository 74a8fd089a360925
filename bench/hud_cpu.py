#!/usr/bin/env python3
"""CPU cost of the user interface while playing with the control bar shown: the main (UI)
thread's CPU time per second of playback, read through the program's test message, so the
engine's threads are not counted. Runs against the engine double (a 2-hour film whose bar
does not move: the cost of an unchanged tick) and the real engine (the 40-second generated
clip, playing and paused). Prints figures; asserts nothing.

    python3 bench/hud_cpu.py [seconds]
"""
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402
from ui_cpu import ui_cpu_ms  # noqa: E402


def process_cpu_s(pid):
    fields = Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / 100.0


def measure(label, target, seconds, folder=None, env=None, paused=False):
    kivo.reset_test_data()
    kivo.clear_log()
    player = kivo.Player(target, env=dict(env or {}, KIVOPLAYER_DEMO="stay"), folder=folder)
    kivo.wait_for_log(r"^hud_ready_ms=", 60)
    if paused:
        kivo.command("set pause yes")
    time.sleep(1.0)
    ui0, proc0, t0 = ui_cpu_ms(), process_cpu_s(player.proc.pid), time.monotonic()
    time.sleep(seconds)
    ui1, proc1, t1 = ui_cpu_ms(), process_cpu_s(player.proc.pid), time.monotonic()
    shown = kivo.visible()
    kivo.kivoctl("post", kivo.MAIN_TEST_CLASS, 0x10, 0, 0)
    player.wait_exit(20)
    wall = t1 - t0
    print(f"{label:44s} UI thread {(ui1 - ui0) / wall / 10:5.2f} % of a core   "
          f"process {(proc1 - proc0) / wall * 100:6.1f} %   bar {'shown' if shown else 'HIDDEN'}")


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 10
    scripted = kivo.program_folder("bin-bench", kivo.SCRIPTED_DLL)
    description = kivo.BUILD / "bench-media.txt"
    env = {"KIVO_ENGINE_MEDIA": kivo.win_path(description)}
    print(f"{seconds:.0f} s each; target: UI thread under 2 % of one core")
    description.write_text("duration=7200\ntime-pos=1800\n")
    measure("engine double, 2 h film, bar at rest", "C:\\media\\film.mkv", seconds, scripted, env)
    clip = kivo.media() / "long" / "long.mp4"
    measure("real engine, 40 s clip, playing", clip, seconds)
    measure("real engine, 40 s clip, paused", clip, seconds, paused=True)


if __name__ == "__main__":
    main()
