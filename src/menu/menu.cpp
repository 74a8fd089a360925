#include "menu/menu.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include "app/diaglog.h"
#include "app/mainwindow.h"
#include "app/window_modes.h"
#include "engine/engine.h"
#include "input/commands.h"
#include "input/panscan.h"
#include "menu/menu_access.h"
#include "osd/accessible.h"
#include "osd/panel_kit.h"
#include "osd/preview_window.h"
#include "panels/language.h"
#include "store/bookmarks.h"
#include "store/settings.h"

using namespace Gdiplus::DllExports;

namespace {

constexpr UINT_PTR kFileWatchTimer = 2;  // the rows belong to the file that was playing at opening
constexpr UINT kFileWatchMs = 200;

struct MenuLevel {
    HWND window = nullptr;
    MenuItems items;
    LevelLayout layout;
    int hover = -1;
    int parentRow = -1;
    int x = 0, y = 0;  // screen position, real pixels
    std::unique_ptr<Canvas> base;  // the level drawn without a highlight
    float baseScale = 0;
    float shownHeight = 0;  // unscaled; less than the layout's height when cut at the screen's edge
};

struct MenuState {
    bool open = false;
    int openLevels = 0;
    HWND owner = nullptr;
    void (*pick)(const char*) = nullptr;
    MenuLevel levels[kMaxLevels];
    std::string filePath;                    // the engine's "path" when the menu opened
};
MenuState menu;

LRESULT CALLBACK menuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND levelZeroWindow() { return menu.levels[0].window; }

std::string enginePath() {
    char path[1024] = {};
    return engineGetText("path", path, sizeof path) ? std::string(path) : std::string();
}

// The mono font has no arrows; a shortcut that holds one is drawn with the UI font.
GpFont* shortcutFont(const std::wstring& shortcut) {
    for (wchar_t c : shortcut)
        if (c >= 0x2190 && c <= 0x2193) return UiFont();
    return MonoFontSmall();
}

// Text widths, unscaled, kept between openings: most rows are the same every time.
float textWidth(const Canvas& canvas, const std::wstring& text, GpFont* font) {
    static std::unordered_map<std::wstring, float> known[2];
    if (text.empty() || !font || !canvas.graphics) return 0;
    auto& cache = known[font == UiFont() ? 0 : 1];
    auto it = cache.find(text);
    if (it != cache.end()) return it->second;
    Gdiplus::RectF layout(0, 0, 0, 0), bounds;
    if (GdipMeasureString(canvas.graphics, text.c_str(), int(text.size()), font, &layout, nullptr, &bounds, nullptr,
                          nullptr) != Gdiplus::Ok)
        return 0;
    if (cache.size() > 4096) cache.clear();  // track titles of many files must not pile up
    return cache[text] = bounds.Width;
}

void measureItems(const MenuItems& items, float& labelMax, float& shortcutMax) {
    labelMax = shortcutMax = 0;
    Canvas canvas(1, 1, false);
    for (const MenuItem& item : items) {
        if (item.separator) continue;
        labelMax = std::max(labelMax, textWidth(canvas, item.label, UiFont()));
        shortcutMax = std::max(shortcutMax, textWidth(canvas, item.shortcut, shortcutFont(item.shortcut)));
    }
}

// Background, outline and corner marks; under a clip it repaints just that part.
void paintFrame(GpGraphics* g, float w, float h) {
    GdipGraphicsClear(g, PanelNavyDense);
    OutlineBox(g, AccentCyan(46), 0, 0, w, h);
    const PointF topLeft[3] = {{1, 13}, {1, 1}, {13, 1}};
    const PointF bottomRight[3] = {{w - 1, h - 13}, {w - 1, h - 1}, {w - 13, h - 1}};
    GlowPolyline(g, AccentCyan(255), topLeft);
    GlowPolyline(g, AccentCyan(255), bottomRight);
}

void paintRow(GpGraphics* g, const MenuLevel& level, size_t i, bool hovered) {
    const MenuItem& item = level.items[i];
    const float w = float(level.layout.width);
    const float top = float(level.layout.rowTops[i]), rh = float(level.layout.rowHeights[i]);
    const float m = top + float(level.layout.rowHeights[i] / 2);
    if (item.separator) {
        FillBox(g, AccentCyan(34), 14, m, w - 28, 1);
        return;
    }
    if (hovered) {
        FillBox(g, AccentCyan(34), 3, top, w - 6, rh);
        FillBox(g, AccentCyan(255), 3, top + 3, 2, rh - 6);
    }
    const Argb text = !item.enabled ? DisabledSlate : hovered ? 0xFFFFFFFF : TextBright(255);
    if (item.checked) {
        const PointF outer[4] = {{15, m - 6}, {21, m}, {15, m + 6}, {9, m}};
        const PointF inner[4] = {{15, m - 3.5f}, {18.5f, m}, {15, m + 3.5f}, {11.5f, m}};
        FillPolygonSolid(g, AccentCyan(60), outer, 4);
        FillPolygonSolid(g, AccentCyan(255), inner, 4);
    }
    DrawTextBox(g, item.label.c_str(), UiFont(), text, 30, top, w - 54, rh, kAlignNear);
    if (!item.children.empty()) {
        const PointF arrow[3] = {{w - 19, m - 5}, {w - 13, m}, {w - 19, m + 5}};
        FillPolygonSolid(g, hovered ? AccentCyan(255) : item.enabled ? TextMuted(255) : DisabledSlate, arrow, 3);
    } else if (!item.shortcut.empty()) {
        DrawTextBox(g, item.shortcut.c_str(), shortcutFont(item.shortcut),
                    item.enabled ? TextMuted(255) : DisabledSlate, 30, top, w - 44, rh, kAlignFar);
    }
}

// Paints row i again over what the canvas holds, background and frame included.
void repaintRow(Canvas& canvas, const MenuLevel& level, size_t i, bool hovered) {
    const float w = float(level.layout.width);
    GdipSetClipRect(canvas.graphics, 0, float(level.layout.rowTops[i]), w, float(level.layout.rowHeights[i]),
                    Gdiplus::CombineModeReplace);
    paintFrame(canvas.graphics, w, level.shownHeight);
    paintRow(canvas.graphics, level, i, hovered);
    GdipResetClip(canvas.graphics);
}

// The level without a highlight is kept; a highlight repaints only its own row over a copy
// of it, so walking the rows stays cheap.
void presentLevel(int n) {
    MenuLevel& level = menu.levels[n];
    if (!level.base || !level.base->graphics) return;
    if (level.hover < 0) {
        PresentPanel(level.window, *level.base, level.x, level.y);
        return;
    }
    Canvas canvas(level.base->width, level.base->height);
    if (!canvas.graphics || !canvas.pixels || !level.base->pixels) return;
    GdipFlush(level.base->graphics, Gdiplus::FlushIntentionSync);
    memcpy(canvas.pixels, level.base->pixels, size_t(canvas.width) * size_t(canvas.height) * 4);
    repaintRow(canvas, level, size_t(level.hover), true);
    PresentPanel(level.window, canvas, level.x, level.y);
}

// A level taller than the work area is cut at its bottom edge: what lies below could not be
// seen anyway, and a list of hundreds of tracks then costs no more to draw than a screenful.
void paintLevel(MenuLevel& level, int height) {
    const float w = float(level.layout.width);
    level.shownHeight = float(height) / UiScale();
    level.base = std::make_unique<Canvas>(ScalePx(w), height);
    level.baseScale = UiScale();
    GpGraphics* g = level.base->graphics;
    if (!g) return;
    paintFrame(g, w, level.shownHeight);
    for (size_t i = 0; i < level.items.size() && float(level.layout.rowTops[i]) < level.shownHeight; ++i)
        paintRow(g, level, i, false);
}

// Brings the level's kept picture up to date with new rows: unchanged rows (the usual case:
// the menu looks as it did last time, or a check or a label moved) are not drawn again.
void updateLevelPicture(MenuLevel& level, const MenuItems& items, int workHeight) {
    if (level.base && level.baseScale == UiScale() && level.items == items &&
        level.base->height == std::min(ScalePx(float(level.layout.height)), workHeight))
        return;
    MenuItems old = std::move(level.items);
    const LevelLayout oldLayout = level.layout;
    level.items = items;
    float labelMax, shortcutMax;
    measureItems(items, labelMax, shortcutMax);
    level.layout = layoutLevel(items, labelMax, shortcutMax);
    const int height = std::min(ScalePx(float(level.layout.height)), workHeight);
    const bool sameShape = level.base && level.base->graphics && level.baseScale == UiScale() &&
                           level.base->height == height && level.layout.width == oldLayout.width &&
                           level.layout.rowTops == oldLayout.rowTops && level.layout.rowHeights == oldLayout.rowHeights;
    if (!sameShape) {
        paintLevel(level, height);
        return;
    }
    for (size_t i = 0; i < items.size() && float(level.layout.rowTops[i]) < level.shownHeight; ++i)
        if (!(items[i] == old[i])) repaintRow(*level.base, level, i, false);
}

void openLevel(int n, const MenuItems& items, POINT at, int parentRow) {
    MenuLevel& level = menu.levels[n];
    if (!level.window) level.window = CreatePanelWindow(L"KivoMenu", menuWindowProc, menu.owner);
    if (!level.window) return;
    MONITORINFO info = {sizeof info};
    GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info);
    const ScreenRect work = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    updateLevelPicture(level, items, work.bottom - work.top);
    level.hover = -1;
    level.parentRow = parentRow;
    const int width = level.base ? level.base->width : 0, height = level.base ? level.base->height : 0;
    const int parentX = n > 0 ? menu.levels[n - 1].x : 0;
    placeLevel(at.x, at.y, width, height, work, n > 0, parentX, ScalePx(2), level.x, level.y);
    presentLevel(n);
    menu.openLevels = n + 1;
    NotifyShown(level.window, true);
    diagLog("menu level=%d x=%d y=%d w=%d h=%d rows=%d", n, level.x, level.y, width, height, int(items.size()));
}

