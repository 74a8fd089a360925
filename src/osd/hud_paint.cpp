#include "osd/hud_paint.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "app/textconv.h"
#include "osd/drawing_kit.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

struct Centre {
    float x, y;
};

Centre centreOf(const HudRect& r) { return {(r.left + r.right) / 2.0f, (r.top + r.bottom) / 2.0f}; }

bool isActive(const HudModel& m, int element) { return m.hover == element || m.pressed == element; }

Argb iconColour(const HudModel& m, int element) { return isActive(m, element) ? AccentCyan(255) : TextBright(235); }

void hoverFrame(GpGraphics* g, const HudModel& m, int element, bool idleOutline) {
    const HudRect& r = m.elements[element];
    float w = float(r.right - r.left), h = float(r.bottom - r.top);
    if (isActive(m, element)) {
        FillBox(g, AccentCyan(30), r.left, r.top, w, h);
        OutlineBox(g, AccentCyan(170), r.left, r.top, w, h);
    } else if (idleOutline) {
        OutlineBox(g, AccentCyan(90), r.left, r.top, w, h);
    }
}

void triangle(GpGraphics* g, Argb colour, PointF a, PointF b, PointF c) {
    PointF points[3] = {a, b, c};
    FillPolygonSolid(g, colour, points, 3);
}

void arc(GpGraphics* g, Argb colour, float width, float x, float y, float w, float h) {
    GpPen* pen = nullptr;
    if (GdipCreatePen1(colour, width, UnitPixel, &pen) != Ok) return;
    GdipDrawArc(g, pen, x, y, w, h, -50.0f, 100.0f);
    GdipDeletePen(pen);
}

void line(GpGraphics* g, Argb colour, float width, PointF a, PointF b) {
    PointF points[2] = {a, b};
    DrawPolyline(g, colour, width, points, 2);
}

void text(GpGraphics* g, const std::string& utf8, GpFont* font, Argb colour, float x, float y, float w, float h,
          int align) {
    DrawTextBox(g, toWide(utf8).c_str(), font, colour, x, y, w, h, align);
}

void paintSeekBar(GpGraphics* g, const HudModel& m, bool hours) {
    const HudRect& r = m.elements[kHudSeek];
    float L = r.left, R = r.right, len = R - L, cy = 32;
    double d = m.duration > 0 ? m.duration : 1;
    double f = m.position / d;
    f = f < 0 ? 0 : (f > 1 ? 1 : f);
    float xp = float(L + f * len);
    FillBox(g, AccentCyan(30), L, cy - 2, len, 4);
    if (m.loopA >= 0) {
        float xa = float(L + m.loopA / d * len);
        float xb = m.loopB >= 0 ? float(L + m.loopB / d * len) : xp;
        if (xb > xa) FillBox(g, AmberWarn(70), xa, cy - 4, xb - xa, 8);
        FillBox(g, AmberWarn(255), xa - 1, cy - 8, 2, 16);
        if (m.loopB >= 0) FillBox(g, AmberWarn(255), xb - 1, cy - 8, 2, 16);
    }
    if (xp > L) {
        FillBox(g, AccentCyan(60), L, cy - 5, xp - L, 10);
        GradientFill(g, L, cy - 2, xp - L, 4, PointF(L, cy), PointF(R > L + 1 ? R : L + 1, cy));
    }
    if (m.duration > 0) {
        for (double t : m.markers) {
            if (t < 0 || t > m.duration) continue;
            float x = float(L + t / d * len);
            triangle(g, TextBright(255), PointF(x - 4, cy + 13), PointF(x + 4, cy + 13), PointF(x, cy + 6));
        }
    }
    PointF outer[4] = {{xp, cy - 9}, {xp + 6, cy}, {xp, cy + 9}, {xp - 6, cy}};
    FillPolygonSolid(g, AccentCyan(70), outer, 4);
    PointF inner[4] = {{xp, cy - 6}, {xp + 4, cy}, {xp, cy + 6}, {xp - 4, cy}};
    FillPolygonSolid(g, TextBright(255), inner, 4);
    bool overBar = m.hover == kHudSeek || m.drag == kHudSeek;
    if (overBar && m.hoverFraction >= 0 && m.duration > 0) {
        float bw = hours ? 74 : 56;
        float xh = float(L + m.hoverFraction * len);
        float bx = xh - bw / 2 < m.width - bw - 2 ? xh - bw / 2 : m.width - bw - 2;
        if (bx < 2) bx = 2;
        FillBox(g, BubbleNavy, bx, 2, bw, 20);
        OutlineBox(g, AccentCyan(150), bx, 2, bw, 20);
        text(g, hudTimeText(m.hoverFraction * m.duration, hours), MonoFont(), TextBright(255), bx, 2, bw, 20,
             kAlignCentre);
    }
}

