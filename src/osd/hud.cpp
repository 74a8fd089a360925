#include "osd/hud.h"

#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <cstring>

#include "app/diaglog.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "osd/accessible.h"
#include "osd/drawing_kit.h"
#include "osd/hud_core.h"
#include "osd/hud_access.h"
#include "osd/hud_paint.h"
#include "osd/preview_window.h"
#include "osd/toast.h"

namespace {

HWND hudWindow = nullptr;
HWND ownerWindow = nullptr;
EngineAccess engine = {};
HudModel model;
bool visible = false;
bool docked = true;
bool fullScreen = false;
bool startScreen = true;
bool tracking = false;
DWORD lastMove = 0;
DWORD lastSeekTick = 0;
unsigned hideDelayMs = 2500;
int topOffset = 0;
std::wstring fileName;
POINT lastCursor = {-100000, -100000};
char stateLine[160] = "";
unsigned tickCount = 0;
int screenX = 0, screenY = 0;

// What a screen reader was last told changed: the play button's name, the position and the
// volume as they read.
bool spokenPaused = false;
std::string spokenTime;
int spokenVolume = -1;

int logical(int devicePixels) { return int(float(devicePixels) / UiScale()); }

void layout() {
    RECT client;
    GetClientRect(ownerWindow, &client);
    layoutHudElements(model, client.right, UiScale());
    POINT origin = {0, 0};
    ClientToScreen(ownerWindow, &origin);
    screenX = origin.x + (client.right - ScalePx(float(model.width))) / 2;
    screenY = origin.y + client.bottom - ScalePx(kHudHeight);
}

std::string paintedKey;
int paintedX = 0, paintedY = 0;

// The picture preview goes with the time bubble: shown while it shows, just above it.
void updatePreview() {
    bool overBar = visible && (model.hover == kHudSeek || model.drag == kHudSeek) && model.hoverFraction >= 0 &&
                   model.duration > 0;
    if (!overBar) {
        HidePreview();
        return;
    }
    const HudRect& r = model.elements[kHudSeek];
    float xh = float(r.left + model.hoverFraction * (r.right - r.left));
    ShowPreview(model.hoverFraction * model.duration, screenX + ScalePx(xh), screenY + ScalePx(2));
}

// A repaint costs milliseconds under GDI+; the bar is only drawn again when something that
// shows has changed (or it was moved, or is being shown).
void paint(bool force = false) {
    if (!hudWindow) return;
    updatePreview();
    std::string key = hudPaintKey(model, UiScale());
    if (!force && key == paintedKey && screenX == paintedX && screenY == paintedY) return;
    PaintHud(hudWindow, model, screenX, screenY);
    paintedKey = key;
    paintedX = screenX;
    paintedY = screenY;
}

// Value changes of the seek bar come at most once a second while playing: the position is
// told as the bar shows it, to the second.
void announceChanges() {
    if (model.paused != spokenPaused) {
        spokenPaused = model.paused;
        NotifyAccess(EVENT_OBJECT_NAMECHANGE, hudWindow, kHudPlay);
    }
    std::string time = hudTimeText(model.position, model.duration >= 3600) + "/" + hudTimeText(model.duration, true);
    if (time != spokenTime) {
        spokenTime = time;
        NotifyAccess(EVENT_OBJECT_VALUECHANGE, hudWindow, kHudSeek);
    }
    int volume = int(model.volume + 0.5);
    if (volume != spokenVolume) {
        spokenVolume = volume;
        NotifyAccess(EVENT_OBJECT_VALUECHANGE, hudWindow, kHudVol);
    }
}

void refreshModel() {
    double number;
    bool flag;
    char text[32];
    if (model.drag != kHudSeek && engine.getDouble("time-pos", number)) model.position = number;
    model.duration = engine.getDouble("duration", number) ? number : 0;
    if (model.drag != kHudVol && engine.getDouble("volume", number)) model.volume = number;
    if (engine.getDouble("speed", number)) model.speed = number;
    model.loopA = engine.getText("ab-loop-a", text, sizeof text) && strcmp(text, "no") != 0 ? atof(text) : -1;
    model.loopB = engine.getText("ab-loop-b", text, sizeof text) && strcmp(text, "no") != 0 ? atof(text) : -1;
    if (engine.getFlag("pause", flag)) model.paused = flag;
    if (engine.getFlag("mute", flag)) model.muted = flag;
    bool subVisible = true;
    engine.getFlag("sub-visibility", subVisible);
    model.subtitlesShown = subVisible && engine.getText("sid", text, sizeof text) && strcmp(text, "no") != 0;
    char track[16];
    model.audioTrack = engine.getText("aid", track, sizeof track) ? track : "";
    announceChanges();
}

void updateSubtitleMargin() {
    RECT client;
    GetClientRect(ownerWindow, &client);
    if (client.bottom < 1) return;
    int margin = hudSubtitleMargin(visible && !docked, UiScale(), client.bottom);
    if (margin == model.lastSubMargin) return;
    model.lastSubMargin = margin;
    char command[48];
    snprintf(command, sizeof command, "set sub-margin-y %d", margin);
    engine.runQuiet(command);
}

void show() {
    layout();
    paint(true);
    ShowAboveOwner(hudWindow);
    visible = true;
    NotifyShown(hudWindow, true);
    updateSubtitleMargin();
}

void hide() {
    ShowWindow(hudWindow, SW_HIDE);
    visible = false;
    HidePreview();
    NotifyShown(hudWindow, false);
    updateSubtitleMargin();
}

void seekTo(double fraction, bool exact) {
    if (!(model.duration > 0)) return;
    DWORD now = GetTickCount();
    if (!exact && now - lastSeekTick < 50) return;
    lastSeekTick = now;
    engine.runQuiet(hudSeekCommand(fraction, model.duration, exact).c_str());
    model.position = fraction * model.duration;
    if (exact) announceChanges();
}

void setVolume(double fraction) {
    int volume = hudVolumeFromFraction(fraction);
    char command[32];
    snprintf(command, sizeof command, "set volume %d", volume);
    engine.runQuiet(command);
    model.volume = volume;
}

void onMouseMove(HWND window, int x, int y) {
    if (!tracking) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
        tracking = TrackMouseEvent(&track) != 0;
    }
    if (IsRealMouseMove()) lastMove = GetTickCount();
    if (model.drag == kHudSeek) {
        model.hoverFraction = hudFraction(model.elements[kHudSeek], x);
        seekTo(model.hoverFraction, false);
    } else if (model.drag == kHudVol) {
        setVolume(hudFraction(model.elements[kHudVol], x));
    } else {
        model.hover = hudHitTest(model, x, y);
        model.hoverFraction = model.hover == kHudSeek ? hudFraction(model.elements[kHudSeek], x) : -1;
    }
    paint();
}

