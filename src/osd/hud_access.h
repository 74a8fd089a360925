// The control bar's elements for a screen reader, and what the bar hands its provider.
#pragma once
#include "osd/accessible.h"
#include "osd/hud_core.h"

extern const AccessProvider kHudAccess;

// The model as last refreshed, the mode, and a click on a button (false for the sliders and
// for elements without a place).
const HudModel& CurrentHudModel();
bool IsHudFullScreen();
bool PressHudElement(int element);
