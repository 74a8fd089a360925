// The settings panel.
#pragma once

void toggleSettingsWindow();
bool isSettingsWindowOpen();
void closeSettingsWindow();
// Keeps the panel beside the main window after it moved or changed size.
void repositionSettingsWindow();
