// The settings panel.
#pragma once

struct HWND__;

// Hands the panel the window it opens over and what makes a changed setting take effect;
// called once, before the first toggle.
void initSettingsWindow(HWND__* owner, void (*apply)());
void toggleSettingsWindow();
bool isSettingsWindowOpen();
void closeSettingsWindow();
// Keeps the panel beside the main window after it moved or changed size.
void repositionSettingsWindow();
