#include <gtest/gtest.h>

#include "osd/drawing_kit_core.h"
#include "osd/toast_core.h"

namespace {

TEST(ToastText, CutsAtTheLimitButNeverInsideASurrogatePair) {
    EXPECT_EQ(clippedLength(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", kToastLabelMax), 23u);
    EXPECT_EQ(clippedLength(static_cast<const char16_t*>(nullptr), 5), 0u);
    EXPECT_EQ(clippedLength(u"AB\U0001F600C", 3), 2u);  // the pair goes whole
    EXPECT_EQ(clippedLength(u"AB\U0001F600C", 4), 4u);
}

TEST(ToastSize, WidthAndPlace) {
    EXPECT_EQ(toastWidth(20.9f, 35.9f), kToastMinWidth);
    EXPECT_EQ(toastWidth(30.7f, 40.6f), 111);  // truncated, not rounded
    EXPECT_EQ(toastWidth(0.0f / 0.0f, 10), kToastMinWidth);
    ToastPlace p = placeToast(100, 50, 1800, 72, 120, 2.0f);
    EXPECT_EQ(p.width, 240);
    EXPECT_EQ(p.height, 68);
    EXPECT_EQ(p.x + p.width, 100 + 1800 - 36);
    EXPECT_EQ(p.y, 50 + 72 + 36);
    // At fractional scales the right edge stays on its pixel whatever width the text gives.
    for (float scale : {1.25f, 1.5f, 1.75f}) {
        int right = placeToast(0, 0, 1000, 0, 96, scale).x + placeToast(0, 0, 1000, 0, 96, scale).width;
        for (int w = 97; w < 200; ++w) {
            p = placeToast(0, 0, 1000, 0, w, scale);
            EXPECT_EQ(p.x + p.width, right) << scale << " " << w;
        }
    }
}

TEST(ToastExpiry, HidesOnlyAfterTheDeadlineAcrossTheWrap) {
    EXPECT_FALSE(toastExpired(1000, 1000));
    EXPECT_TRUE(toastExpired(1001, 1000));
    EXPECT_FALSE(toastExpired(0xFFFFFFF0u, 0x00000010u));
    EXPECT_TRUE(toastExpired(0x00000010u, 0xFFFFFFF0u));
}

TEST(FontChoice, FirstFamilyMatchingTheLeadingCharacters) {
    const char16_t* wine[] = {u"Share Tech Mono", u"Chakra Petch Medium"};
    EXPECT_EQ(matchingFamily(wine, 2, kUiFamilyWish), 1);
    EXPECT_EQ(matchingFamily(wine, 2, kMonoFamilyWish), 0);
    const char16_t* others[] = {u"Chakra Pet", u"Share Tech", nullptr, u"chakra petch"};
    EXPECT_EQ(matchingFamily(others, 4, kUiFamilyWish), -1);
    EXPECT_EQ(matchingFamily(others, 4, kMonoFamilyWish), -1);
}

}  // namespace