void paintPlayButton(GpGraphics* g, const HudModel& m) {
    const HudRect& r = m.elements[kHudPlay];
    float L = r.left, T = r.top, R = r.right, B = r.bottom;
    Centre c = centreOf(r);
    PointF outer[6] = {{L + 6, T - 3}, {R + 3, T - 3}, {R + 3, B - 10}, {R - 10, B + 3}, {L - 3, B + 3}, {L - 3, T + 6}};
    FillPolygonSolid(g, AccentCyan(m.hover == kHudPlay ? 70 : 40), outer, 6);
    PointF inner[6] = {{L + 8, T}, {R, T}, {R, B - 8}, {R - 8, B}, {L, B}, {L, T + 8}};
    GradientPolygon(g, inner, 6, T, B, WrapModeTile);
    PaintTransportGlyph(g, m.paused ? kGlyphPlay : kGlyphPause, GlyphNavy, c.x, c.y);
}

void paintTransport(GpGraphics* g, const HudModel& m) {
    for (int e : {kHudPrev, kHudBack, kHudFwd, kHudNext, kHudMute}) hoverFrame(g, m, e, false);
    Centre c = centreOf(m.elements[kHudPrev]);
    Argb col = iconColour(m, kHudPrev);
    PaintTransportGlyph(g, kGlyphPrev, col, c.x, c.y);
    c = centreOf(m.elements[kHudBack]);
    col = iconColour(m, kHudBack);
    triangle(g, col, PointF(c.x + 1, c.y - 6), PointF(c.x - 7, c.y), PointF(c.x + 1, c.y + 6));
    triangle(g, col, PointF(c.x + 9, c.y - 6), PointF(c.x + 1, c.y), PointF(c.x + 9, c.y + 6));
    paintPlayButton(g, m);
    c = centreOf(m.elements[kHudFwd]);
    col = iconColour(m, kHudFwd);
    triangle(g, col, PointF(c.x - 9, c.y - 6), PointF(c.x - 1, c.y), PointF(c.x - 9, c.y + 6));
    triangle(g, col, PointF(c.x - 1, c.y - 6), PointF(c.x + 7, c.y), PointF(c.x - 1, c.y + 6));
    c = centreOf(m.elements[kHudNext]);
    col = iconColour(m, kHudNext);
    PaintTransportGlyph(g, kGlyphNext, col, c.x, c.y);

    c = centreOf(m.elements[kHudMute]);
    col = iconColour(m, kHudMute);
    PointF speaker[6] = {{c.x - 9, c.y - 3}, {c.x - 5, c.y - 3}, {c.x, c.y - 8},
                         {c.x, c.y + 8},     {c.x - 5, c.y + 3}, {c.x - 9, c.y + 3}};
    FillPolygonSolid(g, col, speaker, 6);
    if (m.muted || m.volume <= 0) {
        line(g, MuteCoral, 2, PointF(c.x + 4, c.y - 5), PointF(c.x + 11, c.y + 5));
        line(g, MuteCoral, 2, PointF(c.x + 11, c.y - 5), PointF(c.x + 4, c.y + 5));
    } else {
        arc(g, col, 1.5f, c.x - 3, c.y - 5, 10, 10);
        if (m.volume > 50) arc(g, col, 1.5f, c.x - 6, c.y - 9, 17, 18);
    }
}

void paintVolume(GpGraphics* g, const HudModel& m) {
    const HudRect& r = m.elements[kHudVol];
    float L = r.left, R = r.right, T = r.top, B = r.bottom, len = R - L, half = len / 2, cy = (T + B) / 2;
    double v = m.volume / 200.0;
    v = v < 0 ? 0 : (v > 1 ? 1 : v);
    float fill = float(v * len);
    FillBox(g, AccentCyan(30), L, cy - 2, len, 4);
    GradientFill(g, L, cy - 2, fill < half ? fill : half, 4, PointF(L, cy), PointF(L + half, cy));
    if (fill > half) FillBox(g, AmberWarn(255), L + half, cy - 2, fill - half, 4);
    FillBox(g, TextMuted(160), L + half - 0.5f, cy - 5, 1, 10);
    bool active = m.hover == kHudVol || m.drag == kHudVol;
    FillBox(g, active ? AccentCyan(255) : TextBright(255), L + fill - 3, cy - 6, 6, 12);
    text(g, std::to_string(int(m.volume + (m.volume < 0 ? -0.5 : 0.5))), MonoFont(),
         m.muted ? TextMuted(255) : TextBright(255), R + 8, T - 6, 30, 26, kAlignNear);
}