void closeLevelsBelow(int n) {
    if (menu.openLevels <= n + 1) return;
    for (int i = n + 1; i < menu.openLevels; ++i) {
        ShowWindow(menu.levels[i].window, SW_HIDE);
        NotifyShown(menu.levels[i].window, false);
    }
    menu.openLevels = n + 1;
    diagLog("menu levels=%d", menu.openLevels);
}

void setHover(int n, int row) {
    MenuLevel& level = menu.levels[n];
    if (level.hover == row) return;
    level.hover = row;
    presentLevel(n);
    // A screen reader follows the highlight as it would a focused menu item.
    if (row >= 0) NotifyAccess(EVENT_OBJECT_FOCUS, level.window, row + 1);
}

// Opens row r's sub-menu of level n; with `highlightFirst` (the keys) its first usable row is
// highlighted, without opening anything further.
void openSubMenu(int n, int r, bool highlightFirst) {
    if (n >= kMaxLevels - 1) return;
    const MenuLevel& level = menu.levels[n];
    const MenuItem& item = level.items[size_t(r)];
    if (item.children.empty()) return;
    closeLevelsBelow(n);
    POINT at = {level.x + ScalePx(float(level.layout.width - 2)),
                level.y + ScalePx(float(level.layout.rowTops[size_t(r)] - kLevelPadding))};
    openLevel(n + 1, item.children, at, r);
    if (highlightFirst) setHover(n + 1, nextSelectableRow(menu.levels[n + 1].items, -1, 1));
}

