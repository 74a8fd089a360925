"""End-to-end harness: runs the real KivoPlayer.exe under Wine on the runner's Xvfb,
waits for diagnostics-log lines (never plain sleeps), and reads windows, files and pixels."""
import os
import re
import shlex
import shutil
import subprocess
import sys
import time
import unittest
from pathlib import Path

SOURCE = Path(os.environ.get("KIVO_SOURCE", Path(__file__).resolve().parents[2]))
BUILD = Path(os.environ.get("KIVO_BUILD", SOURCE / "build" / "win"))
BIN = Path(os.environ.get("KIVO_BIN", BUILD / "bin"))
TEST_DATA = BUILD / "test"          # the program's <exe folder>\..\test
SCREENS = BUILD / "screens"
WINERUN = SOURCE / "scripts" / "winerun.sh"
WINE = "/usr/lib/wine/wine64"
MAIN_TEST_CLASS = "KivoPlayerWndTest"
DEVNULL = subprocess.DEVNULL

_env = None


def end_stale_players():
    """Ends KivoPlayer processes of this build folder left by an earlier run that was killed
    (a test runner's time-out gives its test no chance to clean up)."""
    for proc in Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            cmdline = (proc / "cmdline").read_bytes().split(b"\0")
        except OSError:
            continue
        if cmdline and cmdline[0].startswith(str(BUILD).encode()) and cmdline[0].endswith(b"KivoPlayer.exe"):
            try:
                os.kill(int(proc.name), 9)
            except OSError:
                pass


def wine_env():
    """The environment of the runner's prefix and display, started on first use."""
    global _env
    if _env is None:
        out = subprocess.run(["bash", str(WINERUN), "--env"], stdin=DEVNULL, capture_output=True,
                             text=True, timeout=240).stdout
        line = [l for l in out.splitlines() if l.startswith("export ")][-1]
        env = {k: v for k, v in os.environ.items() if not k.startswith("KIVOPLAYER_")}
        for item in shlex.split(line)[1:]:
            key, value = item.split("=", 1)
            env[key] = value
        _env = env
        end_stale_players()
    return dict(_env)


