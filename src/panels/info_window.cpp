#include "panels/info_window.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/diaglog.h"
#include "app/startup.h"
#include "osd/engine_access.h"
#include "osd/hud.h"
#include "osd/panel_kit.h"
#include "panels/info_access.h"
#include "panels/info_core.h"
#include "panels/language.h"

namespace {

constexpr UINT_PTR kCopiedTimer = 1;
constexpr unsigned kCopiedMs = 1800, kCopiedTimerMs = 1900;
constexpr int kWheelStep = 63;
enum Hover { kHoverNone = 0, kHoverClose = 1, kHoverCopy = 2 };

PanelHandle info;
EngineAccess engine = {};
void (*showMessage)(const wchar_t* label, const wchar_t* value) = nullptr;
std::vector<InfoRow> infoRows;
int contentHeight = 0;
int infoScroll = 0;
int infoHeight = 160;
POINT position = {0, 0};
int infoHover = kHoverNone;
uint32_t copiedUntil = 0;
bool tracking = false;
unsigned refreshTicks = 0;

void rebuildInfoRows() {
    infoRows = buildInfoRows({engine.getDouble, engine.getText}, tr);
    contentHeight = infoContentHeight(infoRows);
}

void placeInfoWindow() {
    RECT client = OwnerClientOnScreen(info.owner);
    int top = PanelTopInset();
    infoHeight = floatingPanelHeight(contentHeight, client.bottom - client.top, HudBottomReserve(), top, UiScale());
    infoScroll = clampPanelScroll(infoScroll, contentHeight, infoHeight);
    int width = client.right - client.left;
    position.x = client.left + std::max((width - ScalePx(kFloatingPanelWidth)) / 2, ScalePx(8));
    position.y = client.top + top + ScalePx(16);
}

// The picture last handed to the window and what it shows. A refresh redraws only the rows
// whose text changed: GDI+ renders every string glyph by glyph, and a full repaint of the
// panel costs many times the once-a-second budget.
struct Frame {
    std::unique_ptr<Canvas> canvas;
    std::vector<InfoRow> rows;
    int height = 0, scroll = 0, hover = -1;
    POINT position = {0, 0};
    bool copied = false;
    std::string language;
};
Frame frame;

// The logical area patched since the last presentation.
RECT dirtyArea = {0, 0, 0, 0};

// Puts the panel's background back over a band, as if nothing had been drawn there.
void clearBand(GpGraphics* g, float x, float y, float w, float h) {
    using namespace Gdiplus::DllExports;
    RECT band = {LONG(x), LONG(y), LONG(x + w), LONG(y + h)};
    UnionRect(&dirtyArea, &dirtyArea, &band);
    GdipSetCompositingMode(g, Gdiplus::CompositingModeSourceCopy);
    GdipSetSmoothingMode(g, Gdiplus::SmoothingModeNone);
    FillBox(g, PanelNavyDense, x, y, w, h);
    GdipSetSmoothingMode(g, Gdiplus::SmoothingModeAntiAlias);
    GdipSetCompositingMode(g, Gdiplus::CompositingModeSourceOver);
}

void drawButtons(GpGraphics* g, bool copied) {
    bool copyHovered = infoHover == kHoverCopy;
    if (copyHovered) FillBox(g, AccentCyan(34), 444, 10, 140, 26);
    OutlineBox(g, AccentCyan(copyHovered ? 170 : 80), 444.5f, 10.5f, 139, 25);
    if (copied)
        DrawTextBox(g, tr(L"คัดลอกแล้ว"), UiFont(), AccentCyan(255), 444, 10, 140, 26, kAlignCentre);
    else
        DrawTextBox(g, tr(L"คัดลอกทั้งหมด"), UiFont(), copyHovered ? TextBright(255) : TextMuted(255), 444, 10, 140,
                    26, kAlignCentre);
    DrawPanelCloseCross(g, 602, 11, infoHover == kHoverClose);
}

void drawRow(GpGraphics* g, const InfoRow& row, float top) {
    if (row.kind == kSectionHeading) {
        FillBox(g, AccentCyan(255), 18, top + 12, 3, 10);
        DrawTextBox(g, infoDrawnText(row.label).c_str(), MonoFontSmall(), AccentCyan(255), 28, top + 6, 594, 22,
                    kAlignNear);
    } else {
        DrawTextBox(g, infoDrawnText(row.label).c_str(), UiFont(), TextMuted(255), 28, top, 150, 21, kAlignNear);
        Argb colour = row.highlight ? AccentCyan(255) : TextBright(255);
        DrawTextBox(g, infoDrawnText(row.value).c_str(), MonoFont(), colour, 178, top, 436, 21, kAlignNear);
    }
}

bool sameRow(const InfoRow& a, const InfoRow& b) {
    return a.kind == b.kind && a.highlight == b.highlight && a.label == b.label && a.value == b.value;
}

// Draws the rows in view; with `onlyChanged`, only those that differ from the last frame's,
// each over a cleared band. Returns how many it drew.
int drawRows(GpGraphics* g, float h, bool onlyChanged) {
    int drawn = 0;
    Gdiplus::DllExports::GdipSetClipRect(g, 0, 47, kFloatingPanelWidth, h - kFloatingPanelChrome,
                                         Gdiplus::CombineModeReplace);
    int y = 46 - infoScroll;
    for (size_t i = 0; i < infoRows.size(); ++i) {
        const InfoRow& row = infoRows[i];
        int rowHeight = infoRowHeight(row);
        if (y + rowHeight >= 46 && y <= h && !(onlyChanged && sameRow(row, frame.rows[i]))) {
            if (onlyChanged) clearBand(g, 14, float(y), 612, float(rowHeight));
            drawRow(g, row, float(y));
            ++drawn;
        }
        y += rowHeight;
    }
    Gdiplus::DllExports::GdipResetClip(g);
    return drawn;
}

void paintWhole(GpGraphics* g, bool copied) {
    float w = kFloatingPanelWidth, h = float(infoHeight);
    FillBox(g, PanelNavyDense, 0, 0, w, h);
    OutlineBox(g, AccentCyan(46), 0.5f, 0.5f, w - 1, h - 1);
    const PointF topLeft[3] = {PointF(1, 17), PointF(1, 1), PointF(17, 1)};
    const PointF bottomRight[3] = {PointF(w - 1, h - 17), PointF(w - 1, h - 1), PointF(w - 17, h - 1)};
    GlowPolyline(g, AccentCyan(255), topLeft);
    GlowPolyline(g, AccentCyan(255), bottomRight);
    DrawTextBox(g, tr(L"ข้อมูลไฟล์"), UiFont(), AccentCyan(255), 18, 0, 160, 46, kAlignNear);
    DrawTextBox(g, L"F1", MonoFontSmall(), TextMuted(255), 120, 0, 40, 46, kAlignNear);
    drawButtons(g, copied);
    FillBox(g, AccentCyan(34), 14, 46, 612, 1);
    drawRows(g, h, false);
    ScrollThumb thumb = panelScrollThumb(contentHeight, infoHeight, infoScroll);
    if (thumb.shown) {
        FillBox(g, AccentCyan(24), 628, 50, 3, thumb.trackLength);
        FillBox(g, AccentCyan(150), 628, thumb.top, 3, thumb.length);
    }
}

// The same rows in the same places: only texts changed, so the frame can be patched.
bool framePatchable(int width, int height) {
    if (!frame.canvas || !frame.canvas->graphics || frame.canvas->width != width || frame.canvas->height != height)
        return false;
    if (frame.height != infoHeight || frame.scroll != infoScroll || frame.language != currentLanguage() ||
        frame.rows.size() != infoRows.size())
        return false;
    for (size_t i = 0; i < infoRows.size(); ++i)
        if (frame.rows[i].kind != infoRows[i].kind) return false;
    return true;
}

// The patched area in real pixels, a pixel wider on each side for the rounding of the scale.
RECT dirtyPixels() {
    float scale = UiScale();
    RECT dirty = {LONG(float(dirtyArea.left) * scale) - 1, LONG(float(dirtyArea.top) * scale) - 1,
                  LONG(float(dirtyArea.right) * scale) + 2, LONG(float(dirtyArea.bottom) * scale) + 2};
    RECT whole = {0, 0, frame.canvas->width, frame.canvas->height};
    IntersectRect(&dirty, &dirty, &whole);
    return dirty;
}

void paintInfoWindow() {
    if (!info.window || !info.visible) return;
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceCounter(&start);
    bool copied = copiedShown(copiedUntil, GetTickCount());
    int width = ScalePx(kFloatingPanelWidth), height = ScalePx(infoHeight);
    bool patch = framePatchable(width, height);
    bool changed = !patch;
    if (patch) {
        GpGraphics* g = frame.canvas->graphics;
        if (frame.hover != infoHover || frame.copied != copied) {
            clearBand(g, 440, 8, 190, 32);
            drawButtons(g, copied);
            changed = true;
        }
        changed = drawRows(g, float(infoHeight), true) > 0 || changed;
    } else {
        frame.canvas.reset(new Canvas(width, height));
        if (!frame.canvas->graphics) return;
        paintWhole(frame.canvas->graphics, copied);
    }
    // Handing the picture over costs more than all the reads of a refresh: only what changed
    // goes, and nothing when nothing did.
    bool moved = frame.position.x != position.x || frame.position.y != position.y;
    bool shown = IsWindowVisible(info.window);
    bool partDone = patch && changed && !moved && shown && PresentPanelPart(info.window, *frame.canvas, dirtyPixels());
    if (!partDone && (changed || moved || !shown)) {
        if (!PresentPanel(info.window, *frame.canvas, position.x, position.y)) frame.canvas.reset();
    }
    SetRectEmpty(&dirtyArea);
    frame.position = position;
    frame.rows = infoRows;
    frame.height = infoHeight;
    frame.scroll = infoScroll;
    frame.hover = infoHover;
    frame.copied = copied;
    frame.language = currentLanguage();
    if (testMode) {
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        diagLog("info_paint rows=%u height=%d scroll=%d %s us=%.0f", unsigned(infoRows.size()), infoHeight,
                infoScroll, !patch ? "whole" : changed ? "patch" : "same",
                double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart));
    }
}

