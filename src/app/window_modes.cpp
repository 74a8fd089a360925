#include "app/window_modes.h"

#include <windows.h>
#include <windowsx.h>

#include "app/mainwindow.h"
#include "engine/engine.h"
#include "input/panscan.h"
#include "osd/hud.h"
#include "panels/titlebar.h"

PointerState pointer;
bool alwaysOnTop = false;

namespace {

bool fullScreen = false;
WINDOWPLACEMENT savedPlacement = {sizeof(WINDOWPLACEMENT)};

// Clicks on the picture are handled by the main window, in its client coordinates.
LRESULT forwardToMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(window, mainWindow, &p, 1);
    PostMessageW(mainWindow, message, wParam, MAKELPARAM(p.x, p.y));
    return 0;
}

LRESULT onPictureMouseMove(HWND window, WPARAM wParam, LPARAM lParam) {
    if (!IsRealMouseMove()) return 0;
    noteRealPictureMove();
    MarkMouseActivity();
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(window, mainWindow, &p, 1);
    if (dragWindowIfMoved(p.x, p.y, wParam)) return 0;
    return forwardToMain(window, WM_MOUSEMOVE, wParam, lParam);
}

}  // namespace

bool isFullScreen() { return fullScreen; }

void noteRealPictureMove() {
    pointer.lastRealMove = GetTickCount();
    if (pointer.cursorHidden) {
        pointer.cursorHidden = false;
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
}

bool dragWindowIfMoved(int x, int y, unsigned long long keys) {
    if (!(keys & MK_LBUTTON) || !pointer.pendingClick || fullScreen) return false;
    if (abs(x - pointer.previousPressX) <= GetSystemMetrics(SM_CXDRAG) &&
        abs(y - pointer.previousPressY) <= GetSystemMetrics(SM_CYDRAG))
        return false;
    // A drag moves the window: no pause on release, no double click with the next press.
    pointer.pendingClick = false;
    pointer.previousPressTick = 0;
    POINT screen;
    GetCursorPos(&screen);
    ReleaseCapture();
    SendMessageW(mainWindow, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
    return true;
}

void layoutVideo() {
    if (!videoWindow) return;
    RECT client;
    GetClientRect(mainWindow, &client);
    int top = titleBarHeight();
    int height = client.bottom - top - HudBottomReserve();
    MoveWindow(videoWindow, 0, top, client.right, height > 0 ? height : 0, TRUE);
    if (fillScreen) recomputeFill();
}

void toggleFullscreen(bool leaveOnly) {
    if (fullScreen) {
        fullScreen = false;
        setTitleBarHidden(false);
        SetHudTopOffset(titleBarHeight());
        SetHudFullScreen(false);
        // A window that was maximised when it went full screen still carries the maximised
        // style; without it the placement maximises it afresh, with the frame hanging over the
        // screen's edges as before, instead of keeping the frameless full-screen rectangle.
        LONG_PTR style = GetWindowLongPtrW(mainWindow, GWL_STYLE) | WS_OVERLAPPEDWINDOW;
        SetWindowLongPtrW(mainWindow, GWL_STYLE, style & ~LONG_PTR(WS_MAXIMIZE));
        SetWindowPlacement(mainWindow, &savedPlacement);
        SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    } else if (!leaveOnly) {
        savedPlacement.length = sizeof savedPlacement;
        GetWindowPlacement(mainWindow, &savedPlacement);
        MONITORINFO monitor = {sizeof monitor};
        GetMonitorInfoW(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
        fullScreen = true;
        setTitleBarHidden(true);
        SetHudTopOffset(0);
        SetHudFullScreen(true);
        SetWindowLongPtrW(mainWindow, GWL_STYLE, GetWindowLongPtrW(mainWindow, GWL_STYLE) & ~LONG_PTR(WS_OVERLAPPEDWINDOW));
        const RECT& r = monitor.rcMonitor;
        SetWindowPos(mainWindow, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_FRAMECHANGED);
    }
    layoutVideo();
    InvalidateRect(mainWindow, nullptr, FALSE);
    RelayoutHud();
}

void sizeToPicture(double factor) {
    if (!engineRunning() || fullScreen) return;
    long long width = 0, height = 0;
    if (!engineGetInt64("dwidth", width) || !engineGetInt64("dheight", height) || width <= 0 || height <= 0) return;
    if (IsZoomed(mainWindow)) ShowWindow(mainWindow, SW_RESTORE);
    int clientWidth = int(double(width) * factor);
    int clientHeight = int(double(height) * factor) + titleBarHeight() + HudBottomReserve();
    int windowWidth, windowHeight;
    windowSizeForClient(clientWidth, clientHeight, windowWidth, windowHeight);
    SetWindowPos(mainWindow, nullptr, 0, 0, windowWidth, windowHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void toggleMaximize() { ShowWindow(mainWindow, IsZoomed(mainWindow) ? SW_RESTORE : SW_MAXIMIZE); }

void toggleAlwaysOnTop() {
    alwaysOnTop = !alwaysOnTop;
    SetWindowPos(mainWindow, alwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT CALLBACK videoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT) break;
            SetCursor(pointer.cursorHidden ? nullptr : LoadCursorW(nullptr, IDC_ARROW));
            return TRUE;
        case WM_MOUSEMOVE:
            return onPictureMouseMove(window, wParam, lParam);
        case WM_LBUTTONDOWN:
            SetCapture(window);
            return forwardToMain(window, message, wParam, lParam);
        case WM_LBUTTONUP:
            ReleaseCapture();
            return forwardToMain(window, message, wParam, lParam);
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
            return forwardToMain(window, message, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            return 0;
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP:
        case WM_XBUTTONDBLCLK:
            PostMessageW(mainWindow, message, wParam, lParam);
            return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
