#!/usr/bin/env python3
"""Stall hunt: the program as a user runs it (no test mode, log on, the real engine) on a queue
of good files, files the engine cannot decode and broken files, moved through fast with Page
Down / Page Up while the file info panel is open, with frame captures (Ctrl+E, Ctrl+C), the
right-click menu and "Copy all" between the moves. A watcher asks the window for an answer
every second (a sent message, 5 s allowed); when none comes it prints every thread's stack of
the player (gdb for the native frames, winedbg for the Windows ones), says whether it is the
known libX11 hang, and starts a new player. Prints what it found; asserts nothing.

    nice -n 10 python3 bench/stall_hunt.py [minutes=20] [seed=1]
"""
import functools
import random
import re
import subprocess
import sys
import threading
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "e2e"))
import kivo  # noqa: E402

MAIN = "KivoPlayerWnd"
WM_APP_KEY, VK = 0x8003, {"next": 0x22, "prev": 0x21, "info": 0x70, "save": 0x45, "copy": 0x43}
CTRL = 1
OUT = kivo.BUILD / "stall-hunt"
RUN = time.strftime("%Y%m%d-%H%M%S")  # names this run's stack files, so that a later run keeps them


def hard_files():
    """Files the engine cannot decode, broken files and good ones, interleaved."""
    clips, media = kivo.media(), kivo.MEDIA / "hard"
    lavfi = ["-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-f", "lavfi", "-i", "sine=sample_rate=44100"]
    made = {  # no decoder for these in the engine (wmv.wmv has no demuxer either)
        "av1.mkv": ["-c:v", "libaom-av1", "-cpu-used", "8", "-c:a", "libopus"],
        "wmv2.avi": ["-c:v", "wmv2", "-c:a", "wmav2"], "wmv2.mkv": ["-c:v", "wmv2", "-c:a", "aac"],
        "wmv.wmv": ["-c:v", "wmv2", "-c:a", "wmav2"], "ffv1.mkv": ["-c:v", "ffv1", "-c:a", "flac"],
    }
    for name, codecs in made.items():
        kivo._ffmpeg(media / name, *lavfi, "-t", "4", *codecs)
    (media / "zero.mkv").write_bytes(b"")
    (media / "text.mkv").write_text("this is not a video\n" * 40)
    whole = (clips / "b.mkv").read_bytes()
    (media / "truncated.mkv").write_bytes(whole[: len(whole) // 5])
    (media / "truncated.mp4").write_bytes((clips / "a.mp4").read_bytes()[:30000])
    rng = random.Random(7)
    corrupt = bytearray(whole)
    for at in range(len(corrupt) // 3, len(corrupt), 997):
        corrupt[at:at + 64] = bytes(rng.randrange(256) for _ in range(64))
    (media / "corrupt.mkv").write_bytes(bytes(corrupt))
    (media / "folder.mkv").mkdir(exist_ok=True)
    hard = sorted(p for p in media.iterdir() if not p.name.startswith("tmp-"))
    good = [clips / "a.mp4", clips / "b.mkv", clips / "long" / "long.mp4"]
    return [f for pair in zip(hard, good * 4) for f in pair]


def send(message, wparam=0, lparam=0):
    """The window's answer to a sent message, or None when it gave none within 5 s."""
    try:
        code, out = kivo.kivoctl("send", MAIN, message, wparam, lparam, timeout=30)
    except subprocess.TimeoutExpired:
        return None
    return out if code == 0 else None


@functools.cache
def symbols(module):
    """Sorted (address, name) of a module: the program's own symbols, or the engine's exports."""
    if module == "kivoplayer":
        out = subprocess.run(["x86_64-w64-mingw32-nm", "-C", str(kivo.BIN / "KivoPlayer.exe")], capture_output=True,
                             text=True).stdout
        return sorted((int(a, 16) - 0x140000000, n) for a, t, n in (l.split(" ", 2) for l in out.splitlines()
                                                                    if l[:1] != " ") if t in "tT")
    out = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(kivo.BIN / "libmpv-2.dll")], capture_output=True,
                         text=True).stdout
    rvas = {int(i): int(r, 16) for i, r in re.findall(r"\[\s*(\d+)\] \+base\[\s*\d+\] ([0-9a-f]+) Export RVA", out)}
    names = re.findall(r"^\t\[\s*(\d+)\] (\S+)$", out.split("[Ordinal/Name Pointer] Table")[-1], re.M)
    return sorted((rvas[int(i)], "near export " + n) for i, n in names if int(i) in rvas)


def named(match):
    """A frame "in kivoplayer (+0x41a6)" with the function it lies in (an engine frame: the export below it)."""
    module, offset = match.group(1), int(match.group(2), 16)
    found = [n for a, n in symbols(module) if a <= offset]
    return match.group(0) + (f" {found[-1][:90]}" if found else "")


def stacks(player):
    """Every thread of the player's processes: native frames from gdb, Windows frames from winedbg."""
    text = []
    for pid in subprocess.run(["pgrep", "-s", str(player.proc.pid)], capture_output=True, text=True).stdout.split():
        out = subprocess.run(["gdb", "-p", pid, "-batch", "-ex", "thread apply all bt 24"], stdin=kivo.DEVNULL,
                             capture_output=True, text=True, timeout=180).stdout
        text.append(f"=== gdb, process {pid} ===\n{out}")
    listed = kivo.run_quiet([kivo.WINE, "winedbg", "--command", "info proc"], 60).stdout.splitlines()
    wine_pid = next((line.split()[0].lstrip("=") for line in listed if "'KivoPlayer.exe'" in line), None)
    if wine_pid:  # "bt all" walks every process of the prefix: only the player's threads are kept
        out = kivo.run_quiet([kivo.WINE, "winedbg", "--command", "bt all", "0x" + wine_pid], 240).stdout
        threads = [t for t in out.split("\nBacktracing for thread ") if "KivoPlayer.exe)" in t.split("\n")[0]]
        text.append(re.sub(r"in (kivoplayer|libmpv-2) \(\+0x([0-9a-f]+)\)", named,
                           f"=== winedbg, process 0x{wine_pid} ===\nBacktracing for thread " +
                           "\nBacktracing for thread ".join(threads)))
    return "\n".join(text)


def x11_hang(trace):
    return any("_XError" in t and "pthread_cond_wait" in t for t in trace.split("\nThread ")[1:])


class Watch:
    """Asks the window for an answer every second on its own thread; records what went unanswered."""

    def __init__(self, player):
        self.player, self.stalled, self.stop = player, None, False
        threading.Thread(target=self.run, daemon=True).start()

    def run(self):
        while not self.stop and self.player.running():
            asked = time.monotonic()
            if send(0) is None and self.player.running() and not self.stop:
                self.stalled = asked
                return
            time.sleep(max(0.0, 1 - (time.monotonic() - asked)))


def start_player(files):
    kivo.clear_log()
    player = kivo.Player(*files, test_mode=False, env={"KIVOPLAYER_LOG": "1"})
    kivo.wait_until(lambda: "hud_ready_ms=" in kivo.read_log() or not player.running(), 90, "the first picture")
    return player


def act(rng, action):
    if action in ("next", "prev"):
        send(WM_APP_KEY, VK[action], 0)
    elif action == "burst":  # real key presses, 40 ms apart
        kivo.focus_main(kivo.title(MAIN))
        kivo.xdotool("key", "--delay", 40, *rng.choices(["Next", "Prior"], [3, 1], k=rng.randrange(3, 8)))
    elif action in ("save", "copy"):
        send(WM_APP_KEY, VK[action], CTRL)
    elif action == "menu":
        x, y, w, h = kivo.window_rect(MAIN)[:4]
        kivo.click(x + w // 2 + rng.randrange(-60, 60), y + h // 2, 3)
        time.sleep(rng.uniform(0.1, 0.4))
        kivo.xdotool("key", "Escape")
    elif action == "copyall":
        x, y, w = kivo.window_rect("KivoInfo")[:3]
        if w:
            kivo.click(x + 514 * w // 640, y + 23 * w // 640)
    if action != "menu" and not kivo.visible("KivoInfo"):
        send(WM_APP_KEY, VK["info"], 0)


def tally(log, waits):
    """Adds a player's long engine waits to `waits`; returns how many files the engine refused."""
    waits += [(float(ms), what) for ms, what in re.findall(r"^engine_wait_ms=(\d+) thread=\d+ (.*)$", log, re.M)]
    return len(re.findall(r"^end_file ERROR", log, re.M))


def report_stall(player, what, recent, stalls, begin):
    log_tail = kivo.read_log().splitlines()[-12:]
    trace = stacks(player)
    kind = "libX11 hang (_XError + XSync)" if x11_hang(trace) else "NOT the libX11 hang"
    recovered = player.running() and send(0) is not None
    name = OUT / f"{RUN}-stall-{len(stalls) + 1}.txt"
    after = kivo.read_log().splitlines()[-12:] if recovered else []  # a wait that ended is logged by now
    name.write_text("\n".join([what, "last actions: " + " ".join(recent[-20:]), "log tail:", *log_tail,
                               *(["log tail once it answered again:", *after] if after else []), trace]))
    stalls.append((time.monotonic() - begin, kind, recovered, name))
    print(f"{time.monotonic() - begin:7.0f} s  STALL ({what}): {kind}; "
          f"{'answers again' if recovered else 'still stuck'}; stacks in {name}", flush=True)
    player.kill()


def main():
    minutes = float(sys.argv[1]) if len(sys.argv) > 1 else 20
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 1)
    files = hard_files()
    OUT.mkdir(parents=True, exist_ok=True)
    print(f"{len(files)} files in the queue: " + " ".join(f.name for f in files), flush=True)
    counts, stalls, recent, errors, waits = {}, [], [], 0, []
    kivo.clear_log()
    begin = time.monotonic()
    player, watch, moves, left = None, None, 0, 0
    while time.monotonic() - begin < minutes * 60:
        if player is not None and player.running() and left <= 0:
            # Each player ends with the user's close, which must still come through.
            watch.stop = True
            kivo.kivoctl("post", MAIN, 0x0010, 0, 0)
            try:
                player.proc.wait(20)
                counts["closed"] = counts.get("closed", 0) + 1
                closed = "close_ms=" in kivo.read_log()
                print(f"{time.monotonic() - begin:7.0f} s  closed, close_ms {'logged' if closed else 'MISSING'}",
                      flush=True)
            except subprocess.TimeoutExpired:
                report_stall(player, "the close request did not end the process in 20 s", recent, stalls, begin)
            player = None
        if player is None or not player.running():
            errors += tally(kivo.read_log(), waits)
            if player is not None:
                print(f"{time.monotonic() - begin:7.0f} s  the player ended by itself (exit code "
                      f"{player.proc.returncode}); a new one", flush=True)
                counts["ended"] = counts.get("ended", 0) + 1
            player, left = start_player(rng.sample(files, len(files))), rng.randrange(60, 160)
            watch = Watch(player)
            send(WM_APP_KEY, VK["info"], 0)
        if watch.stalled:
            report_stall(player, f"no answer to a sent message for 5 s at {watch.stalled - begin:.0f} s",
                         recent, stalls, begin)
            player = None
            continue
        action = rng.choices(["next", "prev", "burst", "save", "copy", "menu", "copyall"],
                            [30, 15, 10, 10, 8, 12, 10])[0]
        recent.append(action)
        counts[action] = counts.get(action, 0) + 1
        moves += action in ("next", "prev", "burst")
        left -= 1
        try:
            act(rng, action)
        except (AssertionError, subprocess.SubprocessError) as problem:
            counts["refused"] = counts.get("refused", 0) + 1
            print(f"{time.monotonic() - begin:7.0f} s  {action}: {problem}", flush=True)
        time.sleep(rng.uniform(0.05, 0.5))
    if player is not None and player.running():
        watch.stop = True
        player.close(MAIN, timeout=20)
        errors += tally(kivo.read_log(), waits)
    print(f"{(time.monotonic() - begin) / 60:.1f} min, {moves} queue moves or bursts, {errors} files the engine "
          "refused, actions: " + "  ".join(f"{k}={v}" for k, v in sorted(counts.items())))
    print(f"engine calls that waited over 100 ms: {len(waits)}, over 1 s: {sum(ms > 1000 for ms, _ in waits)}, "
          f"longest: " + ", ".join(f"{ms:.0f} ms {what}" for ms, what in sorted(waits, reverse=True)[:8]))
    print(f"stalls: {len(stalls)}" + "".join(f"\n  {t:7.0f} s  {kind}, {'recovered' if ok else 'stuck'}: {name}"
                                               for t, kind, ok, name in stalls))


if __name__ == "__main__":
    main()
