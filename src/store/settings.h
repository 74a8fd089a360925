// The process-wide settings record, its file and bringing the running program in line with it.
#pragma once
#include "store/settings_core.h"

Settings& appSettings();

// Remembers the path (null or empty: nothing is ever written), resets to the defaults
// and reads the file.
void loadSettings(const wchar_t* path);

// Writes the record to the remembered path; false when nothing was written.
bool saveSettings();

// Language, hide delay, resume, watch history, and the engine options when it runs.
void applySettings();