void chip(GpGraphics* g, const HudModel& m, int element, const std::string& caption, bool active, Argb activeColour) {
    const HudRect& r = m.elements[element];
    if (r.empty()) return;
    hoverFrame(g, m, element, true);
    Argb colour = m.hover == element ? TextBright(255) : (active ? activeColour : TextMuted(255));
    text(g, caption, MonoFont(), colour, r.left, r.top, r.right - r.left, r.bottom - r.top, kAlignCentre);
}

void paintChipsAndButtons(GpGraphics* g, const HudModel& m) {
    chip(g, m, kHudSpeed, hudSpeedCaption(m.speed), hudChipActive(m, kHudSpeed), AccentCyan(255));
    chip(g, m, kHudAb, "A-B", hudChipActive(m, kHudAb), AmberWarn(255));
    chip(g, m, kHudSub, "SUB", hudChipActive(m, kHudSub), AccentCyan(255));
    chip(g, m, kHudAud, hudAudioCaption(m.audioTrack), hudChipActive(m, kHudAud), AccentCyan(255));
    if (!m.elements[kHudOpen].empty()) {
        hoverFrame(g, m, kHudOpen, true);
        Centre c = centreOf(m.elements[kHudOpen]);
        Argb col = iconColour(m, kHudOpen);
        PointF tray[4] = {{c.x - 8, c.y + 1}, {c.x - 8, c.y + 8}, {c.x + 8, c.y + 8}, {c.x + 8, c.y + 1}};
        DrawPolyline(g, col, 1.5f, tray, 4);
        PointF head[3] = {{c.x - 4, c.y - 3}, {c.x, c.y - 8}, {c.x + 4, c.y - 3}};
        DrawPolyline(g, col, 1.5f, head, 3);
        line(g, col, 1.5f, PointF(c.x, c.y - 8), PointF(c.x, c.y + 4));
    }
    if (!m.elements[kHudFs].empty()) {
        hoverFrame(g, m, kHudFs, true);
        Centre c = centreOf(m.elements[kHudFs]);
        Argb col = iconColour(m, kHudFs);
        const float corners[4][6] = {{-8, -4, -8, -8, -4, -8}, {4, -8, 8, -8, 8, -4}, {8, 4, 8, 8, 4, 8},
                                     {-4, 8, -8, 8, -8, 4}};
        for (const auto& k : corners) {
            PointF bracket[3] = {{c.x + k[0], c.y + k[1]}, {c.x + k[2], c.y + k[3]}, {c.x + k[4], c.y + k[5]}};
            DrawPolyline(g, col, 1.5f, bracket, 3);
        }
    }
}

// Everything but the position text and the seek bar: it changes with a state or a hover, not
// with playback, so it is drawn once into a kept picture.
void paintStill(GpGraphics* g, const HudModel& m) {
    const float W = float(m.width);
    FillBox(g, PanelNavy, 0, 0, W, kHudHeight);
    OutlineBox(g, AccentCyan(40), 0, 0, W, kHudHeight);
    PointF topLeft[3] = {{1, 17}, {1, 1}, {17, 1}};
    GlowPolyline(g, AccentCyan(255), topLeft);
    PointF bottomRight[3] = {{W - 1, 65}, {W - 1, 81}, {W - 17, 81}};
    GlowPolyline(g, AccentCyan(255), bottomRight);
    bool hours = m.duration >= 3600;
    text(g, hudTimeText(m.duration, hours), MonoFontLarge(), TextMuted(255), W - 82, 22, 64, 20, kAlignFar);
    paintTransport(g, m);
    paintVolume(g, m);
    paintChipsAndButtons(g, m);
}

// The position text and the seek bar, drawn over the still picture on every repaint. They
// share no pixels with what the still picture draws after the background.
void paintMoving(GpGraphics* g, const HudModel& m) {
    bool hours = m.duration >= 3600;
    text(g, hudTimeText(m.position, hours), MonoFontLarge(), AccentCyan(255), 18, 22, 64, 20, kAlignNear);
    paintSeekBar(g, m, hours);
}

