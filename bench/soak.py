#!/usr/bin/env python3
"""Soak: the program under Wine with the real engine, driven by a seeded random mix of keys,
clicks, the wheel, right-click menus, panels, files opened, queued and closed, and full
screen, for a given time. Every 30 s it reads the handle count, private memory and live
canvases through the program's test message. Prints the figures; asserts nothing (a crash or
hang ends the run with a message).

    python3 bench/soak.py [minutes=30] [seed=1]
"""
import random
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402

KEYS = ["space", "Right", "Left", "Up", "Down", "ctrl+Right", "shift+Left", "m", "a", "s", "c", "x", "z",
        "bracketleft", "bracketright", "backslash", "1", "2", "0", "KP_Add", "KP_Subtract", "KP_Begin",
        "n", "shift+Prior", "shift+Next", "Next", "Prior", "period", "comma"]
PANELS = ["F1", "F5", "F8", "b"]


def quoted(path):
    return kivo.win_path(path).replace("\\", "\\\\")


def resources():
    after = len(kivo.read_log())
    kivo.kivoctl("send", kivo.MAIN_TEST_CLASS, 0x8004, 4, 0)
    line = kivo.wait_for_log(r"^resources .*$", 20, after).group(0)
    return dict((k, int(v)) for k, v in (f.split("=") for f in line.split()[1:]))


def main():
    minutes = float(sys.argv[1]) if len(sys.argv) > 1 else 30
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
    clips = kivo.media()
    files = [clips / "a.mp4", clips / "b.mkv", clips / "long" / "long.mp4", clips / "sub" / "c.mp4"]
    kivo.reset_test_data()

    def start_player():
        kivo.clear_log()
        started = kivo.Player(files[2], env={"KIVOPLAYER_DEMO": "stay", "KIVOPLAYER_SINGLE": "1"})
        kivo.wait_for_log(r"^hud_ready_ms=", 60)
        return started

    player = start_player()
    counts = {}
    samples = []
    start = time.monotonic()
    next_sample = start
    while time.monotonic() - start < minutes * 60:
        if not player.running():
            # A random click can land on the close button of a small window: a normal close
            # (exit code 0, its close logged) starts a new player; anything else ends the run.
            closed = player.proc.returncode == 0 and "close_ms=" in kivo.read_log()
            print(f"{time.monotonic() - start:7.0f} s  the player "
                  + ("was closed by the input; starting a new player" if closed else
                     f"ended with exit code {player.proc.returncode}"), flush=True)
            if not closed:
                break
            counts["closed"] = counts.get("closed", 0) + 1
            player = start_player()
            samples.append((time.monotonic() - start, dict(resources(), restart=1)))
            continue
        action = "sample"
        try:
            if time.monotonic() >= next_sample:
                samples.append((time.monotonic() - start, resources()))
                t, r = samples[-1]
                print(f"{t:8.0f} s  handles={r['handles']} private_kb={r['private_kb']} canvases={r['canvases']}",
                      flush=True)
                next_sample += 30
            rect = kivo.window_rect()
            if not rect[2]:
                time.sleep(0.5)
                continue
            x, y, w, h = rect[:4]
            px, py = x + rng.randrange(w // 5, 4 * w // 5), y + rng.randrange(h // 4, 3 * h // 4)
            action = rng.choices(["key", "click", "wheel", "menu", "panel", "open", "queue", "close", "full"],
                                 [40, 10, 10, 8, 10, 4, 4, 2, 4])[0]
            counts[action] = counts.get(action, 0) + 1
            if action == "key":
                kivo.focus_main(kivo.title())
                kivo.xdotool("key", rng.choice(KEYS))
            elif action == "click":
                kivo.move_mouse(px, py)
                kivo.xdotool("click", 1)
            elif action == "wheel":
                kivo.move_mouse(px, py)
                kivo.xdotool("click", rng.choice([4, 5]))
            elif action == "menu":
                kivo.move_mouse(px, py)
                kivo.xdotool("click", 3)
                time.sleep(0.3)
                kivo.xdotool("key", *rng.choice([["Escape"], ["Down", "Escape"], ["Down", "Down", "Return"]]))
            elif action == "panel":
                kivo.focus_main(kivo.title())
                kivo.xdotool("key", rng.choice(PANELS))
                time.sleep(0.2)
                kivo.xdotool("key", "Escape")
            elif action == "open":
                kivo.command(f'loadfile "{quoted(rng.choice(files))}" replace')
            elif action == "queue":
                kivo.Player(rng.choice(files), "--enqueue", env={"KIVOPLAYER_SINGLE": "1"}).wait_exit(30)
            elif action == "close":
                kivo.command("@close")
                time.sleep(0.5)
                kivo.command(f'loadfile "{quoted(rng.choice(files))}"')
            elif action == "full":
                kivo.command("@fullscreen")
        except kivo.WineX11Deadlock as hang:
            # Wine with Debian 12's libX11 can hang a player in its X error path under load;
            # such a hang is counted and the player started again, as a new segment.
            counts["x11-hang"] = counts.get("x11-hang", 0) + 1
            print(f"{time.monotonic() - start:7.0f} s  {hang}; starting a new player", flush=True)
            player.kill()
            player = start_player()
            samples.append((time.monotonic() - start, dict(resources(), restart=1)))
        except (AssertionError, subprocess.SubprocessError) as problem:
            counts["refused"] = counts.get("refused", 0) + 1
            print(f"{time.monotonic() - start:7.0f} s  {action}: {problem}")
        time.sleep(rng.uniform(0.05, 0.4))
    if player.running():  # a player that ended can give no last sample
        samples.append((time.monotonic() - start, resources()))
    print(f"actions: {sum(counts.values())}  " + "  ".join(f"{k}={v}" for k, v in sorted(counts.items())))
    print(f"{'seconds':>8} {'handles':>8} {'private_kb':>11} {'canvases':>9}")
    for t, r in samples:
        print(f"{t:8.0f} {r['handles']:8d} {r['private_kb']:11d} {r['canvases']:9d}" + ("  new player" if "restart" in r else ""))
    last_start = max([t for t, r in samples if "restart" in r] or [0])
    settled = [r for t, r in samples if t >= last_start + 180] or [samples[-1][1]]
    first, last = settled[0], samples[-1][1]
    print(f"last player, after its first 3 minutes: handles {first['handles']} -> {last['handles']}, "
          f"private {first['private_kb']} -> {last['private_kb']} KiB")
    if player.running():
        player.close(timeout=20)


if __name__ == "__main__":
    main()