def win_path(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def unix_path(path):
    drive, rest = path[0].lower(), path[2:].replace("\\", "/").strip("/")
    if drive == "z":
        return Path("/" + rest)
    return Path(wine_env()["WINEPREFIX"]) / f"drive_{drive}" / rest


def kivoctl(*args, timeout=20):
    try:
        result = subprocess.run([WINE, str(BUILD / "tools" / "kivoctl.exe"), *map(str, args)],
                                env=wine_env(), stdin=DEVNULL, capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        raise_if_x11_deadlock(f"kivoctl {' '.join(map(str, args))}")
        raise
    return result.returncode, result.stdout.strip()


class WineX11Deadlock(Exception):
    """A player hung in libX11's error path (Debian 12's libX11 1.8.4 under Wine): the engine's
    drawing thread met an X error and waits inside _XError while another thread waits in XSync
    on the same display, for ever. It is the platform's fault, not the program's; a case that
    meets it is run once more (PlayerTest)."""


_live_players = []


def x11_deadlock_in(session):
    """True when gdb finds a thread of a process of this session waiting inside _XError."""
    pids = subprocess.run(["pgrep", "-s", str(session)], capture_output=True, text=True, timeout=20).stdout.split()
    for pid in pids:
        try:
            out = subprocess.run(["gdb", "-p", pid, "-batch", "-ex", "thread apply all bt 16"], stdin=DEVNULL,
                                 capture_output=True, text=True, timeout=120).stdout
        except (OSError, subprocess.TimeoutExpired):
            continue
        if any("_XError" in t and "pthread_cond_wait" in t for t in out.split("\nThread ")[1:]):
            return True
    return False


def raise_if_x11_deadlock(what):
    """Called where a wait on a player ran out: tells that deadlock apart from a real hang."""
    for player in list(_live_players):
        if player.running() and x11_deadlock_in(player.proc.pid):
            raise WineX11Deadlock(f"{what}: the player is stuck in libX11's error path")


_temp = None


def log_path():
    global _temp
    if _temp is None:
        _temp = unix_path(kivoctl("temppath")[1])
    return _temp / "kivoplayer-play.txt"


def clear_log():
    log_path().unlink(missing_ok=True)


def read_log():
    try:
        return log_path().read_text(encoding="utf-8", errors="replace")
    except FileNotFoundError:
        return ""


def wait_for_log(pattern, timeout=20, after=0):
    """Waits until a log line matches; returns the match. `after` skips earlier text."""
    deadline = time.monotonic() + timeout
    rx = re.compile(pattern, re.M)
    while True:
        m = rx.search(read_log(), after)
        if m:
            return m
        if time.monotonic() > deadline:
            raise_if_x11_deadlock(f"waiting for /{pattern}/")
            raise AssertionError(f"log line /{pattern}/ not seen in {timeout} s; log:\n{read_log()[-3000:]}")
        time.sleep(0.05)


def reset_test_data():
    shutil.rmtree(TEST_DATA, ignore_errors=True)
    TEST_DATA.mkdir(parents=True)


class Player:
    """One KivoPlayer.exe process; the test owns it and ends it if it is still running."""

    def __init__(self, *args, env=None, test_mode=True, cwd=None, folder=None):
        full_env = wine_env()
        if test_mode:
            full_env["KIVOPLAYER_TEST"] = "1"
        full_env.update(env or {})
        self.started = time.monotonic()
        folder = folder or BIN
        self.proc = subprocess.Popen([WINE, str(folder / "KivoPlayer.exe"), *map(str, args)], env=full_env,
                                     cwd=cwd or folder, stdin=DEVNULL, stdout=DEVNULL, stderr=DEVNULL,
                                     start_new_session=True)
        _live_players[:] = [p for p in _live_players if p.running()] + [self]

    def wait_exit(self, timeout=20):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            try:
                raise_if_x11_deadlock("waiting for the exit")
            finally:
                self.kill()
            raise AssertionError(f"KivoPlayer did not exit within {timeout} s")

    def running(self):
        return self.proc.poll() is None

    def kill(self):
        if self.running():
            self.proc.kill()
            self.proc.wait(timeout=10)

    def close(self, window_class=MAIN_TEST_CLASS, timeout=10):
        """Asks the window to close as the user would and waits for the process to end."""
        kivoctl("post", window_class, 0x0010, 0, 0)
        return self.wait_exit(timeout)


def window_rect(window_class=MAIN_TEST_CLASS):
    code, out = kivoctl("rect", window_class)
    if code != 0:
        return None
    return tuple(int(v) for v in out.split())


def screenshot(name):
    SCREENS.mkdir(parents=True, exist_ok=True)
    path = SCREENS / f"{name}.png"
    subprocess.run(["import", "-window", "root", str(path)], env=wine_env(), check=True, timeout=30,
                   stdin=DEVNULL)
    return path


def pixel(png, x, y):
    """(r, g, b) of one pixel of a PNG."""
    out = subprocess.run(["convert", str(png), "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True, timeout=30).stdout
    m = re.search(r"\((\d+),(\d+),(\d+)", out.splitlines()[-1])
    return tuple(int(v) for v in m.groups())


class PlayerTest(unittest.TestCase):
    """Resets the test data and the log before each case and ends leftover players after it."""

    def setUp(self):
        reset_test_data()
        clear_log()
        park_mouse()
        self.players = []

    def start(self, *args, **kw):
        player = Player(*args, **kw)
        self.players.append(player)
        return player

    def tearDown(self):
        for p in self.players:
            p.kill()

    def _callTestMethod(self, method):
        try:
            return super()._callTestMethod(method)
        except WineX11Deadlock as deadlock:
            sys.stderr.write(f"\n{self.id()}: {deadlock}; running the case once more\n")
            self.tearDown()
            self.setUp()
            return super()._callTestMethod(method)


def main():
    unittest.main(verbosity=2)


def wine_reg(*args):
    """Runs Wine's reg.exe in the prefix; returns its exit code."""
    return subprocess.run([WINE, "reg", *args], env=wine_env(), stdin=DEVNULL, stdout=DEVNULL,
                          stderr=DEVNULL, timeout=60).returncode


def appdata_folder():
    """The program's data folder outside test mode (%APPDATA%\\KivoPlayer), as a Unix path."""
    return unix_path(kivoctl("env", "APPDATA")[1]) / "KivoPlayer"


MEDIA = BUILD / "media"


def _ffmpeg(out, *args):
    if out.exists():
        return
    tmp = out.with_name("tmp-" + out.name)
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", *args, str(tmp)], check=True, timeout=300,
                   stdin=DEVNULL)
    tmp.rename(out)


def media():
    """Short generated clips: H.264/AAC MP4 and VP9/Opus MKV with a subtitle file beside it,
    plus files the engine's folder queue must leave out. Made once per build folder."""
    clips = MEDIA / "clips"
    (clips / "sub").mkdir(parents=True, exist_ok=True)
    (clips / "long").mkdir(parents=True, exist_ok=True)
    video = ["-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25", "-t", "8"]
    _ffmpeg(clips / "a.mp4", *video, "-f", "lavfi", "-i", "sine=frequency=440:sample_rate=48000", "-t", "8",
            "-c:v", "libx264", "-g", "25", "-pix_fmt", "yuv420p", "-c:a", "aac")
    _ffmpeg(clips / "b.mkv", *video, "-f", "lavfi", "-i", "sine=frequency=660:sample_rate=48000", "-t", "8",
            "-c:v", "libvpx-vp9", "-g", "25", "-b:v", "200k", "-deadline", "realtime", "-c:a", "libopus")
    _ffmpeg(clips / "sub" / "c.mp4", "-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25", "-t", "2",
            "-c:v", "libx264", "-pix_fmt", "yuv420p")
    _ffmpeg(clips / "long" / "long.mp4", "-f", "lavfi", "-i", "testsrc2=size=160x120:rate=25", "-t", "40",
            "-c:v", "libx264", "-preset", "ultrafast", "-g", "25", "-pix_fmt", "yuv420p")
    srt = clips / "b.srt"
    if not srt.exists():
        srt.write_text("1\n00:00:00,000 --> 00:00:08,000\nHello subtitle\n")
    (clips / "notes.txt").write_text("not media\n")
    return clips


def state_line(window_class=MAIN_TEST_CLASS, timeout=10):
    """Asks a test-mode player to log its engine state and returns the parsed line."""
    after = len(read_log())
    kivoctl("send", window_class, 0x8004, 1, 0)
    line = wait_for_log(r"^state .*$", timeout, after).group(0)
    fields = dict(re.findall(r"(\w[\w-]*)=(\S*)", line))
    return fields


def program_folder(name, engine_dll=None):
    """A copy of the program in build/win/<name>/ (same test data folder) with the given
    libmpv-2.dll beside it, or none."""
    folder = BUILD / name
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir()
    shutil.copy2(BIN / "KivoPlayer.exe", folder)
    if (BIN / "fonts").is_dir():
        shutil.copytree(BIN / "fonts", folder / "fonts")
    if engine_dll:
        shutil.copy2(engine_dll, folder / "libmpv-2.dll")
    return folder


def wait_for_title(title, window_class=MAIN_TEST_CLASS, timeout=20):
    """Waits until the window's title is `title`; returns None, or raises with the last one."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        last = kivoctl("title", window_class)[1]
        if last == title:
            return None
        time.sleep(0.1)
    raise AssertionError(f"title stayed {last!r}, wanted {title!r}")


def command(text, window_class=MAIN_TEST_CLASS):
    """Runs a command string in the test-mode player as if a key had sent it."""
    code, _ = kivoctl("command", window_class, text)
    if code != 0:
        raise AssertionError(f"command {text!r} was not taken")


SCRIPTED_DLL = BUILD / "scripted-engine" / "libmpv-2.dll"
SCRIPTED_NOSYM_DLL = BUILD / "scripted-engine" / "nosym" / "libmpv-2.dll"
JOURNAL = BUILD / "journal.txt"
MEDIA_DESCRIPTION = BUILD / "media-description.txt"


class ScriptedTest(PlayerTest):
    """Runs the program against the scripted engine, which journals every option, command
    and property read. `media` (class attribute) describes the simulated file."""

    media = ""
    folder_name = "bin-scripted"

    @classmethod
    def setUpClass(cls):
        cls.folder = program_folder(cls.folder_name, SCRIPTED_DLL)

    def setUp(self):
        super().setUp()
        JOURNAL.unlink(missing_ok=True)
        MEDIA_DESCRIPTION.write_text(self.media)

    def start(self, *args, env=None, **kw):
        full = {"KIVO_ENGINE_JOURNAL": win_path(JOURNAL), "KIVO_ENGINE_MEDIA": win_path(MEDIA_DESCRIPTION)}
        full.update(env or {})
        kw.setdefault("folder", self.folder)
        return super().start(*args, env=full, **kw)

    def start_playing(self, *files, env=None, **kw):
        """A player that stays open, with the first file's picture shown."""
        full = {"KIVOPLAYER_DEMO": "stay"}
        full.update(env or {})
        player = self.start(*(files or ["C:\\media\\film.mkv"]), env=full, **kw)
        wait_for_log(r"^hud_ready_ms=", 30)
        return player


def track_list(*tracks):
    """Description lines of a track list: (type, id, lang, title, selected) per track."""
    lines = [f"track-list/count={len(tracks)}"]
    for i, track in enumerate(tracks):
        lines += [f"track-list/{i}/{key}={value}" for key, value in zip(("type", "id", "lang", "title", "selected"), track)]
    return "\n".join(lines) + "\n"


def journal():
    try:
        return JOURNAL.read_text(encoding="utf-8", errors="replace").splitlines()
    except FileNotFoundError:
        return []


def journal_commands(since=0):
    """The command lines (command_string and command) written after line `since`."""
    out = []
    for line in journal()[since:]:
        if line.startswith("command_string "):
            out.append(line[len("command_string "):])
        elif line.startswith("command "):
            out.append(line[len("command "):].replace("\t", " "))
        elif line.startswith("command_async "):
            out.append("async " + line[len("command_async "):].replace("\t", " "))
    return out


def wait_for_journal(predicate, timeout=10, what="journal entry"):
    deadline = time.monotonic() + timeout
    while True:
        lines = journal()
        if predicate(lines):
            return lines
        if time.monotonic() > deadline:
            raise AssertionError(f"{what} not seen in {timeout} s; journal tail:\n" + "\n".join(lines[-30:]))
        time.sleep(0.03)


def wait_for_command(text, since=0, timeout=10):
    """Waits until the program sent exactly this command; returns the journal length then."""
    lines = wait_for_journal(lambda _: text in journal_commands(since), timeout, f"command {text!r}")
    return len(lines)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], env=wine_env(), check=True, timeout=20, stdin=DEVNULL)


def move_mouse(x, y):
    """A real X pointer move that has arrived when this returns."""
    # xdotool's --sync waits out its own timeout when the pointer is already there.
    where = subprocess.run(["xdotool", "getmouselocation", "--shell"], env=wine_env(), capture_output=True,
                           text=True, timeout=20, stdin=DEVNULL).stdout
    if f"X={x}\n" not in where or f"Y={y}\n" not in where:
        xdotool("mousemove", "--sync", x, y)


def park_mouse():
    """Puts the pointer in a screen corner that no window of a case starts under, so that a
    case's first move into the window is a real move wherever the previous case left it."""
    move_mouse(2, 1077)


def click(x, y, button=1):
    """A real X click at screen coordinates."""
    move_mouse(x, y)
    xdotool("click", button)


def focus_main(title, timeout=10):
    """Gives the keyboard focus to the window with this title (real X focus)."""
    deadline = time.monotonic() + timeout
    while True:
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"], env=wine_env(),
                             capture_output=True, text=True, timeout=20, stdin=DEVNULL).stdout.split()
        if out:
            break
        if time.monotonic() > deadline:
            raise AssertionError(f"no X window titled {title!r}")
        time.sleep(0.05)
    xdotool("windowfocus", "--sync", out[-1])
    return out[-1]


