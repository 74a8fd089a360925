#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "osd/hud_core.h"

namespace {

HudModel laidOut(int widthPx, float scale = 1.0f) {
    HudModel m;
    layoutHudElements(m, widthPx, scale);
    return m;
}

void expectRect(const HudRect& r, int left, int right) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.top, 49);
    EXPECT_EQ(r.bottom, 77);
}

TEST(HudLayout, RightGroupAt1100) {
    HudModel m = laidOut(1100);
    EXPECT_EQ(m.width, 1100);
    expectRect(m.elements[kHudFs], 1052, 1082);
    expectRect(m.elements[kHudOpen], 1014, 1044);
    expectRect(m.elements[kHudAud], 944, 1006);
    expectRect(m.elements[kHudSub], 888, 936);
    expectRect(m.elements[kHudAb], 832, 880);
    expectRect(m.elements[kHudSpeed], 766, 824);
    EXPECT_EQ(m.elements[kHudSeek].right, 1016);
}

TEST(HudLayout, NarrowWidthsDropChipsThatDoNotFit) {
    HudModel m = laidOut(640);
    EXPECT_FALSE(m.elements[kHudFs].empty());
    EXPECT_FALSE(m.elements[kHudOpen].empty());
    EXPECT_FALSE(m.elements[kHudAud].empty());
    EXPECT_FALSE(m.elements[kHudSub].empty());
    EXPECT_TRUE(m.elements[kHudAb].empty());
    EXPECT_TRUE(m.elements[kHudSpeed].empty());
    // Clicks where a dropped chip would be hit nothing.
    EXPECT_EQ(hudHitTest(m, 400, 60), kHudNone);

    HudModel small = laidOut(200);
    EXPECT_EQ(small.width, 320);
    for (int e = kHudSpeed; e <= kHudOpen; ++e) EXPECT_TRUE(small.elements[e].empty()) << e;
    // A client of 1650 pixels at scale 1.5 is 1100 logical pixels.
    EXPECT_EQ(laidOut(1650, 1.5f).elements[kHudFs].left, 1052);
}

TEST(HudLayout, HitTestingExcludesRightAndBottomEdges) {
    HudModel m = laidOut(1100);
    EXPECT_EQ(hudHitTest(m, 84, 22), kHudSeek);
    EXPECT_EQ(hudHitTest(m, 1016, 30), kHudNone);
    EXPECT_EQ(hudHitTest(m, 100, 60), kHudPlay);
    EXPECT_EQ(hudHitTest(m, 100, 78), kHudNone);
    EXPECT_EQ(hudHitTest(m, 1051, 60), kHudNone);  // the gap between open and fs
    EXPECT_EQ(hudHitTest(m, 1052, 60), kHudFs);
    EXPECT_DOUBLE_EQ(hudFraction(m.elements[kHudSeek], 84 + 466), 0.5);
    EXPECT_DOUBLE_EQ(hudFraction(m.elements[kHudSeek], 0), 0.0);
    EXPECT_DOUBLE_EQ(hudFraction(m.elements[kHudSeek], 5000), 1.0);
    EXPECT_DOUBLE_EQ(hudFraction(HudRect{10, 0, 10, 5}, 11), 1.0);  // zero width counts as 1
}

TEST(HudControls, SeekAndVolumeArithmetic) {
    EXPECT_EQ(hudSeekCommand(0.5, 100, false), "seek 50.000 absolute+keyframes");
    EXPECT_EQ(hudSeekCommand(0.5, 100, true), "seek 50.000 absolute+exact");
    EXPECT_EQ(hudSeekCommand(0.5, 0, true), "");
    EXPECT_EQ(hudVolumeFromFraction(0.5), 100);
    EXPECT_EQ(hudVolumeFromFraction(0.485), 100);  // 97 snaps
    EXPECT_EQ(hudVolumeFromFraction(0.47), 94);
    EXPECT_EQ(hudVolumeFromFraction(0.981), 200);
    EXPECT_EQ(hudVolumeFromFraction(0.0), 0);
    EXPECT_EQ(hudVolumeFromFraction(0.75), 150);
    EXPECT_STREQ(hudClickCommand(kHudSpeed), "cycle-values speed 1.25 1.5 2 0.5 0.75 1");
    EXPECT_EQ(hudClickCommand(kHudSeek), nullptr);
    EXPECT_EQ(hudClickCommand(kHudVol), nullptr);
}

