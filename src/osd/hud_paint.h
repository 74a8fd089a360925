// Painting the control bar from its model.
#pragma once
#include "osd/hud_core.h"

struct Canvas;
struct HWND__;

// Paints the whole bar and presents it at (x, y) screen pixels.
void PaintHud(HWND__* window, const HudModel& model, int x, int y);

// The bar's picture at the current scale, drawn from the kept picture of what playback does
// not move; null when no canvas could be made. Valid until the next call.
const Canvas* RenderHud(const HudModel& model);
// Everything drawn afresh on a canvas of the bar's size, as a repaint without the kept picture.
void PaintHudWhole(Canvas& canvas, const HudModel& model);
