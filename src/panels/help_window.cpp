#include "panels/help_window.h"

#include <algorithm>
#include <memory>
#include <cwchar>

#include "app/diaglog.h"
#include "app/startup.h"
#include "osd/hud.h"
#include "osd/panel_kit.h"
#include "panels/help_access.h"
#include "panels/help_core.h"
#include "panels/info_core.h"
#include "panels/language.h"

namespace {

constexpr int kWheelStep = 69;

PanelHandle help;
int helpScroll = 0;
int helpHeight = 160;
POINT position = {0, 0};
bool helpCloseHover = false;
bool tracking = false;

void placeHelpWindow() {
    RECT client = OwnerClientOnScreen(help.owner);
    int top = PanelTopInset();
    int content = helpContentHeight();
    helpHeight = floatingPanelHeight(content, client.bottom - client.top, HudBottomReserve(), top, UiScale());
    helpScroll = clampPanelScroll(helpScroll, content, helpHeight);
    int width = client.right - client.left;
    position.x = client.left + std::max((width - ScalePx(kFloatingPanelWidth)) / 2, ScalePx(8));
    position.y = client.top + top + ScalePx(16);
}

// The whole list, drawn once for a language and scale: a scroll or a hover then copies the
// part in view instead of drawing some forty strings again, each glyph by glyph.
struct ListPicture {
    std::unique_ptr<Canvas> canvas;
    bool thai = false;
    float scale = 0;
};
ListPicture list;

const Canvas* listPicture(bool thai) {
    float scale = UiScale();
    if (list.canvas && list.thai == thai && list.scale == scale) return list.canvas.get();
    list.canvas.reset(new Canvas(ScalePx(kFloatingPanelWidth), ScalePx(helpContentHeight())));
    GpGraphics* g = list.canvas->graphics;
    if (!g) {
        list.canvas.reset();
        return nullptr;
    }
    float y = 0;
    for (const HelpRow& row : helpRows) {
        if (!row.key) {
            FillBox(g, AccentCyan(255), 18, y + 13, 3, 12);
            DrawTextBox(g, helpDescription(row, thai), UiFont(), AccentCyan(255), 28, y + 6, 594, 26, kAlignNear);
        } else {
            const wchar_t* key = helpKeyText(row, thai);
            DrawTextBox(g, key, MonoFont(), TextBright(255), 28, y, 170, 23, kAlignNear);
            DrawTextBox(g, helpDescription(row, thai), UiFont(), 0xCDD6F5FF, 198, y, 416, 23, kAlignNear);
        }
        y += row.key ? kHelpActionHeight : kHelpHeadingHeight;
    }
    Gdiplus::DllExports::GdipFlush(g, Gdiplus::FlushIntentionSync);
    list.thai = thai;
    list.scale = scale;
    return list.canvas.get();
}

// The rows in view: the list's band from the scroll offset, copied pixel for pixel below the
// separator line.
void drawRows(GpGraphics* g, float h, bool thai) {
    using namespace Gdiplus::DllExports;
    const Canvas* picture = listPicture(thai);
    if (!picture) return;
    float scale = UiScale(), top = float(helpScroll + 1) * scale;
    float band = std::min((h - kFloatingPanelChrome) * scale, float(picture->height) - top);
    if (band <= 0) return;
    GdipSetInterpolationMode(g, Gdiplus::InterpolationModeNearestNeighbor);
    GdipDrawImageRectRect(g, reinterpret_cast<Gdiplus::GpImage*>(picture->bitmap), 0, 47, kFloatingPanelWidth,
                          band / scale, 0, top, float(picture->width), band, Gdiplus::UnitPixel, nullptr, nullptr,
                          nullptr);
}

void paintHelpWindow() {
    if (!help.window || !help.visible) return;
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceCounter(&start);
    bool thai = helpInThai(currentLanguage().c_str());
    Canvas canvas(ScalePx(kFloatingPanelWidth), ScalePx(helpHeight));
    GpGraphics* g = canvas.graphics;
    float w = kFloatingPanelWidth, h = float(helpHeight);
    FillBox(g, PanelNavyDensest, 0, 0, w, h);
    OutlineBox(g, AccentCyan(46), 0.5f, 0.5f, w - 1, h - 1);
    const PointF topLeft[3] = {PointF(1, 17), PointF(1, 1), PointF(17, 1)};
    const PointF bottomRight[3] = {PointF(w - 1, h - 17), PointF(w - 1, h - 1), PointF(w - 17, h - 1)};
    GlowPolyline(g, AccentCyan(255), topLeft);
    GlowPolyline(g, AccentCyan(255), bottomRight);
    DrawTextBox(g, thai ? L"วิธีใช้งาน" : L"How to use", UiFont(), AccentCyan(255), 18, 0, 160, 46, kAlignNear);
    wchar_t count[64];
    swprintf(count, 64,
             thai ? L"ทั้งหมด %d รายการ  ·  หมุนลูกกลิ้งเพื่อเลื่อน" : L"%d actions  ·  use the wheel to scroll",
             helpActionCount());
    DrawTextBox(g, count, MonoFontSmall(), TextMuted(255), 120, 0, 420, 46, kAlignNear);
    DrawPanelCloseCross(g, 602, 11, helpCloseHover);
    FillBox(g, AccentCyan(34), 14, 46, 612, 1);
    drawRows(g, h, thai);

    ScrollThumb thumb = panelScrollThumb(helpContentHeight(), helpHeight, helpScroll);
    if (thumb.shown) {
        FillBox(g, AccentCyan(24), 628, 50, 3, thumb.trackLength);
        FillBox(g, AccentCyan(150), 628, thumb.top, 3, thumb.length);
    }
    PresentPanel(help.window, canvas, position.x, position.y);
    if (testMode) {
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        diagLog("help_paint height=%d scroll=%d thai=%d us=%.0f", helpHeight, helpScroll, thai ? 1 : 0,
                double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart));
    }
}

