#include "panels/titlebar.h"

#include <windows.h>
#include <windowsx.h>

#include <mutex>

#include "osd/uiscale.h"

namespace {

HWND titleWindow = nullptr;
TitleBarCallbacks titleCallbacks;
bool titleBarHidden = false;
int hoveredButton = 0;
int pressedButton = 0;

bool isCaptionButton(LRESULT hit) { return hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE; }

// Frame metrics at the UI scale's dpi where the system can tell them per dpi.
int systemMetricForDpi(int index) {
    using ForDpi = int(WINAPI*)(int, UINT);
    static ForDpi forDpi = nullptr;
    static std::once_flag looked;
    std::call_once(looked, [] {
        forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    });
    if (forDpi) return forDpi(index, UINT(UiScale() * 96.0f + 0.5f));
    return GetSystemMetrics(index);
}

void invalidateTitleBar(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    RECT bar = {0, 0, client.right, titleBarHeight()};
    InvalidateRect(window, &bar, FALSE);
}

}  // namespace

void initTitleBar(HWND window, const TitleBarCallbacks& callbacks) {
    titleWindow = window;
    titleCallbacks = callbacks;
}

int titleBarHeight() { return titleBarHidden ? 0 : ScalePx(36); }

void windowSizeForClient(int clientWidth, int clientHeight, int& width, int& height) {
    if (titleBarHidden) {
        width = clientWidth;
        height = clientHeight;
        return;
    }
    int side = systemMetricForDpi(SM_CXFRAME) + systemMetricForDpi(SM_CXPADDEDBORDER);
    int bottom = systemMetricForDpi(SM_CYFRAME) + systemMetricForDpi(SM_CXPADDEDBORDER);
    width = clientWidth + 2 * side;
    height = clientHeight + bottom;
}

LRESULT frameCalcSize(HWND window, RECT* proposed) {
    int padding = systemMetricForDpi(SM_CXPADDEDBORDER);
    int side = systemMetricForDpi(SM_CXFRAME) + padding;
    int bottom = systemMetricForDpi(SM_CYFRAME) + padding;
    // No top frame: the title bar is drawn in the client area. A maximised window
    // hangs over the screen edge by the frame, so its top is moved in too.
    proposed->left += side;
    proposed->right -= side;
    proposed->bottom -= bottom;
    if (IsZoomed(window)) proposed->top += bottom;
    return 0;
}

LRESULT titleBarHitTest(HWND window, LPARAM lParam) {
    LRESULT hit = DefWindowProcW(window, WM_NCHITTEST, 0, lParam);
    if (hit != HTCLIENT) return hit;
    POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &p);
    RECT client;
    GetClientRect(window, &client);
    int width = client.right;
    if (!IsZoomed(window) && p.y < ScalePx(5)) {
        if (p.x < ScalePx(12)) return HTTOPLEFT;
        return p.x < width - ScalePx(12) ? HTTOP : HTTOPRIGHT;
    }
    if (p.y >= titleBarHeight()) return HTCLIENT;
    if (p.x >= width - ScalePx(46)) return HTCLOSE;
    if (p.x >= width - ScalePx(92)) return HTMAXBUTTON;
    if (p.x >= width - ScalePx(138)) return HTMINBUTTON;
    return HTCAPTION;
}

bool titleBarMouse(HWND window, UINT message, LRESULT hitCode) {
    switch (message) {
        case WM_NCMOUSEMOVE: {
            int hovered = isCaptionButton(hitCode) ? int(hitCode) : 0;
            if (hovered != hoveredButton) {
                hoveredButton = hovered;
                invalidateTitleBar(window);
            }
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
            TrackMouseEvent(&track);
            return false;
        }
        case WM_NCLBUTTONDOWN:
            if (!isCaptionButton(hitCode)) return false;
            pressedButton = int(hitCode);
            invalidateTitleBar(window);
            return true;
        case WM_NCLBUTTONUP: {
            if (!isCaptionButton(hitCode)) {
                pressedButton = 0;
                return false;
            }
            int pressed = pressedButton;
            pressedButton = 0;
            invalidateTitleBar(window);
            if (pressed != hitCode) return true;
            if (hitCode == HTMINBUTTON) ShowWindow(window, SW_MINIMIZE);
            else if (hitCode == HTMAXBUTTON) ShowWindow(window, IsZoomed(window) ? SW_RESTORE : SW_MAXIMIZE);
            else PostMessageW(window, WM_CLOSE, 0, 0);
            return true;
        }
        case WM_NCMOUSELEAVE:
            if (hoveredButton || pressedButton) {
                hoveredButton = pressedButton = 0;
                invalidateTitleBar(window);
            }
            return false;
    }
    return false;
}

void paintMainWindow(HDC dc, int width, int height) {
    if (width < 1 || height < 1) return;
    // Until the start screen is drawn: the plain window colours.
    HBRUSH body = CreateSolidBrush(RGB(0x02, 0x07, 0x0D));
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, body);
    DeleteObject(body);
    if (!titleBarHidden) {
        HBRUSH bar = CreateSolidBrush(RGB(0x04, 0x0D, 0x15));
        RECT top = {0, 0, width, titleBarHeight()};
        FillRect(dc, &top, bar);
        DeleteObject(bar);
    }
}

namespace {
std::wstring titleText;
bool startScreenVisible = true;
}  // namespace

void setTitleText(const std::wstring& text) {
    titleText = text;
    if (titleWindow) invalidateTitleBar(titleWindow);
}

void setStartScreenShown(bool shown) { startScreenVisible = shown; }
bool startScreenShown() { return startScreenVisible; }

void setTitleBarHidden(bool hidden) { titleBarHidden = hidden; }

void startScreenMouseMove(HWND, int, int) {}

void startScreenClick(HWND, int, int) {}

void initStartScreen() {}
