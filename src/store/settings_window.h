// The settings panel.
#pragma once
#include <string>
#include <vector>

#include "store/settings_window_core.h"

struct HWND__;

// Hands the panel the window it opens over and what makes a changed setting take effect;
// called once, before the first toggle.
void initSettingsWindow(HWND__* owner, void (*apply)());
void toggleSettingsWindow();
bool isSettingsWindowOpen();
void closeSettingsWindow();
// Keeps the panel beside the main window after it moved or changed size.
void repositionSettingsWindow();

// For the panel's accessible object: the zones as painted (none while closed), whether a zone
// shows its choice made, a chip's shown text, and a click on a zone.
const std::vector<HitZone>& shownSettingsZones();
bool settingsZoneChosen(const HitZone& zone);
std::wstring settingsChipText(const HitZone& zone);
void pressSettingsZone(const HitZone& zone);
