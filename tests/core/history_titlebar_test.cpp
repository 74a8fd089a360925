#include <gtest/gtest.h>

#include <string>

#include "panels/history_core.h"
#include "panels/titlebar_core.h"

namespace {

TEST(ResumeFile, TakesOnlyListableEntries) {
    const struct { std::string text, path; double seconds; } listed[] = {
        {"# D:\\v\\a.mkv\nstart=125.700000\n", "D:\\v\\a.mkv", 125.7},
        {"# D:\\v\\a.mkv\r\nstart=5.000000\r\n", "D:\\v\\a.mkv", 5},
        {"# D:\\v\\restart=12.mkv\nstart=1800.5\n", "D:\\v\\restart=12.mkv", 1800.5},  // only the position line counts
        {"# D:\\v\\start=x.mkv\nstart=60\n", "D:\\v\\start=x.mkv", 60},
        {"# D:\\v\\a.mkv\nstart=2147483647.9\n", "D:\\v\\a.mkv", 2147483647.9}};
    for (const auto& c : listed) {
        ResumeFileEntry e;
        ASSERT_TRUE(parseResumeFile(c.text.data(), c.text.size(), e)) << c.text;
        EXPECT_TRUE(e.mediaPath == c.path && e.seconds == c.seconds) << c.text;
    }
    const std::string unlisted[] = {
        "# D:\\v\\a.mkv\nstart=4.900000\n", "# redirect entry\nstart=100\n", "start=100\n", "# D:\\v\\a.mkv",
        "# D:\\v\\a.mkv\nvolume=50\n", "# D:\\v\\a.mkv\nstart=1e30\n", "# D:\\v\\a.mkv\nstart=inf\n",
        "# D:\\v\\a.mkv\nstart=nan\n", "# D:\\v\\a.mkv\nstart=2147483648\n",
        std::string("# D:\\v\\a.mkv\n\0start=60\n", 22),  // the text ends at a NUL
        "# D:\\a.mkv\n" + std::string(kResumeFileMaxBytes, 'x') + "\nstart=60\n"};  // read no further than the limit
    for (const std::string& text : unlisted) {
        ResumeFileEntry e;
        EXPECT_FALSE(parseResumeFile(text.data(), text.size(), e)) << text;
    }
}

TEST(History, NewestFirst) {
    EXPECT_EQ(newestFirst({30, 10, 60, 20, 50, 40}, 4), (std::vector<size_t>{2, 4, 5, 0}));
    EXPECT_EQ(newestFirst({7, 7, 9}, 4), (std::vector<size_t>{2, 0, 1}));
}

TEST(TitleBar, HitTestAtScales) {
    // Points in logical pixels from the right edge (x < 0) or the left, in a 900 x 600 client.
    const struct { float x, y; bool maximized; int hit; } cases[] = {
        {450, 20, false, kHitCaption}, {-6, 20, false, kHitClose}, {-70, 20, false, kHitMaximize},
        {-120, 20, false, kHitMinimize}, {450, 96, false, kHitClient}, {2, 4, false, kHitTopLeft},
        {450, 4, false, kHitTop}, {-6, 4, false, kHitTopRight}, {-6, 4, true, kHitClose}};
    for (float s : {1.0f, 1.5f})
        for (const auto& c : cases) {
            int w = int(900 * s), x = c.x < 0 ? w + int(c.x * s) : int(c.x * s);
            EXPECT_EQ(captionHitCode(x, int(c.y * s), w, int(36 * s), c.maximized, s), c.hit) << s << " " << c.x;
        }
}

TEST(ClearAction, TwoClicksWithinFourSecondsOnBothSidesOfTheWrap) {
    for (uint32_t start : {1000u, 0xFFFFF000u, 0xFFFFF800u}) {
        uint32_t until = 0;
        EXPECT_FALSE(clearActionClick(until, start));
        EXPECT_TRUE(clearArmed(until, start + 3999));
        EXPECT_FALSE(clearArmed(until, start + 4000));
        EXPECT_FALSE(clearActionClick(until, start + 4000));  // too late: arms again
        EXPECT_TRUE(clearActionClick(until, start + 7000));
        EXPECT_EQ(until, 0u);
    }
    // An arm left over from before the wrap does not make one click delete.
    uint32_t stale = 0xFFFFFF00u;
    EXPECT_FALSE(clearArmed(stale, 5));
    EXPECT_FALSE(clearActionClick(stale, 5));
}

TEST(StartScreen, LayoutListAndPattern) {
    EXPECT_EQ(startScreenLayout(900, 600, 36, 0).cy - startScreenLayout(900, 600, 36, 3).cy, 65);
    EXPECT_EQ(startScreenLayout(900, 600, 36, 9).rows, 5);  // rows from y=401 while y+32 <= 584
    // Heading and clear action need room for the first row too.
    for (float H = 250; H < 320; H += 1) {
        StartLayout l = startScreenLayout(900, H, 36, 3);
        bool firstRowFits = l.listTop + 64 <= H - 16;
        EXPECT_EQ(l.rows > 0, firstRowFits) << H;
        EXPECT_EQ(startScreenItemAt(l.clearAction.x + 5, l.clearAction.y + 5, l, {}) == kItemClear, firstRowFits);
    }
    StartLayout l = startScreenLayout(900, 600, 36, 2);
    EXPECT_EQ(startScreenItemAt(l.cx, l.openButton.y + 1, l, {}), kItemOpen);
    EXPECT_EQ(startScreenItemAt(10, 500, l, {{0, 490, 20, 32}, {0, 490, 20, 32}}), 0);
    EXPECT_EQ(startScreenItemAt(l.cx, l.openButton.y + 46, l, {}), kItemNothing);  // edges are exclusive
    EXPECT_EQ(honeycombAlpha(450, 318, 900, 600, 36), 12);
    EXPECT_EQ(honeycombAlpha(450, 36, 900, 36, 36) + honeycombAlpha(450, 31, 900, 26, 36), 0);  // no area
}

}  // namespace
