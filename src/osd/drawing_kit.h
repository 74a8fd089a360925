// What every drawn panel shares: GDI+ start-up, the fonts, the off-screen canvas, its
// presentation to a layered window and the small drawing primitives. Drawing code works in
// unscaled (96-dpi) pixels; the canvas scales by the UI scale once, through its transform.
#pragma once
#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>

#include "osd/drawing_kit_core.h"
#include "osd/uiscale.h"

using Gdiplus::GpBitmap;
using Gdiplus::GpFont;
using Gdiplus::GpFontFamily;
using Gdiplus::GpGraphics;
using Gdiplus::PointF;
using Gdiplus::SizeF;
using Gdiplus::WrapMode;

// Starts GDI+ and loads the fonts on the first call; later calls do nothing. Every panel calls
// it before creating its window. GDI+ stays up until the process ends.
void InitDrawingKit();

// The four fonts (pixel units, so they follow the canvas transform). A font whose family
// could not be found anywhere is null, and text drawn with it is skipped.
GpFont* UiFont();
GpFont* MonoFont();
GpFont* MonoFontLarge();
GpFont* MonoFontSmall();

// The family choice for a font folder: the private files when they hold the wanted family,
// else the installed fallback, else the system's generic sans-serif or monospace family, else
// the first installed family.
// The kit calls it once with "<program folder>\fonts\"; GDI+ must be started.
struct FontFamilies {
    GpFontFamily* ui;
    GpFontFamily* mono;
};
FontFamilies LoadFontFamilies(const std::wstring& fontFolder);
std::wstring FamilyName(GpFontFamily* family);
std::wstring FontFamilyNameOf(GpFont* font);

// An off-screen bitmap in premultiplied ARGB of width × height real pixels, cleared to fully
// transparent, with a graphics context scaled by the UI scale (unscaled for measuring).
// It lives for one repaint.
struct Canvas {
    Canvas(int width, int height, bool scaled = true);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    int width = 0, height = 0;
    GpBitmap* bitmap = nullptr;
    GpGraphics* graphics = nullptr;  // null when the bitmap could not be made
    HBITMAP dib = nullptr;           // the pixels, shared with `bitmap`; null when memory was short
    uint32_t* pixels = nullptr;      // the DIB's rows, top down; null without `dib`
};

// Canvases alive now: each lives for one repaint, so outside a paint this is 0.
int LiveCanvasCount();

// Hands the canvas to the layered window at a screen position and real-pixel size with
// per-pixel alpha. False when no GDI bitmap could be made: the window keeps its old picture.
bool PresentLayered(HWND window, const Canvas& canvas, int x, int y, int width, int height);

// Shows a popup without activating, moving or sizing it: topmost when its owner is topmost,
// otherwise at the top of the normal band.
void ShowAboveOwner(HWND popup);

// Primitives: coordinates and sizes in unscaled pixels. A failing GDI+ call is ignored so
// that the rest of the repaint still happens.
enum TextAlign { kAlignNear = 0, kAlignCentre = 1, kAlignFar = 2 };
void FillBox(GpGraphics* g, Argb colour, float x, float y, float w, float h);
void OutlineBox(GpGraphics* g, Argb colour, float x, float y, float w, float h);
void FillPolygonSolid(GpGraphics* g, Argb colour, const PointF* points, int count);
void DrawPolyline(GpGraphics* g, Argb colour, float width, const PointF* points, int count);
// A polygon filled with the accent gradient from `top` to `bottom`; `wrap` decides what lies
// outside that band.
void GradientPolygon(GpGraphics* g, const PointF* points, int count, float top, float bottom, WrapMode wrap);
void GlowPolyline(GpGraphics* g, Argb colour, const PointF points[3]);
void DrawTextBox(GpGraphics* g, const wchar_t* text, GpFont* font, Argb colour, float x, float y, float w,
                 float h, int align);
SizeF MeasureText(const wchar_t* text, GpFont* font);
void GradientFill(GpGraphics* g, float x, float y, float w, float h, PointF from, PointF to);
