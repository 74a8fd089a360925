// Painting the control bar from its model.
#pragma once
#include "osd/hud_core.h"

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>

struct Canvas;

// Paints the whole bar and presents it at (x, y) screen pixels.
void PaintHud(HWND window, const HudModel& model, int x, int y);

// The bar's picture at the current scale, drawn from the kept picture of what playback does
// not move; null when no canvas could be made. Valid until the next call.
const Canvas* RenderHud(const HudModel& model);
// Everything drawn afresh on a canvas of the bar's size, as a repaint without the kept picture.
void PaintHudWhole(Canvas& canvas, const HudModel& model);

// The transport glyphs of the bar, centred on (x, y) in the graphics' units, 16 of them wide.
enum TransportGlyph { kGlyphPrev, kGlyphNext, kGlyphPlay, kGlyphPause };
void PaintTransportGlyph(Gdiplus::GpGraphics* g, int glyph, uint32_t colour, float x, float y);

// The glyph in the bright text colour as an icon of size × size pixels; null when it failed.
HICON TransportGlyphIcon(int glyph, int size);
