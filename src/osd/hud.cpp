#include "osd/hud.h"

namespace {
unsigned hideDelayMs = 2500;
int hudTopOffset = 0;
}  // namespace

void SetHideDelay(unsigned ms) { hideDelayMs = ms; }
void SetHudTopOffset(int pixels) { hudTopOffset = pixels; }
