#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "osd/drawing_kit.h"
#include "osd/hud_paint.h"

namespace {

HudModel filmHalfWay(int clientWidth, float scale) {
    HudModel m;
    layoutHudElements(m, clientWidth, scale);
    m.duration = 7200;
    m.position = 3600;
    m.volume = 100;
    m.audioTrack = "1";
    return m;
}

// The first differing pixel as "x,y", or empty when the kept-picture repaint is exactly what
// drawing everything afresh gives.
std::string firstDifference(const HudModel& m) {
    const Canvas* kept = RenderHud(m);
    if (!kept) return "no canvas";
    Canvas whole(kept->width, kept->height);
    PaintHudWhole(whole, m);
    Gdiplus::DllExports::GdipFlush(whole.graphics, Gdiplus::FlushIntentionSync);
    if (!whole.pixels) return "no pixels";
    for (int y = 0; y < kept->height; ++y)
        for (int x = 0; x < kept->width; ++x)
            if (kept->pixels[y * kept->width + x] != whole.pixels[y * whole.width + x])
                return std::to_string(x) + "," + std::to_string(y);
    return std::string();
}

class HudPaint : public ::testing::Test {
protected:
    void SetUp() override {
        InitDrawingKit();
        SetUiScale(1.0f);
    }
    void TearDown() override { SetUiScale(1.0f); }
};

// A repaint starts from the kept picture of the buttons and chips: after every kind of change,
// one after the other as playback would bring them, it must match a repaint from scratch.
TEST_F(HudPaint, KeptPictureRepaintsMatchWholeRepaints) {
    HudModel m = filmHalfWay(1100, 1.0f);
    ASSERT_EQ(firstDifference(m), "");
    const std::function<void(HudModel&)> steps[] = {
        [](HudModel& x) { x.position = 3601.5; },
        [](HudModel& x) { x.paused = true; },
        [](HudModel& x) { x.hover = kHudSeek, x.hoverFraction = 0.25; },
        [](HudModel& x) { x.hover = kHudPlay, x.hoverFraction = -1; },
        [](HudModel& x) { x.volume = 150; },
        [](HudModel& x) { x.muted = true; },
        [](HudModel& x) { x.loopA = 600, x.loopB = 4000; },
        [](HudModel& x) { x.markers = {900, 5400}; },
        [](HudModel& x) { x.speed = 1.5, x.subtitlesShown = true, x.audioTrack = "2"; },
        [](HudModel& x) { x.duration = 40, x.position = 12; },
        [](HudModel& x) { x.pressed = kHudFs, x.hover = kHudFs; },
        [](HudModel& x) { x.drag = kHudVol, x.volume = 30; },
        [](HudModel& x) { layoutHudElements(x, 640, 1.0f); },
        [](HudModel& x) { layoutHudElements(x, 1920, 1.0f); },
    };
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        steps[i](m);
        EXPECT_EQ(firstDifference(m), "") << "after change " << i;
    }
    // A new scale with the same logical width makes a new kept picture.
    SetUiScale(1.5f);
    layoutHudElements(m, 1650, 1.5f);
    EXPECT_EQ(firstDifference(m), "");
    const Canvas* frame = RenderHud(m);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->width, 1650);
    EXPECT_EQ(frame->height, 123);
}

}  // namespace
