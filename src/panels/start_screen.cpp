#include "panels/start_screen.h"

#include <windows.h>

#include <cmath>
#include <map>
#include <vector>

#include "app/mainwindow.h"
#include "panels/history.h"
#include "panels/history_core.h"
#include "panels/language.h"
#include "panels/titlebar_core.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

StartScreenCallbacks actions;
bool startScreenVisible = true;
bool ready = false;
int startHover = kItemNothing;
uint32_t clearArmedUntil = 0;
constexpr UINT_PTR kClearTimerId = 77;
constexpr UINT kClearTimerMs = kClearArmedMs + 100;

// Hit areas of the last paint.
StartLayout paintedLayout;
std::vector<FloatBox> paintedRows;

GpFont* titleFont = nullptr;
GpFont* buttonFont = nullptr;
GpFont* textFont = nullptr;

GpFont* fontLike(GpFont* model, float size) {
    GpFontFamily* family = nullptr;
    GpFont* font = nullptr;
    if (!model || GdipGetFamily(model, &family) != Ok) return nullptr;
    if (GdipCreateFont(family, size, FontStyleRegular, UnitPixel, &font) != Ok) font = nullptr;
    GdipDeleteFontFamily(family);
    return font;
}

GpPen* mitredPen(Argb colour, float width) {
    static std::map<std::pair<Argb, float>, GpPen*> pens;
    GpPen*& made = pens[{colour, width}];
    if (!made && GdipCreatePen1(colour, width, UnitWorld, &made) == Ok) GdipSetPenLineJoin(made, LineJoinMiter);
    return made;
}

// A circle fading from `colour` in its centre to nothing at its edge.
void radialGlow(GpGraphics* g, float x, float y, float radius, Argb colour) {
    GpPath* path = nullptr;
    if (radius <= 0 || GdipCreatePath(FillModeAlternate, &path) != Ok) return;
    GdipAddPathEllipse(path, x - radius, y - radius, 2 * radius, 2 * radius);
    GpPathGradient* brush = nullptr;
    if (GdipCreatePathGradientFromPath(path, &brush) == Ok) {
        ARGB edge = colour & 0x00FFFFFFu;
        INT count = 1;
        GdipSetPathGradientCenterColor(brush, colour);
        GdipSetPathGradientSurroundColorsWithCount(brush, &edge, &count);
        GdipFillPath(g, brush, path);
        GdipDeleteBrush(brush);
    }
    GdipDeletePath(path);
}

// Corners of a hexagon of radius 1, starting at `firstDegrees`, closed.
void hexagon(PointF (&points)[7], float x, float y, float radius, float firstDegrees) {
    for (int i = 0; i < 7; ++i) {
        float a = float((firstDegrees + 60.0f * (i % 6)) * M_PI / 180.0);
        points[i] = PointF(x + radius * std::cos(a), y + radius * std::sin(a));
    }
}

void paintHoneycomb(GpGraphics* g, float W, float H, float T) {
    constexpr float step = 38.105118f, radius = 22;
    for (int row = 0;; ++row) {
        float y = T + 33.0f * row;
        if (y > H + 22) break;
        for (float x = row % 2 ? -step / 2 : -step; x < W + step; x += step) {
            int alpha = honeycombAlpha(x, y, W, H, T);
            if (alpha <= 0) continue;
            PointF points[7];
            hexagon(points, x, y, radius, -30);
            DrawPolyline(g, AccentCyan(alpha), 1, points, 7);
        }
    }
}

void paintOpenButton(GpGraphics* g, const FloatBox& b) {
    float x0 = b.x, y0 = b.y;
    const PointF glow[] = {{x0 + 10, y0 - 4}, {x0 + 196, y0 - 4}, {x0 + 196, y0 + 32},
                           {x0 + 178, y0 + 50}, {x0 - 4, y0 + 50}, {x0 - 4, y0 + 10}};
    FillPolygonSolid(g, AccentCyan(startHover == kItemOpen ? 80 : 40), glow, 6);
    const PointF body[] = {{x0 + 12, y0}, {x0 + 192, y0}, {x0 + 192, y0 + 34},
                           {x0 + 180, y0 + 46}, {x0, y0 + 46}, {x0, y0 + 12}};
    GradientPolygon(g, body, 6, y0, y0 + 46, WrapModeTileFlipXY);
    DrawTextBox(g, tr(L"เปิดไฟล์"), buttonFont, GlyphNavy, b.x, b.y, b.w, b.h, kAlignCentre);
}

