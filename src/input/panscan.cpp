#include "input/panscan.h"

bool fillScreen = false;

bool toggleFill() {
    fillScreen = !fillScreen;
    return fillScreen;
}

void clearFill() { fillScreen = false; }

const wchar_t* applyPanScanPreset(int) { return L""; }
void recomputeFill() {}
int CurrentPanScanPreset() { return -1; }