void onLeftDown(HWND window, int x, int y) {
    int hit = hudHitTest(model, x, y);
    if (hit == kHudSeek) {
        model.drag = kHudSeek;
        SetCapture(window);
        model.hoverFraction = hudFraction(model.elements[kHudSeek], x);
        seekTo(model.hoverFraction, false);
    } else if (hit == kHudVol) {
        model.drag = kHudVol;
        SetCapture(window);
        setVolume(hudFraction(model.elements[kHudVol], x));
    } else {
        model.pressed = hit;
    }
    paint();
}

void onLeftUp(int x, int y) {
    if (model.drag == kHudSeek) seekTo(hudFraction(model.elements[kHudSeek], x), true);
    if (model.drag) {
        model.drag = 0;
        ReleaseCapture();
    } else if (model.pressed && hudHitTest(model, x, y) == model.pressed) {
        if (const char* command = hudClickCommand(model.pressed)) engine.runQuiet(command);
    }
    model.pressed = 0;
    paint();
}

LRESULT CALLBACK hudWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    int x = logical(GET_X_LPARAM(lParam)), y = logical(GET_Y_LPARAM(lParam));
    switch (message) {
        case WM_MOUSEMOVE: onMouseMove(window, x, y); return 0;
        case WM_LBUTTONDOWN: onLeftDown(window, x, y); return 0;
        case WM_LBUTTONUP: onLeftUp(x, y); return 0;
        case WM_MOUSEWHEEL:
            engine.runQuiet(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? "@vol 1" : "@vol -1");
            return 0;
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP:
        case WM_XBUTTONDBLCLK:
            PostMessageW(ownerWindow, message, wParam, lParam);
            return TRUE;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_NCHITTEST: return HTCLIENT;
        case WM_GETOBJECT: {
            LRESULT result = 0;
            if (AnswerAccessRequest(window, wParam, lParam, kHudAccess, result)) return result;
            break;
        }
        case WM_MOUSELEAVE:
            tracking = false;
            if (!model.drag) {
                model.hover = 0;
                model.hoverFraction = -1;
            }
            paint();
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Development aid of the "stay" demonstration: where the bar is and what it decided.
void logStayLine() {
    if (!testMode || strcmp(demoScript, "stay") != 0 || ++tickCount % 10 != 0) return;
    POINT p;
    GetCursorPos(&p);
    wchar_t under[64] = L"";
    GetClassNameW(WindowFromPoint(p), under, 64);
    bool hours = model.duration >= 3600;
    diagLog("hud pos=%s %s cursorHidden=%d sinceRealMove=%lu under=%ls toast=[%s]",
            hudTimeText(model.position, hours).c_str(), hudTimeText(model.duration, hours).c_str(),
            GetCursor() == nullptr ? 1 : 0, (unsigned long)(GetTickCount() - lastMove), under,
            toUtf8(ToastText()).c_str());
    diagLog("hud %s visible=%d x=%d y=%d w=%d", stateLine, visible ? 1 : 0, screenX, screenY, model.width);
}

}  // namespace

