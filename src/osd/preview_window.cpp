#include "osd/preview_window.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "app/diaglog.h"
#include "osd/drawing_kit.h"
#include "osd/hud_core.h"
#include "osd/panel_kit.h"

namespace {

HWND previewWindow = nullptr;
PreviewSource source = {};
bool wanted = false;
double wishSeconds = 0;
int anchorX = 0, aboveY = 0;
// The picture on show (or the last one of this file, kept while the next is on its way).
unsigned shownGeneration = 0;
std::vector<uint32_t> shownPixels;
int shownWidth = 0, shownHeight = 0;
double shownTime = -1;
PreviewAnswer answer;
double restMs = 0;  // when the pointer came to rest at the wished time

void hideWindow() {
    if (!IsWindowVisible(previewWindow)) return;
    ShowWindow(previewWindow, SW_HIDE);
    diagLog("preview hidden");
}

// Where the window goes for the picture on show, and its size, in screen pixels.
RECT placeOnScreen() {
    int edge = ScalePx(1);
    int w = shownWidth + 2 * edge, h = shownHeight + 2 * edge;
    RECT monitorWork = {};
    POINT at = {anchorX, aboveY};
    MONITORINFO info = {sizeof info};
    if (GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info)) monitorWork = info.rcWork;
    int work[4] = {int(monitorWork.left), int(monitorWork.top), int(monitorWork.right), int(monitorWork.bottom)};
    HudPoint place = previewPlace(anchorX, aboveY, ScalePx(4), w, h, work);
    return {place.x, place.y, place.x + w, place.y + h};
}

// `fresh`: the picture of the wished time has just come (logged, for the tests and benchmarks).
void paint(bool fresh) {
    RECT r = placeOnScreen();
    int edge = ScalePx(1), w = int(r.right - r.left), h = int(r.bottom - r.top);
    HudPoint place = {int(r.left), int(r.top)};
    Canvas canvas(w, h);
    if (!canvas.graphics || !canvas.pixels) return;
    float uw = float(w) / UiScale(), uh = float(h) / UiScale();
    FillBox(canvas.graphics, PanelNavy, 0, 0, uw, uh);
    Gdiplus::DllExports::GdipFlush(canvas.graphics, Gdiplus::FlushIntentionSync);
    for (int y = 0; y < shownHeight; ++y)
        memcpy(canvas.pixels + size_t(y + edge) * size_t(w) + size_t(edge), shownPixels.data() + size_t(y) * size_t(shownWidth),
               size_t(shownWidth) * 4);
    OutlineBox(canvas.graphics, AccentCyan(150), 0, 0, uw, uh);
    if (PresentPanel(previewWindow, canvas, place.x, place.y) && fresh)
        diagLog("preview shown t=%.3f gen=%u x=%d y=%d w=%d h=%d wait=%.1f", shownTime, shownGeneration,
                int(place.x), int(place.y), w, h, processMs() - restMs);
}

// Asks for the picture under the pointer; keeps showing this file's last one until it comes.
void refresh(bool placeChanged) {
    answer = {};
    if (!source.want || !source.want(previewWindow, wishSeconds, answer)) {
        shownPixels.clear();
        hideWindow();
        return;
    }
    if (answer.generation != shownGeneration) shownPixels.clear();
    const PreviewImage& image = answer.image;
    bool visible = IsWindowVisible(previewWindow);
    bool fresh = image.pixels && (image.time != shownTime || shownPixels.empty() || !visible);
    if (fresh) {
        shownGeneration = answer.generation;
        shownWidth = image.width;
        shownHeight = image.height;
        shownTime = image.time;
        shownPixels.assign(image.pixels, image.pixels + size_t(image.width) * size_t(image.height));
    }
    if (shownPixels.empty()) {
        hideWindow();
        return;
    }
    if (fresh || !visible) {
        paint(fresh);
    } else if (placeChanged) {
        // The same picture at another place (sweeping the bar): only the window moves.
        RECT r = placeOnScreen();
        SetWindowPos(previewWindow, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK previewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The preview lies over the picture, never under the pointer on the bar: it takes no clicks.
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    LRESULT result = 0;
    if (HandlePanelCommonMessage(window, message, wParam, lParam, result)) return result;
    if (message == kPreviewReadyMessage) {
        if (wanted) refresh(false);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void CreatePreviewWindow(HWND owner, const PreviewSource& previewSource) {
    if (previewWindow) return;
    source = previewSource;
    previewWindow = CreatePanelWindow(L"KivoPreview", previewWindowProc, owner);
}

void ShowPreview(double seconds, int x, int y) {
    if (!previewWindow) return;
    if (source.blocked && source.blocked()) {
        HidePreview();
        return;
    }
    bool moved = x != anchorX || y != aboveY;
    if (!wanted || seconds != wishSeconds) restMs = processMs();
    wanted = true;
    wishSeconds = seconds;
    anchorX = x;
    aboveY = y;
    // Asked again even when nothing moved: the playing file may have changed under the pointer.
    refresh(moved);
}

void HidePreview() {
    if (!previewWindow || !wanted) return;
    wanted = false;
    if (source.forget) source.forget();
    shownPixels.clear();  // back on the bar, a picture of another place would mislead
    hideWindow();
}

bool IsPreviewVisible() { return previewWindow && IsWindowVisible(previewWindow); }
