#include "osd/panel_kit.h"

#include <windowsx.h>

#include <vector>

#include "osd/accessible.h"
#include "osd/uiscale.h"

HWND CreatePanelWindow(const wchar_t* className, WNDPROC procedure, HWND owner) {
    InitDrawingKit();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = procedure;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    return CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0, 0,
                           1, 1, owner, nullptr, instance, nullptr);
}

RECT OwnerClientOnScreen(HWND owner) {
    RECT client = {};
    GetClientRect(owner, &client);
    MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

POINT CentreOver(const RECT& area, int width, int height) {
    POINT p = {area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
    MONITORINFO info = {sizeof info};
    if (GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &info)) {
        const RECT& work = info.rcWork;
        if (p.x + width > work.right) p.x = work.right - width;
        if (p.y + height > work.bottom) p.y = work.bottom - height;
        if (p.x < work.left) p.x = work.left;
        if (p.y < work.top) p.y = work.top;
    }
    return p;
}

POINT PanelMousePoint(LPARAM lParam) {
    float scale = UiScale();
    return {LONG(float(GET_X_LPARAM(lParam)) / scale), LONG(float(GET_Y_LPARAM(lParam)) / scale)};
}

void TrackMouseLeave(HWND window, bool& tracking) {
    if (tracking) return;
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window, 0};
    tracking = TrackMouseEvent(&track) != 0;
}

bool HandlePanelCommonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              const AccessProvider* access) {
    if (message == WM_GETOBJECT && access) return AnswerAccessRequest(window, wParam, lParam, *access, result);
    switch (message) {
        case WM_MOUSEACTIVATE: result = MA_NOACTIVATE; return true;
        case WM_NCHITTEST: result = HTCLIENT; return true;
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP:
        case WM_XBUTTONDBLCLK: {
            HWND owner = GetWindow(window, GW_OWNER);
            if (!owner) return false;
            POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(window, owner, &p, 1);
            PostMessageW(owner, message, wParam, MAKELPARAM(p.x, p.y));
            result = message == WM_MBUTTONDOWN ? 0 : TRUE;
            return true;
        }
    }
    return false;
}

bool PresentPanel(HWND window, const Canvas& canvas, int x, int y) {
    if (!canvas.graphics) return false;
    if (!PresentLayered(window, canvas, x, y, canvas.width, canvas.height)) return false;
    if (!IsWindowVisible(window)) ShowAboveOwner(window);
    return true;
}

bool PresentPanelPart(HWND window, const Canvas& canvas, const RECT& dirty) {
    if (!canvas.dib || !canvas.graphics || !IsWindowVisible(window)) return false;
    Gdiplus::DllExports::GdipFlush(canvas.graphics, Gdiplus::FlushIntentionSync);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, canvas.dib);
    SIZE size = {canvas.width, canvas.height};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO info = {sizeof info, screen, nullptr, &size, memory, &source, 0, &blend, ULW_ALPHA, &dirty};
    bool done = UpdateLayeredWindowIndirect(window, &info) != 0;
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return done;
}

bool OpenPanel(PanelHandle& panel, const wchar_t* className, WNDPROC procedure) {
    if (!panel.window) panel.window = CreatePanelWindow(className, procedure, panel.owner);
    if (!panel.window) return false;
    panel.visible = true;
    return true;
}

bool HidePanel(PanelHandle& panel) {
    if (!panel.visible) return false;
    panel.visible = false;
    ShowWindow(panel.window, SW_HIDE);
    NotifyShown(panel.window, false);
    return true;
}

void TogglePanel(PanelHandle& panel, const wchar_t* className, WNDPROC procedure, void (*show)(), void (*close)()) {
    if (panel.visible) {
        close();
    } else if (OpenPanel(panel, className, procedure)) {
        show();
        NotifyShown(panel.window, true);
    }
}

void DrawPanelCloseCross(GpGraphics* g, float x, float y, bool hovered) {
    if (hovered) FillBox(g, AccentCyan(34), x, y, 24, 24);
    Argb colour = hovered ? AccentCyan(255) : TextMuted(255);
    const PointF down[2] = {PointF(x + 7, y + 7), PointF(x + 17, y + 17)};
    const PointF up[2] = {PointF(x + 17, y + 7), PointF(x + 7, y + 17)};
    DrawPolyline(g, colour, 1.5f, down, 2);
    DrawPolyline(g, colour, 1.5f, up, 2);
}

namespace {
int (*panelTopInset)() = nullptr;
}

void SetPanelTopInset(int (*topInset)()) { panelTopInset = topInset; }

int PanelTopInset() { return panelTopInset ? panelTopInset() : 0; }

bool HandlePanelCommonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result,
                              bool& tracking, const AccessProvider* access) {
    if (message == WM_MOUSEMOVE) TrackMouseLeave(window, tracking);
    if (message == WM_MOUSELEAVE) tracking = false;
    return HandlePanelCommonMessage(window, message, wParam, lParam, result, access);
}

void RaiseOwnedPanels(HWND owner) {
    if (!owner) return;
    std::vector<HWND> topFirst;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w)) topFirst.push_back(w);
    for (auto w = topFirst.rbegin(); w != topFirst.rend(); ++w) ShowAboveOwner(*w);
}
