#include "app/mainwindow.h"

#include <windows.h>
#include <dwmapi.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/diaglog.h"
#include "app/startup.h"
#include "app/startup_core.h"
#include "app/textconv.h"
#include "app/window_modes.h"
#include "engine/engine.h"
#include "engine/open_files.h"
#include "menu/menu.h"
#include "osd/hud.h"
#include "osd/toast.h"
#include "input/commands.h"
#include "input/feedback.h"
#include "panels/history.h"
#include "panels/titlebar.h"
#include "store/settings.h"

HWND mainWindow = nullptr;
HWND videoWindow = nullptr;

namespace {

bool firstPaintPending = true;
bool closing = false;
bool hudReady = false;

void onPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    paintMainWindow(dc, client.right, client.bottom);
    EndPaint(window, &ps);
    if (!firstPaintPending) return;
    firstPaintPending = false;
    diagLog("first_paint_ms=%.1f", processMs());
    if (envExists("KIVOPLAYER_QUIT")) PostMessageW(window, WM_CLOSE, 0, 0);
}

// The first picture: the control bar, the periodic timer and the settings come up now.
void onFirstFrame(HWND window) {
    SetFocus(window);
    if (hudReady) return;
    hudReady = true;
    CreateToastWindow(window, appInstance);
    layoutVideo();
    wchar_t title[1024];
    int length = GetWindowTextW(window, title, 1024);
    SetHudFileName(length > 13 ? std::wstring(title, length - 13) : std::wstring());
    SetTimer(window, 1, 100, nullptr);
    applySettings();
    diagLog("hud_ready_ms=%.1f", processMs());
    double pos = 0;
    if (resumeEnabled && engineGetDouble("time-pos", pos) && pos > 3.0) showResumeNotice(pos);
}

// Every 100 ms from the first picture on; the order matters (the toast reads the engine
// before the control bar refreshes).
void onTimer() {
    refreshFeedback();
    ToastTick();
}

// Development aid: test drivers ask for a snapshot of the engine's state in the log.
LRESULT testControl(WPARAM selector) {
    if (!testMode) return 0;
    if (selector == kTestLogState) {
        diagLog("state path=%s playlist=%s/%s pause=%s volume=%s", engineGetString("path").c_str(),
                engineGetString("playlist-pos-1").c_str(), engineGetString("playlist-count").c_str(),
                engineGetString("pause").c_str(), engineGetString("volume").c_str());
        return 1;
    }
    return 0;
}

void afterShow(HWND window) {
    readWatchHistory(appSettings().resume ? resumeFolder : std::wstring());
    BOOL dark = TRUE;
    DwmSetWindowAttribute(window, 20, &dark, sizeof dark);
    COLORREF border = 0x00544600;
    DwmSetWindowAttribute(window, 34, &border, sizeof border);
}

// The engine may not answer; the process ends after at most 400 ms of waiting.
void closeSequence(HWND window) {
    if (closing) return;
    closing = true;
    CloseMenu();
    double t0 = processMs();
    ShowWindow(window, SW_HIDE);
    quitRequested.exchange(1);
    if (engineRunning()) {
        double pos = 0, duration = 0;
        bool nearEnd = engineGetDouble("time-pos", pos) && engineGetDouble("duration", duration) &&
                       duration > 0 && pos >= duration - 10.0;
        if (resumeEnabled && nearEnd) engineCommandString("delete-watch-later-config");
        engineCommandAsync({resumeEnabled && !nearEnd ? "quit-watch-later" : "quit"});
    }
    if (HANDLE thread = engineThread()) WaitForSingleObject(thread, 400);
    diagLog("close_ms=%.1f (window hidden -> process exit)", processMs() - t0);
    ExitProcess(0);
}

LRESULT receiveHandover(HWND window, const COPYDATASTRUCT* data) {
    // Test drivers run a command string as if a key had sent it.
    if (testMode && data && data->dwData == kTestCommandCode && data->lpData) {
        std::string command(static_cast<const char*>(data->lpData), data->cbData);
        executeCommand(command.c_str());
        return 1;
    }
    if (!data || (data->dwData != kHandoverOpen && data->dwData != kHandoverQueue)) return 0;
    std::vector<std::u16string> received =
        parseHandoverPayload(static_cast<const char16_t*>(data->lpData), data->cbData / 2);
    std::vector<std::wstring> paths;
    for (const std::u16string& p : received) paths.emplace_back(p.begin(), p.end());
    if (testMode) {
        diagLog("handover %s n=%d", data->dwData == kHandoverQueue ? "KVQU" : "KIVO", int(paths.size()));
        for (const std::wstring& p : paths) diagLog("handover path=%s", toUtf8(p).c_str());
    }
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    startPlayback(paths);
    return 1;
}

void receiveDroppedFiles(HDROP drop) {
    std::vector<std::wstring> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[520];
        if (DragQueryFileW(drop, i, path, 520) > 0) paths.emplace_back(path);
    }
    DragFinish(drop);
    startPlayback(paths);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_MOVE:
            CloseMenu();
            break;
        case WM_SIZE:
            CloseMenu();
            layoutVideo();
            break;
        case WM_PAINT:
            onPaint(window);
            return 0;
        case WM_CLOSE:
            closeSequence(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_ACTIVATEAPP:
            if (!wParam) CloseMenu();
            break;
        case WM_COPYDATA:
            return receiveHandover(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_NCCALCSIZE:
            if (wParam && !isFullScreen())
                return frameCalcSize(window, &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
            break;
        case WM_NCHITTEST:
            if (!isFullScreen()) {
                if (LRESULT hit = titleBarHitTest(window, lParam)) return hit;
            }
            break;
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCMOUSELEAVE:
            if (titleBarMouse(window, message, LRESULT(wParam))) return 0;
            break;
        case WM_DROPFILES:
            receiveDroppedFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_APP_FIRST_FRAME:
            onFirstFrame(window);
            return 0;
        case WM_APP_ENGINE_FAILED:
            SetWindowTextW(window, L"KivoPlayer - libmpv failed to start");
            return 0;
        case WM_TIMER:
            onTimer();
            return 0;
        case WM_APP_TEST_CONTROL:
            return testControl(wParam);
        case WM_APP_AFTER_SHOW:
            afterShow(window);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK videoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool registerWindowClasses() {
    WNDCLASSEXW main = {};
    main.cbSize = sizeof main;
    main.lpfnWndProc = mainWindowProc;
    main.hInstance = appInstance;
    main.hIcon = LoadIconW(appInstance, MAKEINTRESOURCEW(1));
    main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main.lpszClassName = mainClassName.c_str();
    if (!RegisterClassExW(&main)) return false;
    WNDCLASSEXW video = {};
    video.cbSize = sizeof video;
    video.lpfnWndProc = videoWindowProc;
    video.hInstance = appInstance;
    video.hbrBackground = CreateSolidBrush(0);
    video.lpszClassName = L"KivoPlayerVideo";
    return RegisterClassExW(&video) != 0;
}

void redrawForLanguageChange() {
    if (mainWindow) InvalidateRect(mainWindow, nullptr, FALSE);
    CloseMenu();
}