// The still picture and the canvas each repaint is drawn on, kept while size and scale last:
// making a canvas and drawing the buttons and chips were most of a playback repaint.
struct KeptCanvases {
    std::unique_ptr<Canvas> still, frame;
    float scale = 0;
    std::string stillKey;
};
KeptCanvases kept;

bool keepCanvases(int width, int height) {
    if (!kept.frame || kept.frame->width != width || kept.frame->height != height || kept.scale != UiScale()) {
        kept.still.reset(new Canvas(width, height));
        kept.frame.reset(new Canvas(width, height));
        kept.scale = UiScale();
        kept.stillKey.clear();
    }
    return kept.still->graphics && kept.still->pixels && kept.frame->graphics && kept.frame->pixels;
}

}  // namespace

void PaintTransportGlyph(GpGraphics* g, int glyph, Argb colour, float x, float y) {
    switch (glyph) {
        case kGlyphPrev:
            FillBox(g, colour, x - 8, y - 6, 2, 12);
            triangle(g, colour, PointF(x + 7, y - 6), PointF(x - 4, y), PointF(x + 7, y + 6));
            return;
        case kGlyphNext:
            FillBox(g, colour, x + 6, y - 6, 2, 12);
            triangle(g, colour, PointF(x - 7, y - 6), PointF(x + 4, y), PointF(x - 7, y + 6));
            return;
        case kGlyphPlay:
            triangle(g, colour, PointF(x - 4, y - 8), PointF(x - 4, y + 8), PointF(x + 8, y));
            return;
        case kGlyphPause:
            FillBox(g, colour, x - 6, y - 7, 4, 14);
            FillBox(g, colour, x + 2, y - 7, 4, 14);
            return;
    }
}

HICON TransportGlyphIcon(int glyph, int size) {
    Canvas canvas(size, size, false);
    if (!canvas.graphics || !canvas.dib) return nullptr;
    // The glyphs span 16 of their own pixels around their centre; a little room stays around them.
    GdipScaleWorldTransform(canvas.graphics, size / 18.0f, size / 18.0f, MatrixOrderPrepend);
    PaintTransportGlyph(canvas.graphics, glyph, TextBright(255), 9, 9);
    GdipFlush(canvas.graphics, FlushIntentionSync);
    // Icons take straight alpha; the canvas holds premultiplied colour.
    for (int i = 0; i < size * size; ++i) {
        uint32_t p = canvas.pixels[i], a = p >> 24;
        if (a == 0 || a == 255) continue;
        auto channel = [&](int shift) { return std::min(255u, ((p >> shift) & 0xFF) * 255 / a) << shift; };
        canvas.pixels[i] = (a << 24) | channel(16) | channel(8) | channel(0);
    }
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    ICONINFO info = {TRUE, 0, 0, mask, canvas.dib};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    return icon;
}

void PaintHudWhole(Canvas& canvas, const HudModel& m) {
    if (!canvas.graphics) return;
    paintStill(canvas.graphics, m);
    paintMoving(canvas.graphics, m);
}

const Canvas* RenderHud(const HudModel& m) {
    const int width = ScalePx(float(m.width)), height = ScalePx(kHudHeight);
    if (!keepCanvases(width, height)) return nullptr;
    std::string key = hudStaticPaintKey(m, UiScale());
    if (key != kept.stillKey) {
        GdipGraphicsClear(kept.still->graphics, 0x00000000);
        paintStill(kept.still->graphics, m);
        GdipFlush(kept.still->graphics, FlushIntentionSync);
        kept.stillKey = key;
    }
    memcpy(kept.frame->pixels, kept.still->pixels, size_t(width) * size_t(height) * 4);
    paintMoving(kept.frame->graphics, m);
    GdipFlush(kept.frame->graphics, FlushIntentionSync);
    return kept.frame.get();
}

void PaintHud(HWND window, const HudModel& m, int x, int y) {
    if (!window) return;
    if (const Canvas* frame = RenderHud(m)) {
        PresentLayered(window, *frame, x, y, frame->width, frame->height);
        return;
    }
    // Without a DIB section there are no pixels to copy: everything on a canvas of its own.
    Canvas canvas(ScalePx(float(m.width)), ScalePx(kHudHeight));
    PaintHudWhole(canvas, m);
    if (canvas.graphics) PresentLayered(window, canvas, x, y, canvas.width, canvas.height);
}