void pickRow(int n, int r) {
    std::string command = menu.levels[n].items[size_t(r)].command;
    void (*pick)(const char*) = menu.pick;
    CloseMenu();
    if (pick && !command.empty()) pick(command.c_str());
}

// The level and row under a screen point; false when the point is outside every level.
bool hitTest(POINT p, int& level, int& row) {
    for (int n = menu.openLevels - 1; n >= 0; --n) {
        const MenuLevel& l = menu.levels[n];
        if (p.x < l.x || p.y < l.y || p.x >= l.x + ScalePx(float(l.layout.width)) ||
            p.y >= l.y + ScalePx(l.shownHeight))
            continue;
        level = n;
        row = rowAtY(l.layout, int(float(p.y - l.y) / UiScale()));
        return true;
    }
    return false;
}

// The mouse over row r of level n: a sub-menu row opens its sub-menu at once, and any other
// row closes the sub-menu that was open.
void hoverWithMouse(int n, int r) {
    const MenuLevel& level = menu.levels[n];
    const int effective = r >= 0 && isSelectable(level.items[size_t(r)]) ? r : -1;
    if (n > 0) setHover(n - 1, level.parentRow);
    setHover(n, effective);
    if (n + 1 < menu.openLevels && menu.levels[n + 1].parentRow != effective) closeLevelsBelow(n);
    if (effective < 0 || level.items[size_t(effective)].children.empty() || n + 1 < menu.openLevels) return;
    double t0 = processMs();
    openSubMenu(n, effective, false);
    diagLog("menu_submenu_ms=%.3f", processMs() - t0);
}

