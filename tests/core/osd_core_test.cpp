#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "osd/drawing_kit_core.h"
#include "osd/hud_core.h"
#include "osd/toast_core.h"

namespace {

TEST(ToastText, CutsAtTheLimitButNeverInsideASurrogatePair) {
    EXPECT_EQ(clippedLength(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", kToastLabelMax), 23u);
    EXPECT_EQ(clippedLength(static_cast<const char16_t*>(nullptr), 5), 0u);
    for (auto [limit, kept] : {std::pair{2u, 2u}, {3u, 2u}, {4u, 4u}, {9u, 5u}})  // the pair goes whole
        EXPECT_EQ(clippedLength(u"AB\U0001F600C", limit), kept) << limit;
}

TEST(ToastSize, WidthAndPlace) {
    EXPECT_EQ(toastWidth(20.9f, 35.9f), kToastMinWidth);
    EXPECT_EQ(toastWidth(30.7f, 40.6f), 111);  // truncated, not rounded
    EXPECT_EQ(toastWidth(0.0f / 0.0f, 10), kToastMinWidth);
    ToastPlace p = placeToast(100, 50, 1800, 72, 120, 2.0f);
    EXPECT_EQ((std::vector<int>{p.x + p.width, p.y, p.width, p.height}), (std::vector<int>{1864, 158, 240, 68}));
    // At fractional scales the right edge stays on its pixel whatever width the text gives.
    for (float scale : {1.25f, 1.5f, 1.75f}) {
        p = placeToast(0, 0, 1000, 0, 96, scale);
        for (int w = 97; w < 200; ++w) {
            ToastPlace wider = placeToast(0, 0, 1000, 0, w, scale);
            EXPECT_EQ(wider.x + wider.width, p.x + p.width) << scale << " " << w;
        }
    }
}

TEST(ToastExpiry, HidesOnlyAfterTheDeadlineAcrossTheWrap) {
    EXPECT_FALSE(toastExpired(1000, 1000) || toastExpired(0xFFFFFFF0u, 0x00000010u));
    EXPECT_TRUE(toastExpired(1001, 1000) && toastExpired(0x00000010u, 0xFFFFFFF0u));
}

TEST(FontChoice, FirstFamilyMatchingTheLeadingCharacters) {
    const char16_t* wine[] = {u"Share Tech Mono", u"Chakra Petch Medium"};
    EXPECT_EQ(matchingFamily(wine, 2, kUiFamilyWish) * 10 + matchingFamily(wine, 2, kMonoFamilyWish), 10);
    const char16_t* others[] = {u"Chakra Pet", u"Share Tech", nullptr, u"chakra petch"};
    EXPECT_EQ(matchingFamily(others, 4, kUiFamilyWish) + matchingFamily(others, 4, kMonoFamilyWish), -2);
}

HudModel laidOut(int widthPx, float scale = 1.0f) {
    HudModel m;
    layoutHudElements(m, widthPx, scale);
    return m;
}

TEST(HudLayout, RightGroupDropsChipsThatDoNotFit) {
    for (int e = kHudSpeed; e <= kHudOpen; ++e) {  // at 640 the two leftmost chips are gone
        EXPECT_EQ(laidOut(640).elements[e].empty(), e == kHudAb || e == kHudSpeed) << e;
        EXPECT_TRUE(laidOut(200).elements[e].empty() && !laidOut(1100).elements[e].empty()) << e;
    }
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
