// The settings panel for a screen reader: a dialog of its switches, chips and buttons; and what
// the panel hands its provider.
#pragma once
#include <string>
#include <vector>

#include "osd/accessible.h"
#include "store/settings_window_core.h"

extern const AccessProvider kSettingsAccess;

// The zones as painted (none while closed), whether a zone shows its choice made, a chip's
// shown text, and a click on a zone.
const std::vector<HitZone>& shownSettingsZones();
bool settingsZoneChosen(const HitZone& zone);
std::wstring settingsChipText(const HitZone& zone);
void pressSettingsZone(const HitZone& zone);