void paintHistoryList(GpGraphics* g, const StartLayout& l) {
    float lx = l.cx - 240, Ly = l.listTop;
    DrawTextBox(g, tr(L"ดูต่อจากที่ค้างไว้"), textFont, AccentCyan(255), lx, Ly, 300, 24, kAlignNear);
    const FloatBox& c = l.clearAction;
    if (clearArmed(clearArmedUntil, GetTickCount()))
        DrawTextBox(g, tr(L"กดอีกครั้งเพื่อล้าง"), textFont, AmberWarn(255), c.x, c.y, c.w, c.h, kAlignFar);
    else
        DrawTextBox(g, tr(L"ล้างประวัติ"), textFont, startHover == kItemClear ? AccentCyan(255) : TextMuted(255), c.x,
                    c.y, c.w, c.h, kAlignFar);
    FillBox(g, AccentCyan(30), lx, Ly + 28, 480, 1);
    for (int i = 0; i < l.rows; ++i) {
        const HistoryEntry& entry = historyEntry(i);
        FloatBox row = {lx, Ly + 32 + kHistoryRowHeight * i, 480, kHistoryRowHeight};
        paintedRows.push_back(row);
        bool hovered = startHover == i;
        std::string time = resumeTimeText(entry.seconds);
        if (hovered) {
            FillBox(g, AccentCyan(30), row.x, row.y, row.w, row.h);
            FillBox(g, AccentCyan(255), lx, row.y + 4, 2, 24);
        }
        DrawTextBox(g, entry.name.c_str(), textFont, hovered ? 0xFFFFFFFF : TextBright(255), lx + 14, row.y, 370,
                    row.h, kAlignNear);
        DrawTextBox(g, std::wstring(time.begin(), time.end()).c_str(), MonoFont(), AccentCyan(255), lx, row.y, 468, row.h,
                    kAlignFar);
    }
}

int itemAt(int x, int y) {
    float scale = UiScale();
    int item = startScreenItemAt(x / scale, y / scale, paintedLayout, paintedRows);
    if (item == kItemClear && historyCount() == 0) return kItemNothing;
    return item;
}

void CALLBACK clearTimerEnded(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    clearArmedUntil = 0;
    InvalidateRect(window, nullptr, FALSE);
}

}  // namespace

void setStartScreenCallbacks(const StartScreenCallbacks& callbacks) { actions = callbacks; }

bool startScreenReady() { return ready; }
GpFont* StartTextFont() { return textFont; }

void initStartScreen() {
    InitDrawingKit();
    if (!titleFont) titleFont = fontLike(UiFont(), 30);
    if (!buttonFont) buttonFont = fontLike(UiFont(), 16);
    if (!textFont) textFont = fontLike(UiFont(), 13);
    ready = true;
    if (mainWindow) InvalidateRect(mainWindow, nullptr, FALSE);
}

void setStartScreenShown(bool shown) {
    startScreenVisible = shown;
    startHover = kItemNothing;
    if (mainWindow) InvalidateRect(mainWindow, nullptr, FALSE);
}

bool startScreenShown() { return startScreenVisible; }

void drawHexLogo(GpGraphics* g, float x, float y, float r, float w) {
    PointF outline[7];
    hexagon(outline, x, y, r, -90);
    const struct {
        unsigned alpha;
        float extra;
    } passes[] = {{30, 6}, {70, 3}, {255, 0}};
    for (const auto& pass : passes)
        if (GpPen* pen = mitredPen(AccentCyan(pass.alpha), w + pass.extra)) GdipDrawLines(g, pen, outline, 7);
    float k = 0.42f * r;
    const PointF triangle[] = {{x - 0.8f * k, y - k}, {x + 1.1f * k, y}, {x - 0.8f * k, y + k}};
    GradientPolygon(g, triangle, 3, y - k, y + k, WrapModeTileFlipXY);
}