void CreateHud(HWND owner, HINSTANCE instance, const EngineAccess& access) {
    if (hudWindow) return;
    ownerWindow = owner;
    engine = access;
    InitDrawingKit();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = hudWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"KivoHud";
    RegisterClassExW(&wc);
    hudWindow = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"KivoHud", L"", WS_POPUP,
                                0, 0, 10, 10, owner, nullptr, instance, nullptr);
    CreateToastWindow(owner, instance);
    lastMove = GetTickCount();
    layout();
    refreshModel();
    paint();
    ShowAboveOwner(hudWindow);
    visible = true;
    updateSubtitleMargin();
}

bool HudExists() { return hudWindow != nullptr; }
HWND HudWindow() { return hudWindow; }
bool IsHudVisible() { return visible; }

void HudTick() {
    if (!hudWindow) return;
    ToastTick();
    if (startScreen) {
        if (visible) hide();
        return;
    }
    refreshModel();
    DWORD now = GetTickCount();
    bool recent = now - lastMove < hideDelayMs;
    POINT cursor;
    GetCursorPos(&cursor);
    RECT frame;
    GetWindowRect(ownerWindow, &frame);
    HudWantInputs in{docked, model.drag != 0, model.hover != 0, recent, model.paused,
                     int(cursor.x), int(cursor.y), int(frame.left), int(frame.top), int(frame.right),
                     int(frame.bottom), ScalePx(kHudHeight)};
    bool want = hudWanted(in);
    snprintf(stateLine, sizeof stateLine, "want=%d hover=%d drag=%d paused=%d recent=%d sinceMove=%lu full=%d",
             want ? 1 : 0, model.hover, model.drag, model.paused ? 1 : 0, recent ? 1 : 0,
             (unsigned long)(now - lastMove), fullScreen ? 1 : 0);
    if (want) {
        if (visible) paint();
        else show();
    } else if (visible) {
        hide();
    }
    logStayLine();
}

void RelayoutHud() {
    if (!hudWindow) return;
    layout();
    if (visible) paint(true);
    if (ToastVisible()) RepaintToast();
    updateSubtitleMargin();
}

void SetHideDelay(unsigned ms) { hideDelayMs = ms; }
void SetHudTopOffset(int pixels) { topOffset = pixels; }
int HudTopOffset() { return topOffset; }
void SetHudFileName(const std::wstring& name) { fileName = name; }

void SetStartScreen(bool shown) {
    startScreen = shown;
    if (!shown) lastMove = GetTickCount();
}

void SetHudFullScreen(bool on) {
    fullScreen = on;
    docked = !on;
}

void SetHudMarkers(const std::vector<double>& seconds) {
    model.markers = seconds;
    if (visible) paint();
}

int HudBottomReserve() { return hudWindow && docked && !startScreen ? ScalePx(kHudHeight) : 0; }

bool IsRealMouseMove() {
    POINT p;
    GetCursorPos(&p);
    if (p.x == lastCursor.x && p.y == lastCursor.y) return false;
    lastCursor = p;
    return true;
}

const HudModel& CurrentHudModel() { return model; }
bool IsHudFullScreen() { return fullScreen; }

bool PressHudElement(int element) {
    if (element < 1 || element > kHudElementCount || model.elements[element].empty()) return false;
    const char* command = hudClickCommand(element);
    if (!command) return false;
    engine.runQuiet(command);
    return true;
}

void MarkMouseActivity() { lastMove = GetTickCount(); }
const char* HudStateLine() { return stateLine; }
