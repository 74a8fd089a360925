#include "panels/titlebar.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <mutex>

#include "app/diaglog.h"
#include "osd/drawing_kit.h"
#include "panels/start_screen.h"
#include "panels/titlebar_core.h"

using namespace Gdiplus::DllExports;

namespace {

HWND titleWindow = nullptr;
bool titleBarHidden = false;
int hoveredButton = 0;
int pressedButton = 0;

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
    setStartScreenCallbacks({callbacks.onOpenFile, callbacks.onPlayHistoryEntry});
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
    return captionHitCode(p.x, p.y, client.right, titleBarHeight(), IsZoomed(window) != 0, UiScale());
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
            if (pressed == hitCode) pressCaptionButton(window, hitCode);
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

void pressCaptionButton(HWND window, long long hitCode) {
    if (hitCode == HTMINBUTTON) ShowWindow(window, SW_MINIMIZE);
    else if (hitCode == HTMAXBUTTON) ShowWindow(window, IsZoomed(window) ? SW_RESTORE : SW_MAXIMIZE);
    else if (hitCode == HTCLOSE) PostMessageW(window, WM_CLOSE, 0, 0);
}

namespace {

std::wstring titleText;

// The plain window colours, used until the start screen can be drawn.
void paintPlain(HDC dc, int width, int height, int top) {
    HBRUSH body = CreateSolidBrush(RGB(0x02, 0x07, 0x0D));
    RECT below = {0, top, width, height};
    FillRect(dc, &below, body);
    DeleteObject(body);
    if (top > 0 && !titleBarHidden) {
        HBRUSH bar = CreateSolidBrush(RGB(0x04, 0x0D, 0x15));
        RECT strip = {0, 0, width, std::min(top, titleBarHeight())};
        FillRect(dc, &strip, bar);
        DeleteObject(bar);
    }
}

void paintCaptionButton(GpGraphics* g, int code, float x) {
    bool hovered = hoveredButton == code, pressed = pressedButton == code;
    if (hovered || pressed) {
        Argb back = code == HTCLOSE ? (pressed ? 0xFFE81123 : 0xDCE81123) : AccentCyan(pressed ? 60 : 32);
        FillBox(g, back, x, 0, kCaptionButtonWidth, 35);
    }
    Argb glyph = !hovered ? 0xDCD6F5FF : code == HTCLOSE ? 0xFFFFFFFF : AccentCyan(255);
    float gx = x + kCaptionButtonWidth / 2;
    if (code == HTMINBUTTON) {
        const PointF line[] = {{gx - 5, 18}, {gx + 5, 18}};
        DrawPolyline(g, glyph, 1.2f, line, 2);
    } else if (code == HTMAXBUTTON && IsZoomed(titleWindow)) {
        const PointF square[] = {{gx - 5, 15}, {gx + 3, 15}, {gx + 3, 23}, {gx - 5, 23}, {gx - 5, 15}};
        const PointF behind[] = {{gx - 3, 13}, {gx + 5, 13}, {gx + 5, 21}};
        DrawPolyline(g, glyph, 1.2f, square, 5);
        DrawPolyline(g, glyph, 1.2f, behind, 3);
    } else if (code == HTMAXBUTTON) {
        const PointF square[] = {{gx - 5, 13}, {gx + 5, 13}, {gx + 5, 23}, {gx - 5, 23}, {gx - 5, 13}};
        DrawPolyline(g, glyph, 1.2f, square, 5);
    } else {
        const PointF one[] = {{gx - 5, 13}, {gx + 5, 23}}, other[] = {{gx + 5, 13}, {gx - 5, 23}};
        DrawPolyline(g, glyph, 1.2f, one, 2);
        DrawPolyline(g, glyph, 1.2f, other, 2);
    }
}

void paintTitleBar(GpGraphics* g, float W) {
    FillBox(g, 0xFF040D15, 0, 0, W, kTitleBarLogicalHeight);
    FillBox(g, AccentCyan(40), 0, kTitleBarLogicalHeight - 1, W, 1);
    drawHexLogo(g, 21, 18, 9, 1.2f);
    GpFont* font = StartTextFont();
    static GpFont* measuredFont = nullptr;
    static float labelWidth = 0;
    if (font != measuredFont) {
        measuredFont = font;
        labelWidth = MeasureText(L"KIVOPLAYER", font).Width;
    }
    DrawTextBox(g, L"KIVOPLAYER", font, AccentCyan(255), 38, 0, labelWidth + 4, 36, kAlignNear);
    DrawTextBox(g, L"// KIVO LABS", MonoFontSmall(), TextMuted(255), 44 + labelWidth, 0, 110, 36, kAlignNear);
    float room = titleTextRoom(W, labelWidth);
    if (!titleText.empty() && room > 60)
        DrawTextBox(g, titleText.c_str(), font, 0xE1D6F5FF, 158 + labelWidth, 0, room, 36, kAlignNear);
    paintCaptionButton(g, HTMINBUTTON, W - 3 * kCaptionButtonWidth);
    paintCaptionButton(g, HTMAXBUTTON, W - 2 * kCaptionButtonWidth);
    paintCaptionButton(g, HTCLOSE, W - kCaptionButtonWidth);
}

// Copies the finished picture to the window in one block transfer.
void present(HDC dc, const Canvas& canvas) {
    HBITMAP picture = canvas.dib, converted = nullptr;
    if (canvas.graphics) GdipFlush(canvas.graphics, Gdiplus::FlushIntentionSync);
    if (!picture) {
        if (!canvas.bitmap || GdipCreateHBITMAPFromBitmap(canvas.bitmap, &converted, 0) != Gdiplus::Ok) return;
        picture = converted;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(dc, 0, 0, canvas.width, canvas.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    if (converted) DeleteObject(converted);
}

}  // namespace

long long paintFrameEdges(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Where the system draws the frame itself (no compositor) its light edges would ring the
    // dark window; they are filled with the window's own background instead, also after the
    // system drew them again for an activation change or a new caption text.
    LRESULT result = 0;
    if (message == WM_NCACTIVATE) result = DefWindowProcW(window, message, wParam, -1);
    else if (message != WM_NCPAINT) result = DefWindowProcW(window, message, wParam, lParam);
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    OffsetRect(&outer, -outer.left, -outer.top);
    HDC dc = GetWindowDC(window);
    if (!dc) return result;
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    HBRUSH body = CreateSolidBrush(RGB(0x02, 0x07, 0x0D));
    FillRect(dc, &outer, body);
    DeleteObject(body);
    ReleaseDC(window, dc);
    return result;
}

void invalidateTitleBar() {
    if (titleWindow) invalidateTitleBar(titleWindow);
}

void paintMainWindow(HDC dc, int width, int height) {
    if (width < 1 || height < 1) return;
    if (!startScreenReady()) {
        paintPlain(dc, width, height, titleBarHeight());
        return;
    }
    // Under a playing picture only the title bar needs drawing; the rest is hidden by the
    // picture window and gets the plain background.
    // A caption button's hover repaints the title bar strip alone.
    RECT clip = {0, 0, width, height};
    GetClipBox(dc, &clip);
    bool barOnly = !titleBarHidden && clip.bottom <= titleBarHeight();
    bool startScreen = startScreenShown() && !barOnly;
    int drawnHeight = startScreen ? height : std::min(height, titleBarHeight());
    if (drawnHeight < height && !barOnly) paintPlain(dc, width, height, drawnHeight);
    if (drawnHeight < 1) return;
    Canvas canvas(width, drawnHeight);
    GpGraphics* g = canvas.graphics;
    if (!g) return;
    GdipSetTextRenderingHint(g, Gdiplus::TextRenderingHintClearTypeGridFit);
    float scale = UiScale(), W = width / scale, H = height / scale;
    float T = titleBarHidden ? 0 : kTitleBarLogicalHeight;
    FillBox(g, 0xFF02070D, 0, 0, W, H);
    if (startScreen) paintStartScreen(g, W, H, T);
    if (!titleBarHidden) paintTitleBar(g, W);
    present(dc, canvas);
    static bool firstDrawn = false;
    if (!firstDrawn && startScreen) diagLog("start_screen_paint_ms=%.1f", processMs());
    firstDrawn = firstDrawn || startScreen;
}

void setTitleText(const std::wstring& text) {
    titleText = text;
    invalidateTitleBar();
}

void setTitleBarHidden(bool hidden) { titleBarHidden = hidden; }
