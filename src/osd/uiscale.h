// The process-wide UI scale: real pixels per logical (96-dpi) pixel.
#pragma once
#include "osd/uiscale_core.h"

struct HWND__;

// KIVOPLAYER_SCALE when it fixes the scale, else the window's or the system's dpi / 96.
float ComputeUiScale(HWND__* window);
void SetUiScale(float s);
float UiScale();
int ScalePx(float logical);