void refresh() {
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceCounter(&start);
    rebuildInfoRows();
    placeInfoWindow();
    paintInfoWindow();
    if (testMode) {
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        diagLog("info_refresh us=%.0f", double(end.QuadPart - start.QuadPart) * 1e6 / double(frequency.QuadPart));
    }
}

void copyAll() {
    std::wstring text = infoClipboardText(infoRows, tr(L"ข้อมูลไฟล์"));
    if (!copyTextToClipboard(info.owner, text)) {
        if (showMessage) showMessage(L"CLIPBOARD", L"COPY FAILED");
        return;
    }
    copiedUntil = GetTickCount() + kCopiedMs;
    if (copiedUntil == 0) copiedUntil = 1;  // 0 means not copied
    paintInfoWindow();
    SetTimer(info.window, kCopiedTimer, kCopiedTimerMs, nullptr);
}

int hoverAt(POINT p) {
    if (p.y < 8 || p.y > 38) return kHoverNone;
    if (p.x >= 598) return kHoverClose;
    if (p.x >= 444 && p.x <= 584) return kHoverCopy;
    return kHoverNone;
}

LRESULT CALLBACK infoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandlePanelCommonMessage(window, message, wParam, lParam, result, tracking, &kInfoAccess)) return result;
    switch (message) {
        case WM_MOUSEMOVE: {
            int hover = hoverAt(PanelMousePoint(lParam));
            if (hover != infoHover) {
                infoHover = hover;
                paintInfoWindow();
            }
            return 0;
        }
        case WM_LBUTTONUP: {
            int hit = hoverAt(PanelMousePoint(lParam));
            if (hit == kHoverClose) closeInfoWindow();
            else if (hit == kHoverCopy) copyAll();
            return 0;
        }
        case WM_MOUSEWHEEL:
            setInfoScroll(infoScroll + (GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -kWheelStep : kWheelStep));
            return 0;
        case WM_MOUSELEAVE:
            if (infoHover != kHoverNone) {
                infoHover = kHoverNone;
                paintInfoWindow();
            }
            return 0;
        case WM_TIMER:
            KillTimer(window, kCopiedTimer);
            copiedUntil = 0;
            paintInfoWindow();
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// The text block is made before the clipboard is touched, so a failure leaves the user's
// clipboard as it was; only a block the clipboard took counts as copied.
bool copyTextToClipboard(HWND owner, const std::wstring& text) {
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!block) return false;
    void* memory = GlobalLock(block);
    if (!memory) {
        GlobalFree(block);
        return false;
    }
    memcpy(memory, text.c_str(), bytes);
    GlobalUnlock(block);
    bool taken = false;
    if (OpenClipboard(owner)) {
        taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
        CloseClipboard();
    }
    if (!taken) GlobalFree(block);
    return taken;
}

