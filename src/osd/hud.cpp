#include "osd/hud.h"

namespace {
unsigned hideDelayMs = 2500;
int hudTopOffset = 0;
std::wstring hudFileName;
bool hudStartScreen = true;
}  // namespace

void SetHideDelay(unsigned ms) { hideDelayMs = ms; }
void SetHudTopOffset(int pixels) { hudTopOffset = pixels; }
void SetHudFileName(const std::wstring& name) { hudFileName = name; }
void SetStartScreen(bool shown) { hudStartScreen = shown; }
int HudBottomReserve() { return 0; }
