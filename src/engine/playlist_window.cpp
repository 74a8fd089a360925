#include "engine/playlist_window.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/diaglog.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "engine/engine.h"
#include "engine/playlist_core.h"
#include "engine/playlist_access.h"
#include "osd/hud.h"
#include "osd/panel_kit.h"
#include "panels/language.h"

using namespace Gdiplus::DllExports;

namespace {

constexpr Argb kRemoveHotColour = 0xFFFF4D61;

// What a refresh follows: a fresh show brings the playing entry into view, a tick only when
// the playing entry moved, and an edit of the list never, so rows stay under the pointer.
enum class RefreshReason { Show, Tick, Edit };

struct RowPicture {
    int entry;
    bool playing;
    std::vector<uint32_t> pixels;
};

struct PlaylistState : PanelHandle {
    bool tracking = false;
    EngineAccess engine = {};
    PlaylistPlacement place = {360, 400, 0, 0};
    int count = 0;
    // Titles are read from the engine when a row first shows them, and forgotten whenever
    // the queue changes: a long queue costs no more to show than a short one.
    std::vector<std::wstring> titles;
    std::vector<bool> titleRead;
    // The parts of the picture that only change with the size, scale or language.
    std::unique_ptr<Canvas> chrome;
    std::unique_ptr<Canvas> canvas;
    // Finished pixels of the rows last painted without hover, by entry, so that a scroll
    // step draws only the rows that came into view.
    std::vector<RowPicture> rowPictures;
    int lastCount = -1;
    int playing = -1;
    std::string playingName;  // a replaced one-entry queue keeps count and position
    int firstRow = 0;
    PlaylistPart hoverPart = kPartNone;
    int hoverIndex = -1;
    // Test-mode figures for the benchmark: time spent in property reads.
    double readMs = 0;
    int reads = 0;
    unsigned paints = 0;
    int idleTicks = 0;  // ticks that found nothing changed, and their time
    double idleMs = 0;
};
PlaylistState panel;

double nowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool readText(const char* property, char* buffer, size_t size) {
    if (!panel.engine.getText) return false;
    double start = nowMs();
    bool ok = panel.engine.getText(property, buffer, size);
    panel.readMs += nowMs() - start;
    ++panel.reads;
    return ok;
}

std::string playingEntryName(int playing) {
    if (playing < 0) return {};
    char property[48], name[1024];
    snprintf(property, sizeof property, "playlist/%d/filename", playing);
    return readText(property, name, sizeof name) ? std::string(name) : std::string();
}

std::wstring entryTitle(int index) {
    char property[48], text[1024];
    snprintf(property, sizeof property, "playlist/%d/title", index);
    if (readText(property, text, 512) && text[0]) {
        std::wstring title = toWide(text);
        if (title.size() > 512) title.resize(512);
        return title;
    }
    snprintf(property, sizeof property, "playlist/%d/filename", index);
    if (!readText(property, text, sizeof text)) return {};
    return toWide(entryNameFromPath(text).c_str());
}

int rows() { return playlistVisibleRows(panel.place.height); }

const std::wstring& titleOf(int entry) {
    if (!panel.titleRead[size_t(entry)]) {
        panel.titles[size_t(entry)] = entryTitle(entry);
        panel.titleRead[size_t(entry)] = true;
    }
    return panel.titles[size_t(entry)];
}

// What lies under a resting pointer changes when the list moves under it.
void hoverUnderCursor() {
    if (!panel.tracking) return;  // the pointer is not over the panel
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(panel.window, &p);
    float scale = UiScale();
    PlaylistHit hit = hitTestPlaylist(panel.place.width, panel.place.height, panel.count, panel.firstRow,
                                      int(float(p.x) / scale), int(float(p.y) / scale));
    panel.hoverPart = hit.part;
    panel.hoverIndex = hit.index;
}

// True when the list or the playing entry changed since the last refresh.
bool refresh(RefreshReason reason) {
    char text[32];
    if (!readText("playlist-count", text, sizeof text)) return false;
    int count = atoi(text);
    int playing = readText("playlist-pos", text, sizeof text) ? atoi(text) : -1;
    std::string playingName = playingEntryName(playing);
    bool playingMoved = playing != panel.playing || playingName != panel.playingName;
    if (reason == RefreshReason::Tick && count == panel.lastCount && !playingMoved) return false;
    panel.lastCount = count;
    panel.playing = playing;
    panel.playingName = playingName;
    panel.count = count > 0 ? count : 0;
    panel.titles.assign(size_t(panel.count), std::wstring());
    panel.titleRead.assign(size_t(panel.count), false);
    panel.rowPictures.clear();
    if (reason == RefreshReason::Show || (reason == RefreshReason::Tick && playingMoved))
        panel.firstRow = scrollToEntry(panel.firstRow, playing, rows());
    panel.firstRow = clampFirstRow(panel.firstRow, count, rows());
    hoverUnderCursor();
    return true;
}

void layout() {
    HWND owner = GetWindow(panel.window, GW_OWNER);
    RECT client = OwnerClientOnScreen(owner);
    panel.place = placePlaylist(client.right - client.left, client.bottom - client.top, client.left, client.top,
                                HudTopOffset(), UiScale());
}

void paintButton(GpGraphics* g, const PlaylistBox& box, const wchar_t* text, bool hot) {
    float x = float(box.left), y = float(box.top), w = float(box.right - box.left), h = float(box.bottom - box.top);
    if (hot) FillBox(g, AccentCyan(34), x, y, w, h);
    OutlineBox(g, AccentCyan(hot ? 170 : 80), x, y, w, h);
    DrawTextBox(g, text, UiFont(), hot ? TextBright(255) : TextMuted(255), x, y, w, h, kAlignCentre);
}

void drawCross(GpGraphics* g, Argb colour, float cx, float cy, float half) {
    const PointF a[2] = {PointF(cx - half, cy - half), PointF(cx + half, cy + half)};
    const PointF b[2] = {PointF(cx + half, cy - half), PointF(cx - half, cy + half)};
    DrawPolyline(g, colour, 1.5f, a, 2);
    DrawPolyline(g, colour, 1.5f, b, 2);
}

void drawDiamond(GpGraphics* g, Argb colour, float cx, float cy, float half) {
    const PointF points[4] = {PointF(cx, cy - half), PointF(cx + half, cy), PointF(cx, cy + half),
                              PointF(cx - half, cy)};
    FillPolygonSolid(g, colour, points, 4);
}

void paintRow(GpGraphics* g, int entry, int screenRow) {
    float W = float(panel.place.width), y = float(kPlaylistRowTop + kPlaylistRowHeight * screenRow);
    bool hovered = entry == panel.hoverIndex && (panel.hoverPart == kPartRow || panel.hoverPart == kPartRemove);
    bool playing = entry == panel.playing;
    if (hovered) FillBox(g, AccentCyan(30), 4, y, W - 8, 30);
    if (playing) {
        FillBox(g, AccentCyan(255), 4, y + 3, 2, 24);
        drawDiamond(g, AccentCyan(60), 22, y + 15, 6);
        drawDiamond(g, AccentCyan(255), 22, y + 15, 3.5f);
    } else {
        wchar_t number[16];
        swprintf(number, 16, L"%d", entry + 1);
        DrawTextBox(g, number, MonoFontSmall(), TextMuted(255), 8, y, 28, 30, kAlignFar);
    }
    DrawTextBox(g, titleOf(entry).c_str(), UiFont(), playing ? AccentCyan(255) : TextBright(255), 40, y,
                W - 48 - (hovered ? 36 : 16), 30, kAlignNear);
    if (hovered) drawCross(g, panel.hoverPart == kPartRemove ? kRemoveHotColour : TextMuted(255), W - 19, y + 15, 4);
}

// The rows, from their kept pictures where the entry looks as it did. A picture leaves out
// the row's first pixel line, which holds the separator above the top row, and is only
// moved by whole pixels: when a row is not a whole number of real pixels high, every row is
// drawn.
void paintRows(Canvas& canvas) {
    float rowStep = float(kPlaylistRowHeight) * UiScale();
    bool keep = canvas.pixels && rowStep == float(int(rowStep));
    std::vector<RowPicture> kept;
    for (int i = 0; i < rows() && panel.firstRow + i < panel.count; ++i) {
        int entry = panel.firstRow + i;
        bool playing = entry == panel.playing;
        bool hovered = entry == panel.hoverIndex && (panel.hoverPart == kPartRow || panel.hoverPart == kPartRemove);
        int top = ScalePx(float(kPlaylistRowTop + kPlaylistRowHeight * i + 1));
        int bottom = std::min(ScalePx(float(kPlaylistRowTop + kPlaylistRowHeight * (i + 1))), canvas.height);
        size_t size = size_t(std::max(bottom - top, 0)) * size_t(canvas.width);
        uint32_t* band = keep ? canvas.pixels + size_t(top) * size_t(canvas.width) : nullptr;
        RowPicture* old = nullptr;
        for (RowPicture& p : panel.rowPictures)
            if (p.entry == entry && p.playing == playing && p.pixels.size() == size) old = &p;
        if (band && !hovered && old) {
            memcpy(band, old->pixels.data(), size * 4);
            kept.push_back(std::move(*old));
            continue;
        }
        paintRow(canvas.graphics, entry, i);
        if (!band || hovered) continue;
        GdipFlush(canvas.graphics, Gdiplus::FlushIntentionSync);
        kept.push_back({entry, playing, std::vector<uint32_t>(band, band + size)});
    }
    panel.rowPictures = std::move(kept);
}

// Background, frame, corner accents, title and separators.
void paintChrome(GpGraphics* g, float w, float h) {
    FillBox(g, PanelNavyDense, 0, 0, w, h);
    OutlineBox(g, AccentCyan(46), 0, 0, w, h);
    const PointF topLeft[3] = {PointF(1, 15), PointF(1, 1), PointF(15, 1)};
    const PointF bottomRight[3] = {PointF(w - 1, h - 15), PointF(w - 1, h - 1), PointF(w - 15, h - 1)};
    GlowPolyline(g, AccentCyan(255), topLeft);
    GlowPolyline(g, AccentCyan(255), bottomRight);
    DrawTextBox(g, tr(L"รายการเล่น"), UiFont(), AccentCyan(255), 16, 0, 180, 44, kAlignNear);
    FillBox(g, AccentCyan(34), 12, kPlaylistRowTop, w - 24, 1);
    FillBox(g, AccentCyan(34), 12, h - 48, w - 24, 1);
    DrawPanelCloseCross(g, w - 40, 10, false);
    paintButton(g, playlistAddBox(int(w), int(h)), tr(L"+ เพิ่มไฟล์"), false);
    paintButton(g, playlistClearBox(int(w), int(h)), tr(L"ล้างรายการ"), false);
}

// Puts bare background back where the chrome drew a button at rest, before it is drawn hovered.
void clearToBackground(GpGraphics* g, PlaylistBox box) {
    GdipSetCompositingMode(g, Gdiplus::CompositingModeSourceCopy);
    FillBox(g, PanelNavyDense, float(box.left - 1), float(box.top - 1), float(box.right - box.left + 2),
            float(box.bottom - box.top + 2));
    GdipSetCompositingMode(g, Gdiplus::CompositingModeSourceOver);
}

// The canvas of a repaint, kept with the chrome while size, scale and language last; each
// repaint starts from a copy of the chrome. Null when no canvas could be made.
Canvas* startCanvas(float w, float h) {
    int width = ScalePx(w), height = ScalePx(h);
    if (!panel.chrome || panel.chrome->width != width || panel.chrome->height != height) {
        panel.chrome.reset(new Canvas(width, height));
        panel.canvas.reset(new Canvas(width, height));
        panel.rowPictures.clear();
        if (panel.chrome->graphics) {
            paintChrome(panel.chrome->graphics, w, h);
            GdipFlush(panel.chrome->graphics, Gdiplus::FlushIntentionSync);
        }
    }
    Canvas* canvas = panel.canvas.get();
    if (!canvas->graphics) return nullptr;
    if (canvas->pixels && panel.chrome->pixels) {
        memcpy(canvas->pixels, panel.chrome->pixels, size_t(width) * size_t(height) * 4);
    } else {
        GdipGraphicsClear(canvas->graphics, 0x00000000);
        paintChrome(canvas->graphics, w, h);
    }
    return canvas;
}

void paint() {
    double start = nowMs();
    int W = panel.place.width, H = panel.place.height;
    float w = float(W), h = float(H);
    int count = panel.count;
    Canvas* canvas = startCanvas(w, h);
    if (!canvas) return;
    GpGraphics* g = canvas->graphics;
    wchar_t counter[32];
    swprintf(counter, 32, L"%d / %d", panel.playing >= 0 ? panel.playing + 1 : 0, count);
    DrawTextBox(g, counter, MonoFont(), TextMuted(255), w - 150, 0, 100, 44, kAlignFar);

    // The chrome holds the close button and the two buttons at rest.
    if (panel.hoverPart == kPartClose) {
        PlaylistBox close = playlistCloseBox(W);
        clearToBackground(g, close);
        DrawPanelCloseCross(g, float(close.left), float(close.top), true);
    }

    if (count == 0) DrawTextBox(g, tr(L"ยังไม่มีไฟล์ในรายการ"), UiFont(), TextMuted(255), 0, 44, w, 80, kAlignCentre);
    paintRows(*canvas);

    PlaylistThumb thumb = playlistThumb(H, count, panel.firstRow);
    if (thumb.visible) {
        FillBox(g, AccentCyan(24), w - 7, 50, 3, h - 104);
        FillBox(g, AccentCyan(150), w - 7, thumb.top, 3, thumb.height);
    }
    if (panel.hoverPart == kPartAdd || panel.hoverPart == kPartClear) {
        bool add = panel.hoverPart == kPartAdd;
        PlaylistBox box = add ? playlistAddBox(W, H) : playlistClearBox(W, H);
        clearToBackground(g, box);
        paintButton(g, box, add ? tr(L"+ เพิ่มไฟล์") : tr(L"ล้างรายการ"), true);
    }
    GdipFlush(g, Gdiplus::FlushIntentionSync);
    PresentPanel(panel.window, *canvas, panel.place.x, panel.place.y);

    ++panel.paints;
    if (!testMode) return;
    bool shown = panel.playing >= 0 && panel.playing < count;
    diagLog("playlist_paint %u count=%d pos=%d first=%d rows=%d hover=%d/%d x=%d y=%d w=%d h=%d ms=%.2f playing=%s",
            panel.paints, count, panel.playing, panel.firstRow, rows(), int(panel.hoverPart), panel.hoverIndex,
            panel.place.x, panel.place.y, canvas->width, canvas->height, nowMs() - start,
            shown ? toUtf8(titleOf(panel.playing)).c_str() : "");
}

// A refresh and its repaint, timed for the benchmark in test mode.
void refreshAndPaint(RefreshReason reason, const char* what) {
    double start = nowMs();
    panel.readMs = 0;
    panel.reads = 0;
    bool changed = refresh(reason);
    if (!changed && reason == RefreshReason::Tick) {
        ++panel.idleTicks;
        panel.idleMs += nowMs() - start;
        return;
    }
    paint();
    if (testMode)
        diagLog("playlist_%s ms=%.2f reads=%d read_ms=%.2f", what, nowMs() - start, panel.reads, panel.readMs);
}

void scrollBy(int delta) {
    int first = clampFirstRow(panel.firstRow + delta, panel.count, rows());
    if (first == panel.firstRow) return;
    panel.firstRow = first;
    hoverUnderCursor();
    paint();
}

void act(PlaylistHit hit) {
    char command[48];
    switch (hit.part) {
        case kPartNone: return;
        case kPartRow:
            snprintf(command, sizeof command, "playlist-play-index %d", hit.index);
            panel.engine.runQuiet(command);
            return;
        case kPartClose: closePlaylist(); return;
        case kPartRemove:
            snprintf(command, sizeof command, "playlist-remove %d", hit.index);
            panel.engine.runQuiet(command);
            refreshAndPaint(RefreshReason::Edit, "edit");
            return;
        case kPartAdd: panel.engine.runQuiet("@addfiles"); return;
        case kPartClear:
            panel.engine.runQuiet("playlist-clear");
            refreshAndPaint(RefreshReason::Edit, "edit");
            return;
    }
}

void hover(PlaylistHit hit) {
    if (hit.part == panel.hoverPart && hit.index == panel.hoverIndex) return;
    panel.hoverPart = hit.part;
    panel.hoverIndex = hit.index;
    paint();
}

PlaylistHit hitAt(LPARAM lParam) {
    POINT p = PanelMousePoint(lParam);
    return hitTestPlaylist(panel.place.width, panel.place.height, panel.count, panel.firstRow, p.x, p.y);
}

LRESULT CALLBACK playlistProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandlePanelCommonMessage(window, message, wParam, lParam, result, &kPlaylistAccess)) return result;
    switch (message) {
        case WM_MOUSEMOVE:
            TrackMouseLeave(window, panel.tracking);
            hover(hitAt(lParam));
            return 0;
        case WM_MOUSELEAVE:
            panel.tracking = false;
            hover({kPartNone, -1});
            return 0;
        case WM_LBUTTONUP:
            act(hitAt(lParam));
            return 0;
        case WM_MOUSEWHEEL:
            scrollBy(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -kPlaylistWheelRows : kPlaylistWheelRows);
            return 0;
        case WM_RBUTTONUP: {
            // The main window's menu, as if the click had been on the picture.
            HWND owner = GetWindow(window, GW_OWNER);
            POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(window, owner, &p, 1);
            PostMessageW(owner, message, wParam, MAKELPARAM(p.x, p.y));
            return 1;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void initPlaylist(HWND owner, const EngineAccess& engine) {
    panel.owner = owner;
    panel.engine = engine;
}

void togglePlaylist() {
    if (panel.visible) {
        closePlaylist();
        return;
    }
    double start = nowMs();
    if (!OpenPanel(panel, L"KivoPlaylist", playlistProc)) return;
    layout();
    refreshAndPaint(RefreshReason::Show, "refresh");
    NotifyShown(panel.window, true);
    if (testMode) diagLog("playlist_show ms=%.2f", nowMs() - start);
}

bool isPlaylistOpen() { return panel.visible; }

void closePlaylist() {
    if (!HidePanel(panel)) return;
    panel.hoverIndex = -1;
    panel.hoverPart = kPartNone;
    if (testMode) diagLog("playlist_hide idle_ticks=%d idle_ms=%.3f", panel.idleTicks, panel.idleMs);
    panel.idleTicks = 0;
    panel.idleMs = 0;
}

void repositionPlaylist() {
    if (!panel.visible) return;
    layout();
    panel.firstRow = clampFirstRow(panel.firstRow, panel.count, rows());
    paint();
}

void playlistTick() {
    if (panel.visible) refreshAndPaint(RefreshReason::Tick, "tick");
}

void rebuildPlaylistIfOpen() {
    panel.chrome.reset();  // the title is in the chrome
    if (panel.visible) paint();
}

bool playlistAccessView(PlaylistAccessView& view) {
    if (!panel.visible) return false;
    view = {panel.place.width, panel.place.height, panel.count, panel.firstRow, panel.playing};
    return true;
}

std::wstring playlistEntryTitle(int entry) {
    return entry >= 0 && entry < panel.count ? titleOf(entry) : std::wstring();
}

void pressPlaylistElement(int child) {
    if (panel.visible) act(playlistAccessHit(child));
}