void setInfoScroll(int offset) {
    infoScroll = clampPanelScroll(offset, contentHeight, infoHeight);
    paintInfoWindow();
}

void initInfoWindow(HWND owner, const EngineAccess& access,
                    void (*showMessageToast)(const wchar_t* label, const wchar_t* value)) {
    info.owner = owner;
    engine = access;
    showMessage = showMessageToast;
}

void toggleInfoWindow() {
    TogglePanel(info, L"KivoInfo", infoWindowProc, [] {
        infoScroll = 0;
        refreshTicks = 0;
        refresh();
    }, closeInfoWindow);
}

bool isInfoWindowOpen() { return info.visible; }

void closeInfoWindow() {
    if (HidePanel(info)) infoHover = kHoverNone;
}

void repositionInfoWindow() {
    if (!info.visible) return;
    placeInfoWindow();
    paintInfoWindow();
}

void infoWindowTick() {
    if (info.visible && ++refreshTicks % 10 == 0) refresh();
}

bool infoAccessView(const std::vector<InfoRow>*& rows, int& scroll, int& height, bool& copied) {
    rows = &infoRows;
    scroll = infoScroll;
    height = infoHeight;
    copied = copiedShown(copiedUntil, GetTickCount());
    return info.visible;
}

void pressInfoClose() { closeInfoWindow(); }

void pressInfoCopy() {
    if (info.visible) copyAll();
}
