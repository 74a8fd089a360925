// Pan & Scan presets and the fill-screen mode.
#pragma once

extern bool fillScreen;

// Flips fill-screen mode and recomputes the picture scale; returns the new state.
bool toggleFill();
void clearFill();
// Applies preset n (out-of-range values give preset 0); returns its name (Thai source text).
const wchar_t* applyPanScanPreset(int n);
// Scales the picture to fill the window again after a size change.
void recomputeFill();
// The preset (0..6) that matches the engine's current scale, or -1.
int CurrentPanScanPreset();
