#include <gtest/gtest.h>

#include <cstdint>

#include "osd/toast_core.h"

namespace {

TEST(ToastText, CutsAtTheLimitButNeverInsideASurrogatePair) {
    EXPECT_EQ(clippedLength(u"VOL", kToastLabelMax), 3u);
    EXPECT_EQ(clippedLength(u"", kToastLabelMax), 0u);
    EXPECT_EQ(clippedLength(static_cast<const char16_t*>(nullptr), 5), 0u);
    EXPECT_EQ(clippedLength(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", kToastLabelMax), 23u);
    // "AB" + U+1F600 (two units) at a limit of 3: the pair goes whole.
    EXPECT_EQ(clippedLength(u"AB\U0001F600C", 3), 2u);
    EXPECT_EQ(clippedLength(u"AB\U0001F600C", 4), 4u);
    EXPECT_EQ(clippedLength(u"AB\U0001F600", 3), 2u);
    // A lone high surrogate at the end of a short text is the caller's text, kept as it is.
    const char16_t lone[] = {u'A', char16_t(0xD83D), 0};
    EXPECT_EQ(clippedLength(lone, 2), 2u);
}

TEST(ToastSize, WidthFollowsTheTextWithAMinimum) {
    EXPECT_EQ(toastWidth(0, 0), kToastMinWidth);
    EXPECT_EQ(toastWidth(20.9f, 35.9f), kToastMinWidth);  // 96.8 → 96
    EXPECT_EQ(toastWidth(30.7f, 40.6f), 111);            // truncated, not rounded
    EXPECT_EQ(toastWidth(-500, 0), kToastMinWidth);
    EXPECT_EQ(toastWidth(0.0f / 0.0f, 10), kToastMinWidth);
}

TEST(ToastSize, PlacedUnderTheTitleBarWithTheRightEdge18PixelsIn) {
    // 900-pixel client at (100, 50), title bar 36, toast 120 wide, scale 1.
    ToastPlace p = placeToast(100, 50, 900, 36, 120, 1.0f);
    EXPECT_EQ(p.width, 120);
    EXPECT_EQ(p.height, 34);
    EXPECT_EQ(p.x + p.width, 100 + 900 - 18);
    EXPECT_EQ(p.y, 50 + 36 + 18);
    // Full screen: no title bar, 18 pixels below the screen's top.
    p = placeToast(0, 0, 1920, 0, 96, 1.0f);
    EXPECT_EQ(p.x, 1920 - 18 - 96);
    EXPECT_EQ(p.y, 18);
    // Twice the scale: every length doubles, the right edge stays 36 real pixels in.
    p = placeToast(100, 50, 1800, 72, 120, 2.0f);
    EXPECT_EQ(p.width, 240);
    EXPECT_EQ(p.height, 68);
    EXPECT_EQ(p.x + p.width, 100 + 1800 - 36);
    EXPECT_EQ(p.y, 50 + 72 + 36);
    // At fractional scales the width and the margin are rounded apart, so that the right edge
    // stays on the same pixel whatever width the next text gives.
    for (float scale : {1.25f, 1.5f, 1.75f}) {
        int right = -1;
        for (int w = 96; w < 200; ++w) {
            p = placeToast(0, 0, 1000, 0, w, scale);
            if (right < 0) right = p.x + p.width;
            EXPECT_EQ(p.x + p.width, right) << scale << " " << w;
        }
    }
}

TEST(ToastExpiry, HidesOnlyAfterTheDeadlineAcrossTheWrap) {
    EXPECT_FALSE(toastExpired(1000, 1000));
    EXPECT_TRUE(toastExpired(1001, 1000));
    EXPECT_FALSE(toastExpired(999, 1000));
    EXPECT_FALSE(toastExpired(0xFFFFFFF0u, 0x00000010u));
    EXPECT_TRUE(toastExpired(0x00000010u, 0xFFFFFFF0u));
    // A duration of 0 is past on the first tick that comes a millisecond later.
    uint32_t now = 0xFFFFFFFFu;
    EXPECT_TRUE(toastExpired(now + 1, now + 0));
}

}  // namespace
