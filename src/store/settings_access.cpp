#include "store/settings_access.h"

namespace {

// The elements are the zones, in the order the mouse tries them.
int zoneCount(HWND) { return int(shownSettingsZones().size()); }

bool describeZone(HWND, int child, AccessItem& item) {
    if (child == 0) {
        item = AccessItem();
        item.role = kRoleDialog;
        item.name = accessText(L"ตั้งค่า");
        return true;
    }
    if (child < 0 || child > zoneCount(nullptr)) return false;
    const HitZone& zone = shownSettingsZones()[size_t(child - 1)];
    settingsZoneAccessItem(zone, settingsChipText(zone), settingsZoneChosen(zone), item);
    return true;
}

bool pressZone(HWND, int child) {
    if (child < 1 || child > zoneCount(nullptr)) return false;
    pressSettingsZone(shownSettingsZones()[size_t(child - 1)]);
    return true;
}

int zoneAt(HWND, int x, int y) { return hitZoneAt(shownSettingsZones(), x, y) + 1; }

}  // namespace

const AccessProvider kSettingsAccess = {zoneCount, describeZone, pressZone, nullptr, zoneAt};