// A click on row r of level n: a row without children is picked, a sub-menu row opens its
// sub-menu unless it is open already.
void clickRow(int n, int r) {
    if (menu.levels[n].items[size_t(r)].children.empty()) {
        pickRow(n, r);
        return;
    }
    if (n + 1 < menu.openLevels && menu.levels[n + 1].parentRow == r) return;
    setHover(n, r);
    openSubMenu(n, r, false);
}

void onButtonUp() {
    POINT p;
    GetCursorPos(&p);
    int n, r;
    if (!hitTest(p, n, r) || r < 0 || !isSelectable(menu.levels[n].items[size_t(r)])) return;
    clickRow(n, r);
}

int openLevelOf(HWND window) {
    for (int n = 0; n < menu.openLevels; ++n)
        if (menu.levels[n].window == window) return n;
    return -1;
}

LRESULT CALLBACK menuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandlePanelCommonMessage(window, message, wParam, lParam, result, &kMenuAccess)) return result;
    // The level-0 window holds the capture, so every mouse message of the menu arrives there;
    // positions come from the cursor, whichever level it is over.
    switch (message) {
        case WM_MOUSEMOVE: {
            POINT p;
            GetCursorPos(&p);
            int n, r;
            if (menu.open && hitTest(p, n, r)) hoverWithMouse(n, r);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            POINT p;
            GetCursorPos(&p);
            int n, r;
            if (!hitTest(p, n, r)) CloseMenu();
            return 0;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (menu.open) onButtonUp();
            return 0;
        case WM_CAPTURECHANGED:
            if (menu.open && HWND(lParam) != levelZeroWindow()) CloseMenu();
            return 0;
        case WM_TIMER:
            // The queue moved on under an open menu: its rows were made for the other file.
            if (wParam == kFileWatchTimer && menu.open && enginePath() != menu.filePath) CloseMenu();
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

MenuEngineReads menuEngineReads() { return {engineGetDouble, engineGetFlag, engineGetText}; }

}  // namespace

void ShowMenu(HWND owner, POINT at, const MenuItems& items, void (*pick)(const char* command)) {
    InitDrawingKit();
    CloseMenu();
    HidePreview();
    menu.owner = owner;
    menu.pick = pick;
    menu.filePath = enginePath();
    openLevel(0, items, at, -1);
    if (!levelZeroWindow()) return;
    menu.open = true;
    NotifyAccess(EVENT_SYSTEM_MENUPOPUPSTART, levelZeroWindow());
    SetCapture(levelZeroWindow());
    SetTimer(levelZeroWindow(), kFileWatchTimer, kFileWatchMs, nullptr);
}

void CloseMenu() {
    bool wasOpen = menu.open;
    menu.open = false;
    for (int i = 0; i < menu.openLevels; ++i) {
        ShowWindow(menu.levels[i].window, SW_HIDE);
        NotifyShown(menu.levels[i].window, false);
    }

    menu.openLevels = 0;
    if (wasOpen) diagLog("menu levels=0");
    if (wasOpen) NotifyAccess(EVENT_SYSTEM_MENUPOPUPEND, levelZeroWindow());
    if (!levelZeroWindow()) return;
    KillTimer(levelZeroWindow(), kFileWatchTimer);
    if (wasOpen && GetCapture() == levelZeroWindow()) ReleaseCapture();
}

bool IsMenuOpen() { return menu.open; }

const MenuItems* OpenMenuLevel(HWND levelWindow, const LevelLayout** layout, int* hover) {
    int n = openLevelOf(levelWindow);
    if (n < 0) return nullptr;
    *layout = &menu.levels[n].layout;
    *hover = menu.levels[n].hover;
    return &menu.levels[n].items;
}

bool PressMenuRow(HWND levelWindow, int row) {
    int n = openLevelOf(levelWindow);
    if (n < 0 || row < 0 || size_t(row) >= menu.levels[n].items.size() || !isSelectable(menu.levels[n].items[size_t(row)]))
        return false;
    clickRow(n, row);
    return true;
}

const MenuItem* MenuLevelParentRow(HWND levelWindow) {
    int n = openLevelOf(levelWindow);
    return n > 0 ? &menu.levels[n - 1].items[size_t(menu.levels[n].parentRow)] : nullptr;
}

bool MenuKey(unsigned virtualKey) {
    if (!menu.open) return false;
    const int d = menu.openLevels - 1;
    MenuLevel& level = menu.levels[d];
    const int hover = level.hover;
    const bool hasChildren = hover >= 0 && !level.items[size_t(hover)].children.empty();
    switch (virtualKey) {
        case VK_RETURN:
        case VK_SPACE:
            if (hover < 0) break;
            if (hasChildren) openSubMenu(d, hover, true);
            else pickRow(d, hover);
            break;
        case VK_RIGHT:
            if (hasChildren) openSubMenu(d, hover, true);
            break;
        case VK_ESCAPE:
            CloseMenu();
            break;
        case VK_LEFT:
            if (d > 0) closeLevelsBelow(d - 1);
            break;
        case VK_UP:
        case VK_DOWN: {
            // Only a highlight: the sub-menu of a row reached by keys opens with Right or Enter,
            // so Down can walk on past it.
            int next = nextSelectableRow(level.items, hover, virtualKey == VK_DOWN ? 1 : -1);
            if (next >= 0) setHover(d, next);
            break;
        }
    }
    return true;
}

void showContextMenu() {
    double t0 = processMs();
    MenuContext context;
    context.fullScreen = isFullScreen();
    context.alwaysOnTop = alwaysOnTop;
    context.settings = &appSettings();
    context.panScanPreset = CurrentPanScanPreset();
    context.translate = tr;
    context.countText = trCount;
    POINT at;
    GetCursorPos(&at);
    ShowMenu(mainWindow, at, BuildContextMenu(menuEngineReads(), context), executeCommand);
    diagLog("menu_open_ms=%.3f", processMs() - t0);
}

void showBookmarksMenu() {
    RECT client = {};
    GetClientRect(mainWindow, &client);
    int x = std::max(10, int(float(client.right) / UiScale()) / 2 - 130);
    POINT at = {ScalePx(float(x)), ScalePx(60)};
    ClientToScreen(mainWindow, &at);
    ShowMenu(mainWindow, at, BuildBookmarksMenu(currentBookmarkList(), tr), executeCommand);
}
