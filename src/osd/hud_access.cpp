#include "osd/hud_access.h"

namespace {

int elementCount(HWND) { return kHudElementCount; }

bool describeElement(HWND, int element, AccessItem& item) {
    return hudAccessItem(CurrentHudModel(), element, IsHudFullScreen(), item);
}

bool pressElement(HWND, int element) { return PressHudElement(element); }

int elementAt(HWND, int x, int y) { return hudHitTest(CurrentHudModel(), x, y); }

}  // namespace

const AccessProvider kHudAccess = {elementCount, describeElement, pressElement, nullptr, elementAt};
