#include "store/settings_window.h"

void toggleSettingsWindow() {}
bool isSettingsWindowOpen() { return false; }
void closeSettingsWindow() {}
void repositionSettingsWindow() {}
