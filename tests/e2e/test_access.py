"""The player as a screen reader sees it: a client in another process walks the accessible
objects of the control bar, menu, panels and main window, presses their elements, and listens
for the alerts, focus and value changes the program raises."""
import subprocess
import threading
import time

import kivo
from kivo import ScriptedTest

SLIDER, BUTTON, MENUITEM, SEPARATOR, LISTITEM, CHECKBUTTON, RADIO = 0x33, 0x2B, 0x0C, 0x15, 0x22, 0x2C, 0x2D
CHECKED, SELECTED, HASPOPUP, UNAVAILABLE = 0x10, 0x2, 0x40000000, 0x1


def objects(window_class):
    """Every shown window of the class: a list of elements (id, role, state, name, value,
    shortcut, (x, y, w, h)) per window, the window itself first."""
    code, out = kivo.kivoctl("access", window_class)
    windows = []
    for line in out.splitlines() if code == 0 else []:
        f = line.split("\t")
        element = (int(f[0]), int(f[1]), int(f[2], 16), f[3], f[4], f[5], tuple(map(int, f[6].split(","))))
        windows.append([element]) if element[0] == 0 else windows[-1].append(element)
    return windows


def named(elements, name):
    return next(e for e in elements if e[3] == name)


class Events:
    """kivoctl listening for the program's accessibility events while a case runs."""

    def __init__(self):
        self.lines = []
        self.proc = subprocess.Popen([kivo.WINE, str(kivo.BUILD / "tools" / "kivoctl.exe"), "events", "120000"],
                                     env=kivo.wine_env(), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, text=True)
        assert self.proc.stdout.readline().strip() == "ready"
        threading.Thread(target=lambda: [self.lines.append(l.rstrip("\n").split("\t")) for l in self.proc.stdout],
                         daemon=True).start()

    def of(self, event):
        return [l[1:] for l in self.lines if l[0] == event]


