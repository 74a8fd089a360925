#include <gtest/gtest.h>

#include <functional>

#include "osd/drawing_kit.h"
#include "osd/hud_paint.h"

namespace {

// The first differing pixel as "x,y", or empty when the kept-picture repaint is exactly what
// drawing everything afresh gives.
std::string firstDifference(const HudModel& m) {
    const Canvas* kept = RenderHud(m);
    if (!kept) return "no canvas";
    Canvas whole(kept->width, kept->height);
    PaintHudWhole(whole, m);
    Gdiplus::DllExports::GdipFlush(whole.graphics, Gdiplus::FlushIntentionSync);
    if (!whole.pixels) return "no pixels";
    for (int i = 0; i < kept->width * kept->height; ++i)
        if (kept->pixels[i] != whole.pixels[i]) return std::to_string(i % kept->width) + "," + std::to_string(i / kept->width);
    return std::string();
}

// A repaint starts from the kept picture of the buttons and chips: after every kind of change,
// one after the other as playback would bring them, it must match a repaint from scratch.
TEST(HudPaint, KeptPictureRepaintsMatchWholeRepaints) {
    InitDrawingKit();
    HudModel m;
    layoutHudElements(m, 1100, 1.0f);
    m.duration = 7200;
    m.position = 3600;
    m.volume = 100;
    m.audioTrack = "1";
    const std::function<void(HudModel&)> steps[] = {
        [](HudModel&) {},
        [](HudModel& x) { x.position = 3601.5, x.paused = true; },
        [](HudModel& x) { x.hover = kHudSeek, x.hoverFraction = 0.25; },
        [](HudModel& x) { x.hover = kHudPlay, x.hoverFraction = -1, x.volume = 150, x.muted = true; },
        [](HudModel& x) { x.loopA = 600, x.loopB = 4000, x.markers = {900, 5400}; },
        [](HudModel& x) { x.speed = 1.5, x.subtitlesShown = true, x.audioTrack = "2"; },
        [](HudModel& x) { x.duration = 40, x.position = 12, x.pressed = x.hover = kHudFs; },
        [](HudModel& x) { x.drag = kHudVol, x.volume = 30; },
        [](HudModel& x) { layoutHudElements(x, 640, 1.0f); },
        [](HudModel& x) { SetUiScale(1.5f), layoutHudElements(x, 1650, 1.5f); },  // same logical width
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        steps[i](m);
        EXPECT_EQ(firstDifference(m), "") << "after change " << i;
    }
    SetUiScale(1.0f);
}

}  // namespace
