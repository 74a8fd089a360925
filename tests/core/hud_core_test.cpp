#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "osd/hud_core.h"

namespace {

HudModel laidOut(int widthPx, float scale = 1.0f) {
    HudModel m;
    layoutHudElements(m, widthPx, scale);
    return m;
}

TEST(HudLayout, RightGroupDropsChipsThatDoNotFit) {
    HudModel m = laidOut(1100);
    // element, left, right at 1100 logical pixels; at 640 the two leftmost chips are gone
    const int chips[][3] = {{kHudFs, 1052, 1082}, {kHudOpen, 1014, 1044}, {kHudAud, 944, 1006},
                            {kHudSub, 888, 936},  {kHudAb, 832, 880},     {kHudSpeed, 766, 824}};
    for (const auto& c : chips) {
        const HudRect& r = m.elements[c[0]];
        EXPECT_EQ((std::vector<int>{r.left, r.right, r.top, r.bottom}), (std::vector<int>{c[1], c[2], 49, 77}));
        EXPECT_EQ(laidOut(640).elements[c[0]].empty(), c[0] == kHudAb || c[0] == kHudSpeed) << c[0];
        EXPECT_TRUE(laidOut(200).elements[c[0]].empty());
    }
    EXPECT_EQ(m.elements[kHudSeek].right, 1016);
    EXPECT_EQ(laidOut(200).width, 320);
    EXPECT_EQ(hudHitTest(laidOut(640), 400, 60), kHudNone);  // where a dropped chip would be
    EXPECT_EQ(laidOut(1650, 1.5f).elements[kHudFs].left, 1052);
}

TEST(HudLayout, HitTestingExcludesRightAndBottomEdges) {
    HudModel m = laidOut(1100);
    const int hits[][3] = {{84, 22, kHudSeek}, {1016, 30, kHudNone}, {100, 60, kHudPlay},
                           {100, 78, kHudNone}, {1051, 60, kHudNone}, {1052, 60, kHudFs}};
    for (const auto& h : hits) EXPECT_EQ(hudHitTest(m, h[0], h[1]), h[2]) << h[0] << "," << h[1];
    EXPECT_DOUBLE_EQ(hudFraction(m.elements[kHudSeek], 84 + 466), 0.5);
    EXPECT_DOUBLE_EQ(hudFraction(m.elements[kHudSeek], 0) + hudFraction(m.elements[kHudSeek], 5000), 1.0);
    EXPECT_DOUBLE_EQ(hudFraction(HudRect{10, 0, 10, 5}, 11), 1.0);  // zero width counts as 1
}

TEST(HudControls, SeekVolumeTimesAndCaptions) {
    EXPECT_EQ(hudSeekCommand(0.5, 100, false), "seek 50.000 absolute+keyframes");
    EXPECT_EQ(hudSeekCommand(0.5, 100, true), "seek 50.000 absolute+exact");
    EXPECT_EQ(hudSeekCommand(0.5, 0, true), "");
    for (auto [fraction, volume] : {std::pair{0.5, 100}, {0.485, 100}, {0.47, 94}, {0.981, 200}, {0.0, 0}})
        EXPECT_EQ(hudVolumeFromFraction(fraction), volume) << fraction;
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    // Values no medium has, and that would not fit an integer, read as zero.
    for (auto [seconds, hours, text] : {std::tuple{3725.9, true, "1:02:05"}, {3725.9, false, "02:05"},
                                        {-4.0, false, "00:00"}, {nan, true, "0:00:00"}, {inf, false, "00:00"},
                                        {1e300, true, "0:00:00"}, {-1e300, false, "00:00"}})
        EXPECT_EQ(hudTimeText(seconds, hours), text) << seconds;
    EXPECT_EQ(hudSpeedCaption(1.0) + hudSpeedCaption(1.25) + hudSpeedCaption(0.899999), "1x1.25x0.9x");
    EXPECT_EQ(hudAudioCaption("") + hudAudioCaption("no") + hudAudioCaption("2"), "AUD -AUD -AUD 2");
    EXPECT_EQ((std::vector<int>{hudSubtitleMargin(true, 1.0f, 1080), hudSubtitleMargin(false, 1.0f, 1080),
                                hudSubtitleMargin(true, 1.0f, 5000), hudSubtitleMargin(true, 2.0f, 2160)}),
              (std::vector<int>{75, 22, 22, 75}));
}

TEST(HudAutoHide, FullScreenBandAndActivity) {
    // docked, dragging, hovered, recent, paused, cursor x and y -> wanted; 1920 x 1080, bar 82
    const struct { bool docked, dragging, hovered, recent, paused; int x, y; bool wanted; } cases[] = {
        {false, false, false, false, false, 960, 1050, false},  // resting in the band while playing
        {false, false, false, true, false, 960, 1050, true},    {false, false, false, true, false, 960, 997, false},
        {false, false, false, true, false, 960, 998, true},     {false, false, false, false, true, 960, 998, true},
        {false, false, false, false, true, 960, 500, false},    {false, true, false, false, true, 960, 500, true},
        {true, false, false, false, true, 960, 500, true},      {false, false, true, false, false, 1920, 1050, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hudWanted({c.docked, c.dragging, c.hovered, c.recent, c.paused, c.x, c.y, 0, 0, 1920, 1080, 82}),
                  c.wanted) << c.x << "," << c.y;
}

using Change = std::function<void(HudModel&)>;

TEST(HudRepaint, KeysChangeOnlyWithWhatShows) {
    HudModel m = laidOut(1100);
    m.duration = 7200;
    m.position = 3600.0;
    std::string key = hudPaintKey(m, 1.0f), still = hudStaticPaintKey(m, 1.0f);
    auto changed = [&](const Change& change, bool whole) {
        HudModel x = m;
        change(x);
        return whole ? hudPaintKey(x, 1.0f) != key : hudStaticPaintKey(x, 1.0f) != still;
    };
    EXPECT_FALSE(changed([](HudModel& x) { x.position = 3600.4; }, true));  // same second, 0.05 px
    EXPECT_TRUE(changed([](HudModel& x) { x.position = 3601.0; }, true));
    EXPECT_TRUE(changed([](HudModel& x) { x.duration = 10, x.position = 5.1; }, true));  // pixels within a second
    // What only the position text and the seek bar show leaves the kept picture alone; all
    // else drawn outside them changes it. Either way the whole picture changes.
    const Change seekBarOnly[] = {[](HudModel& x) { x.position = 12; }, [](HudModel& x) { x.markers = {5}; },
                                  [](HudModel& x) { x.hoverFraction = 0.3; }, [](HudModel& x) { x.loopB = 30; }};
    const Change elsewhere[] = {
        [](HudModel& x) { x.hover = kHudPlay; },     [](HudModel& x) { x.paused = true; },
        [](HudModel& x) { x.volume = 101; },         [](HudModel& x) { x.loopA = 10; },
        [](HudModel& x) { x.audioTrack = "2"; },     [](HudModel& x) { x.speed = 1.5; },
        [](HudModel& x) { x.duration = 7300; },      [](HudModel& x) { x.drag = kHudVol; },
        [](HudModel& x) { x.subtitlesShown = true; }, [](HudModel& x) { layoutHudElements(x, 1300, 1.0f); }};
    for (const Change& c : seekBarOnly) EXPECT_TRUE(changed(c, true) && !changed(c, false));
    for (const Change& c : elsewhere) EXPECT_TRUE(changed(c, true) && changed(c, false));
    EXPECT_NE(hudPaintKey(m, 1.5f), key);
    EXPECT_NE(hudStaticPaintKey(m, 1.5f), still);
}

}  // namespace
