#include "panels/info_window.h"

void toggleInfoWindow() {}
bool isInfoWindowOpen() { return false; }
void closeInfoWindow() {}
void repositionInfoWindow() {}
void infoWindowTick() {}
