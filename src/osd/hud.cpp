#include "osd/hud.h"

#include <windows.h>

namespace {
unsigned hideDelayMs = 2500;
int hudTopOffset = 0;
std::wstring hudFileName;
bool hudStartScreen = true;
bool hudFullScreen = false;
POINT lastCursor = {-100000, -100000};
}  // namespace

void SetHideDelay(unsigned ms) { hideDelayMs = ms; }
void SetHudTopOffset(int pixels) { hudTopOffset = pixels; }
void SetHudFileName(const std::wstring& name) { hudFileName = name; }
void SetStartScreen(bool shown) { hudStartScreen = shown; }
int HudBottomReserve() { return 0; }
void SetHudFullScreen(bool fullScreen) { hudFullScreen = fullScreen; }
void RelayoutHud() {}
void MarkMouseActivity() {}
void HudTick() {}
bool HudExists() { return false; }

bool IsRealMouseMove() {
    POINT p;
    GetCursorPos(&p);
    if (p.x == lastCursor.x && p.y == lastCursor.y) return false;
    lastCursor = p;
    return true;
}
