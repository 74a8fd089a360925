// The settings panel for a screen reader: a dialog of its switches, chips and buttons.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kSettingsAccess;