def key_logged(count_before, at_least=1, timeout=10):
    """Waits until a "stay" player logged `at_least` more "key vk=" lines than `count_before`;
    returns the new ones."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        keys = [l for l in read_log().splitlines() if l.startswith("key vk=")]
        if len(keys) >= count_before + at_least:
            return keys[count_before:]
        time.sleep(0.02)
    raise AssertionError("the keys did not reach the program")


def keys_seen():
    return len([l for l in read_log().splitlines() if l.startswith("key vk=")])


HUD_CLASS = "KivoHud"


def hud_rect():
    """(x, y, w, h) of the control bar on the screen."""
    x, y, w, h, _, _ = window_rect(HUD_CLASS)
    return x, y, w, h


def hud_visible():
    return kivoctl("visible", HUD_CLASS)[1] == "1"


def wait_until(predicate, timeout=10, what="condition"):
    deadline = time.monotonic() + timeout
    while not predicate():
        if time.monotonic() > deadline:
            raise_if_x11_deadlock(f"waiting for {what}")
            raise AssertionError(f"{what} not reached in {timeout} s")
        time.sleep(0.03)


def colours_in(png, x, y, w, h):
    """The set of (r, g, b) colours in a rectangle of a PNG."""
    out = subprocess.run(["convert", str(png), "-crop", f"{w}x{h}+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True, timeout=60).stdout
    return {tuple(int(v) for v in m.groups()) for m in re.finditer(r"\((\d+),(\d+),(\d+)", out)}


def near(colour, target, tolerance=24):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, target))