bool overClose(POINT p) { return p.x >= 598 && p.y < 46; }

LRESULT CALLBACK helpWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandlePanelCommonMessage(window, message, wParam, lParam, result, tracking, &kHelpAccess)) return result;
    switch (message) {
        case WM_MOUSEMOVE: {
            bool hover = overClose(PanelMousePoint(lParam));
            if (hover != helpCloseHover) {
                helpCloseHover = hover;
                paintHelpWindow();
            }
            return 0;
        }
        case WM_LBUTTONUP:
            if (overClose(PanelMousePoint(lParam))) closeHelpWindow();
            return 0;
        case WM_MOUSEWHEEL:
            setHelpScroll(helpScroll + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -kWheelStep : kWheelStep));
            return 0;
        case WM_MOUSELEAVE:
            if (helpCloseHover) {
                helpCloseHover = false;
                paintHelpWindow();
            }
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void initHelpWindow(HWND owner) { help.owner = owner; }

void toggleHelpWindow() {
    TogglePanel(help, L"KivoHelp", helpWindowProc, [] {
        helpScroll = 0;
        placeHelpWindow();
        paintHelpWindow();
    }, closeHelpWindow);
}

bool isHelpWindowOpen() { return help.visible; }

void closeHelpWindow() {
    if (HidePanel(help)) helpCloseHover = false;
}

void repositionHelpWindow() {
    if (!help.visible) return;
    placeHelpWindow();
    paintHelpWindow();
}

void setHelpScroll(int offset) {
    helpScroll = clampPanelScroll(offset, helpContentHeight(), helpHeight);
    paintHelpWindow();
}

bool helpAccessView(int& scroll, int& height) {
    scroll = helpScroll;
    height = helpHeight;
    return help.visible;
}

void pressHelpClose() { closeHelpWindow(); }
