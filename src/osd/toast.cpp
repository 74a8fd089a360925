#include "osd/toast.h"

#include <cstdint>
#include <cwchar>

#include "app/diaglog.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "osd/accessible.h"
#include "osd/drawing_kit.h"
#include "osd/panel_kit.h"
#include "osd/toast_core.h"

namespace {

HWND toastWindow = nullptr;
wchar_t toastLabel[kToastLabelMax + 1] = {};
wchar_t toastValue[kToastValueMax + 1] = {};
bool toastVisible = false;
uint32_t hideDeadline = 0;
unsigned paintCount = 0;

// Copies at most `maxUnits` of `text`; true when that differs from what `field` held.
bool storeClipped(wchar_t* field, size_t maxUnits, const wchar_t* text) {
    size_t n = clippedLength(text, maxUnits);
    bool changed = wcsncmp(field, text ? text : L"", n) != 0 || field[n] != L'\0';
    if (n) wmemcpy(field, text, n);
    field[n] = L'\0';
    return changed;
}

void paintToast() {
    SizeF label = MeasureText(toastLabel, MonoFontSmall());
    SizeF value = MeasureText(toastValue, MonoFontLarge());
    int width = toastWidth(label.Width, value.Width);

    HWND owner = GetWindow(toastWindow, GW_OWNER);
    POINT origin = {0, 0};
    RECT client = {0, 0, 0, 0};
    if (owner) {
        ClientToScreen(owner, &origin);
        GetClientRect(owner, &client);
    }
    int topInset = PanelTopInset();
    ToastPlace place = placeToast(origin.x, origin.y, client.right, topInset, width, UiScale());

    Canvas canvas(place.width, place.height);
    GpGraphics* g = canvas.graphics;
    float w = float(width), h = float(kToastHeight);
    FillBox(g, PanelNavy, 0, 0, w, h);
    OutlineBox(g, AccentCyan(40), 0, 0, w, h);
    const PointF corner[3] = {PointF(1, 9), PointF(1, 1), PointF(9, 1)};
    GlowPolyline(g, AccentCyan(255), corner);
    DrawTextBox(g, toastLabel, MonoFontSmall(), TextMuted(255), 12, 0, label.Width + 2, h, kAlignNear);
    DrawTextBox(g, toastValue, MonoFontLarge(), AccentCyan(255), label.Width + 18, 0, value.Width + 8, h,
                kAlignNear);
    PresentLayered(toastWindow, canvas, place.x, place.y, place.width, place.height);

    ++paintCount;
    if (testMode)
        diagLog("toast_paint %u x=%d y=%d w=%d h=%d label=%s value=%s", paintCount, place.x, place.y,
                place.width, place.height, toUtf8(toastLabel).c_str(), toUtf8(toastValue).c_str());
}

// To a screen reader the toast is an alert whose name is its whole text, spoken as it appears.
int toastChildren(HWND) { return 0; }

bool describeToast(HWND, int child, AccessItem& item) {
    if (child != 0) return false;
    item = AccessItem();
    item.role = kRoleAlert;
    item.state = kStateReadOnly;
    item.name = toastLabel;
    if (toastLabel[0] && toastValue[0]) item.name += L' ';
    item.name += toastValue;
    return true;
}

const AccessProvider kToastAccess = {toastChildren, describeToast, nullptr, nullptr};

LRESULT CALLBACK toastWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (message == WM_GETOBJECT && AnswerAccessRequest(window, wParam, lParam, kToastAccess, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void CreateToastWindow(HWND owner, HINSTANCE instance) {
    if (toastWindow) return;
    InitDrawingKit();
    WNDCLASSEXW toastClass = {};
    toastClass.cbSize = sizeof toastClass;
    toastClass.lpfnWndProc = toastWindowProc;
    toastClass.hInstance = instance;
    toastClass.lpszClassName = L"KivoToast";
    RegisterClassExW(&toastClass);
    // Transparent as well as layered: clicks fall through to the picture below.
    toastWindow = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT,
                                  L"KivoToast", L"", WS_POPUP, 0, 0, 10, 10, owner, nullptr, instance, nullptr);
}

void ShowToast(const wchar_t* label, const wchar_t* value, unsigned durationMs, bool announce) {
    if (!toastWindow) return;
    // Compared as stored, so that an over-long text repeated on every tick is not taken
    // for a new one each time.
    bool labelChanged = storeClipped(toastLabel, kToastLabelMax, label);
    bool valueChanged = storeClipped(toastValue, kToastValueMax, value);
    hideDeadline = uint32_t(GetTickCount()) + durationMs;
    if (!labelChanged && !valueChanged && toastVisible) return;
    paintToast();
    if (!toastVisible) {
        ShowAboveOwner(toastWindow);
        toastVisible = true;
        NotifyShown(toastWindow, true);
    }
    if (announce) NotifyAccess(EVENT_SYSTEM_ALERT, toastWindow);
}

void ToastTick() {
    if (!toastVisible || !toastExpired(uint32_t(GetTickCount()), hideDeadline)) return;
    ShowWindow(toastWindow, SW_HIDE);
    toastVisible = false;
    NotifyShown(toastWindow, false);
    if (testMode) diagLog("toast_hide");
}

void RepaintToast() {
    if (toastWindow && toastVisible) paintToast();
}

const wchar_t* ToastText() { return toastVisible ? toastValue : L""; }

unsigned ToastPaintCount() { return paintCount; }

bool ToastVisible() { return toastVisible; }
