#include "osd/uiscale.h"

#include <windows.h>

namespace {
float uiScale = 1.0f;
}

float ComputeUiScale(HWND window) {
    char text[16];
    DWORD n = GetEnvironmentVariableA("KIVOPLAYER_SCALE", text, sizeof text);
    if (n > 0 && n < sizeof text) {
        float fixed = fixedScaleFromText(text);
        if (fixed > 0.0f) return fixed;
    }
    // Looked up at run time: older systems lack the per-window and system dpi calls.
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using DpiForWindow = UINT(WINAPI*)(HWND);
    using DpiForSystem = UINT(WINAPI*)();
    auto forWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")));
    if (window && forWindow) return float(forWindow(window)) / 96.0f;
    auto forSystem = reinterpret_cast<DpiForSystem>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")));
    if (forSystem) return float(forSystem()) / 96.0f;
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return float(dpi) / 96.0f;
}

void SetUiScale(float s) { uiScale = boundedUiScale(s); }

float UiScale() { return uiScale; }

int ScalePx(float logical) { return scaledPixels(logical, uiScale); }
