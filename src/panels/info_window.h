// The file information panel.
#pragma once

void toggleInfoWindow();
bool isInfoWindowOpen();
void closeInfoWindow();
// Keeps the panel beside the main window after it moved or changed size.
void repositionInfoWindow();
// Every 100 ms: refreshes the figures while the panel is open.
void infoWindowTick();
