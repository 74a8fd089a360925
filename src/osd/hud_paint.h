// Painting the control bar from its model.
#pragma once
#include "osd/hud_core.h"

struct HWND__;

// Paints the whole bar and presents it at (x, y) screen pixels.
void PaintHud(HWND__* window, const HudModel& model, int x, int y);
