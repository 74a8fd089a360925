#include <gtest/gtest.h>

#include "osd/drawing_kit_core.h"
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

}  // namespace