TEST(HudTexts, TimesCaptionsAndMargins) {
    EXPECT_EQ(hudTimeText(3725.9, true), "1:02:05");
    EXPECT_EQ(hudTimeText(3725.9, false), "02:05");
    EXPECT_EQ(hudTimeText(-4, false), "00:00");
    EXPECT_EQ(hudTimeText(std::numeric_limits<double>::quiet_NaN(), true), "0:00:00");
    EXPECT_EQ(hudTimeText(std::numeric_limits<double>::infinity(), false), "00:00");
    EXPECT_EQ(hudTimeText(1e300, true), "0:00:00");
    EXPECT_EQ(hudSpeedCaption(1.0), "1x");
    EXPECT_EQ(hudSpeedCaption(1.25), "1.25x");
    EXPECT_EQ(hudSpeedCaption(0.5), "0.5x");
    EXPECT_EQ(hudSpeedCaption(0.899999), "0.9x");
    EXPECT_EQ(hudAudioCaption(""), "AUD -");
    EXPECT_EQ(hudAudioCaption("no"), "AUD -");
    EXPECT_EQ(hudAudioCaption("2"), "AUD 2");
    EXPECT_EQ(hudSubtitleMargin(true, 1.0f, 1080), 75);
    EXPECT_EQ(hudSubtitleMargin(false, 1.0f, 1080), 22);
    EXPECT_EQ(hudSubtitleMargin(true, 1.0f, 5000), 22);
    EXPECT_EQ(hudSubtitleMargin(true, 2.0f, 2160), 75);
}

TEST(HudAutoHide, FullScreenBandAndActivity) {
    HudWantInputs in{false, false, false, false, false, 960, 1050, 0, 0, 1920, 1080, 82};
    EXPECT_FALSE(hudWanted(in));  // resting in the band while playing
    in.recent = true;
    EXPECT_TRUE(hudWanted(in));
    in.cursorY = 997;  // above the band
    EXPECT_FALSE(hudWanted(in));
    in.cursorY = 998;
    EXPECT_TRUE(hudWanted(in));
    in.recent = false;
    in.paused = true;
    EXPECT_TRUE(hudWanted(in));
    in.cursorY = 500;  // paused but over the picture
    EXPECT_FALSE(hudWanted(in));
    in.dragging = true;
    EXPECT_TRUE(hudWanted(in));
    in.dragging = false;
    in.docked = true;
    EXPECT_TRUE(hudWanted(in));
    HudWantInputs edge{false, false, true, false, false, 1920, 1050, 0, 0, 1920, 1080, 82};
    EXPECT_FALSE(hudWanted(edge));  // the right edge is outside
}

}  // namespace

namespace {

TEST(HudRepaint, KeyChangesOnlyWithWhatShows) {
    HudModel m;
    layoutHudElements(m, 1100, 1.0f);
    m.duration = 7200;
    m.position = 3600.0;
    std::string key = hudPaintKey(m, 1.0f);
    m.position = 3600.4;  // same second, playhead moves 0.05 px
    EXPECT_EQ(hudPaintKey(m, 1.0f), key);
    m.position = 3601.0;  // the time text changes
    EXPECT_NE(hudPaintKey(m, 1.0f), key);
    key = hudPaintKey(m, 1.0f);
    for (auto change : {+[](HudModel& x) { x.hover = kHudPlay; }, +[](HudModel& x) { x.paused = true; },
                        +[](HudModel& x) { x.volume = 101; }, +[](HudModel& x) { x.loopA = 10; },
                        +[](HudModel& x) { x.markers = {5}; }, +[](HudModel& x) { x.audioTrack = "2"; },
                        +[](HudModel& x) { x.speed = 1.5; }}) {
        HudModel changed = m;
        change(changed);
        EXPECT_NE(hudPaintKey(changed, 1.0f), key);
    }
    EXPECT_NE(hudPaintKey(m, 1.5f), key);
    // A short clip moves the playhead by pixels within one second.
    HudModel clip;
    layoutHudElements(clip, 1100, 1.0f);
    clip.duration = 10;
    clip.position = 5.0;
    std::string before = hudPaintKey(clip, 1.0f);
    clip.position = 5.1;
    EXPECT_NE(hudPaintKey(clip, 1.0f), before);

    // What only the position text and the seek bar show leaves the rest of the picture alone;
    // everything else drawn outside them changes it.
    std::string still = hudStaticPaintKey(m, 1.0f);
    for (auto change : {+[](HudModel& x) { x.position = 12; }, +[](HudModel& x) { x.markers = {5}; },
                        +[](HudModel& x) { x.hoverFraction = 0.3; }, +[](HudModel& x) { x.loopB = 30; }}) {
        HudModel changed = m;
        change(changed);
        EXPECT_EQ(hudStaticPaintKey(changed, 1.0f), still);
    }
    for (auto change : {+[](HudModel& x) { x.hover = kHudPlay; }, +[](HudModel& x) { x.paused = true; },
                        +[](HudModel& x) { x.volume = 101; }, +[](HudModel& x) { x.loopA = 10; },
                        +[](HudModel& x) { x.audioTrack = "2"; }, +[](HudModel& x) { x.speed = 1.5; },
                        +[](HudModel& x) { x.duration = 7300; }, +[](HudModel& x) { x.drag = kHudVol; },
                        +[](HudModel& x) { x.subtitlesShown = !x.subtitlesShown; },
                        +[](HudModel& x) { layoutHudElements(x, 1300, 1.0f); }}) {
        HudModel changed = m;
        change(changed);
        EXPECT_NE(hudStaticPaintKey(changed, 1.0f), still);
    }
    EXPECT_NE(hudStaticPaintKey(m, 1.5f), still);
}

}  // namespace