class Access(ScriptedTest):
    media = ("duration=3725\ntime-pos=754\nplaylist-count=2\nplaylist-pos=1\n"
             "playlist/0/filename=C:\\media\\film.mkv\nplaylist/1/title=Second film\n")

    def test_a_client_walks_and_presses_every_window(self):
        (kivo.TEST_DATA / "resume").mkdir()
        (kivo.TEST_DATA / "seen.mkv").write_bytes(b"")
        (kivo.TEST_DATA / "resume" / "R0").write_text(f"# {kivo.win_path(kivo.TEST_DATA / 'seen.mkv')}\nstart=3725.2\n")
        events = Events()
        self.addCleanup(events.proc.kill)
        self.start_playing()
        wait = kivo.wait_until

        # The control bar: named buttons where the mouse finds them, sliders with their values.
        hud = objects("KivoHud")[0]
        x, y, _, _ = kivo.hud_rect()
        self.assertEqual(named(hud, "Pause")[1:3] + named(hud, "Pause")[6], (BUTTON, 0, x + 86, y + 48, 46, 30))
        self.assertEqual(named(hud, "Seek")[1:2] + named(hud, "Seek")[4:5], (SLIDER, "0:12:34 of 1:02:05"))
        self.assertEqual(named(hud, "Volume")[4], "100%")
        self.assertEqual(kivo.kivoctl("hit", x + 100, y + 60), (0, "Pause"))
        self.assertEqual([e[3] for e in hud[2:4]], ["Previous file", "Back 5 seconds"])
        kivo.command("set time-pos 3600")
        wait(lambda: named(objects("KivoHud")[0], "Seek")[4] == "1:00:00 of 1:02:05", what="the seek bar's new value")
        wait(lambda: ["KivoHud", "1", "Seek", "1:00:00 of 1:02:05"] in events.of("0x800e"), what="its value change")
        kivo.sends("cycle pause", kivo.kivoctl, "press", "KivoHud", 4)
        wait(lambda: ["KivoHud", "4", "Play", ""] in events.of("0x800c"), what="the play button renamed")

        # Each toast is one alert, named by its text.
        kivo.command("@vol 1")
        kivo.command("cycle mute")
        wait(lambda: len(events.of("0x2")) >= 2, what="two alerts")
        self.assertEqual(events.of("0x2"), [["KivoToast", "0", "VOL 105%", ""], ["KivoToast", "0", "VOL MUTE", ""]])
        # A live toast whose value moves on the ticks is not spoken again.
        kivo.command("seek 5")
        kivo.wait_for_log(r"^toast_paint \d+ .*label=SEEK value=96%")
        kivo.command("set time-pos 1000")
        kivo.wait_for_log(r"^toast_paint \d+ .*label=SEEK value=26%")
        time.sleep(0.5)
        self.assertEqual(events.of("0x2")[2:], [["KivoToast", "0", "SEEK 96%", ""]])

        # The menu: rows with shortcuts, checks and sub-menus; the keyboard highlight is the focus.
        wx, wy, ww, _, _, _ = kivo.window_rect()
        kivo.focus_main("film.mkv - KivoPlayer")
        kivo.click(wx + ww // 3, wy + 80, 3)
        menu = wait(lambda: objects("KivoMenu"), what="the menu")[0]
        self.assertEqual(menu[0][1], 0x0B)
        rows = [e for e in menu[1:] if e[1] != SEPARATOR]
        self.assertEqual(len(rows), 23)
        self.assertEqual([e[3:6] for e in menu[1:4]], [("Open file...", "", "Ctrl+O"), ("", "", ""), ("Play", "", "Space")])
        self.assertTrue(named(menu, "Speed")[2] & HASPOPUP)
        kivo.xdotool("key", "Down", "Down")
        wait(lambda: ["KivoMenu", "3", "Play", ""] in events.of("0x8005"), what="focus on the third row")
        kivo.kivoctl("press", "KivoMenu", named(menu, "Speed")[0])
        speed = wait(lambda: [w for w in objects("KivoMenu") if w[0][3] == "Speed"], what="the speed sub-menu")[0]
        self.assertEqual([e[3] for e in speed[1:] if e[2] & CHECKED], ["1.0x normal"])
        kivo.sends("set speed 1.5", kivo.kivoctl, "press", "KivoMenu", named(speed, "1.5x")[0])
        wait(lambda: not objects("KivoMenu"), what="the menu closed")

        # The panels: the playing entry, the switches and chips, file info and help rows.
        kivo.command("@playlist")
        playlist = wait(lambda: objects("KivoPlaylist"), what="the playlist")[0]
        entries = [e for e in playlist if e[1] == LISTITEM]
        self.assertEqual([(e[3], bool(e[2] & SELECTED)) for e in entries], [("film.mkv", False), ("Second film", True)])
        kivo.sends("playlist-play-index 0", kivo.kivoctl, "press", "KivoPlaylist", entries[0][0])
        self.assertEqual(named(playlist, "Remove from the list")[0], entries[0][0] + 1)
        kivo.sends("playlist-remove 1", kivo.kivoctl, "press", "KivoPlaylist", entries[1][0] + 1)
        kivo.command("@settings")
        settings = wait(lambda: objects("KivoSettings"), what="the settings")[0]
        queue = named(settings, "Queue the rest of the folder")
        self.assertEqual(queue[1], CHECKBUTTON)
        self.assertEqual([e[3] for e in settings if e[1] == RADIO and e[2] & CHECKED][1:3], ["5s", "5"])
        kivo.kivoctl("press", "KivoSettings", queue[0])
        wait(lambda: named(objects("KivoSettings")[0], queue[3])[2] != queue[2], what="the switch flipped")
        kivo.command("@info")
        info = wait(lambda: objects("KivoInfo"), what="the file info")[0]
        self.assertIn(("Length", "1:02:05  (3725.000 s)"), [e[3:5] for e in info])
        kivo.command("@help")
        self.assertIn(("Space", "Play / pause"), [e[3:5] for e in wait(lambda: objects("KivoHelp"), what="help")[0]])

        # The main window: its caption buttons, and the start screen once the file is closed.
        main = objects(kivo.MAIN_TEST_CLASS)[0]
        self.assertEqual([e[3] for e in main[1:]], ["Minimize", "Maximize", "Close"])
        kivo.command("@close")
        start = wait(lambda: objects(kivo.MAIN_TEST_CLASS)[0][4:], what="the start screen")
        self.assertEqual([e[1:5] for e in start], [(BUTTON, 0, "Open file", ""), (BUTTON, 0, "Clear history", ""),
                                                   (LISTITEM, 0, "seen.mkv", "1:02:05")])
        kivo.kivoctl("press", kivo.MAIN_TEST_CLASS, start[1][0])
        wait(lambda: objects(kivo.MAIN_TEST_CLASS)[0][5][3] == "Click again to clear", what="the clear action armed")