void paintStartScreen(GpGraphics* g, float W, float H, float T) {
    paintedRows.clear();
    paintedLayout = StartLayout();
    float H2 = H - T;
    if (H2 <= 0 || W <= 0) return;  // nothing below the title bar to paint into
    float M = W > H ? W : H;
    radialGlow(g, 0.3f * W, T + 0.35f * H2, 0.55f * M, 0x2200E5FF);
    radialGlow(g, 0.85f * W, 0.95f * H, 0.45f * M, 0x180078FF);
    paintHoneycomb(g, W, H, T);
    for (float y = T; y < H; y += 3) FillBox(g, 0x0700E5FF, 0, y, W, 1);
    const PointF topLeft[3] = {{14, T + 30}, {14, T + 14}, {30, T + 14}};
    const PointF bottomRight[3] = {{W - 14, H - 30}, {W - 14, H - 14}, {W - 30, H - 14}};
    GlowPolyline(g, AccentCyan(255), topLeft);
    GlowPolyline(g, AccentCyan(255), bottomRight);

    StartLayout l = startScreenLayout(W, H, T, historyCount());
    drawHexLogo(g, l.cx, l.cy - 74, 42, 2.2f);
    DrawTextBox(g, L"K I V O P L A Y E R", titleFont, AccentCyan(60), l.cx - 299, l.cy - 25, 600, 40, kAlignCentre);
    DrawTextBox(g, L"K I V O P L A Y E R", titleFont, AccentCyan(255), l.cx - 300, l.cy - 26, 600, 40, kAlignCentre);
    DrawTextBox(g, L"KIVO LABS  //  VIDEO PLAYER", MonoFontSmall(), TextMuted(255), l.cx - 300, l.cy + 14, 600, 20,
                kAlignCentre);
    paintOpenButton(g, l.openButton);
    DrawTextBox(g, tr(L"หรือลากไฟล์วิดีโอมาวางที่นี่   ·   Ctrl+O"), textFont, TextMuted(255), l.cx - 300, l.cy + 100, 600,
                24, kAlignCentre);
    paintedLayout = l;
    if (l.rows > 0) paintHistoryList(g, l);
}

void startScreenMouseMove(HWND window, int x, int y) {
    if (!startScreenVisible) return;
    int item = itemAt(x, y);
    if (item != startHover) {
        startHover = item;
        InvalidateRect(window, nullptr, FALSE);
    }
    if (item != kItemNothing) SetCursor(LoadCursorW(nullptr, IDC_HAND));
}

void startScreenClick(HWND window, int x, int y) {
    startScreenActivate(window, itemAt(x, y));
}

void startScreenActivate(HWND window, int item) {
    if (!startScreenVisible) return;
    if (item == kItemOpen) {
        if (actions.onOpenFile) actions.onOpenFile();
    } else if (item >= 0 && item < historyCount()) {
        std::wstring path = historyEntry(item).path;
        if (actions.onPlayHistoryEntry) actions.onPlayHistoryEntry(path);
    } else if (item == kItemClear) {
        if (clearActionClick(clearArmedUntil, GetTickCount())) {
            KillTimer(window, kClearTimerId);
            clearWatchHistory();
        } else {
            SetTimer(window, kClearTimerId, kClearTimerMs, clearTimerEnded);
        }
        InvalidateRect(window, nullptr, FALSE);
    }
}

void fillStartScreenAccessView(MainAccessView& view) {
    view.startScreen = startScreenVisible && ready;
    view.clearArmed = clearArmed(clearArmedUntil, GetTickCount());
    view.layout = paintedLayout;
    view.rows = paintedRows;
    for (size_t i = 0; i < paintedRows.size() && int(i) < historyCount(); ++i) {
        const HistoryEntry& entry = historyEntry(int(i));
        std::string time = resumeTimeText(entry.seconds);
        view.rowNames.push_back(entry.name);
        view.rowTimes.emplace_back(time.begin(), time.end());
    }
    view.rows.resize(view.rowNames.size());
}
