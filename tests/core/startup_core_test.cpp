#include <gtest/gtest.h>

#include "app/startup_core.h"
#include "osd/uiscale_core.h"

namespace {

TEST(StartArguments, EnqueueIsASwitchAndEverythingElseAFileInOrder) {
    StartArguments a = splitStartArguments({u"b.mkv", u"--enqueue", u"a.mp4", u"http://x/y"});
    EXPECT_TRUE(a.enqueue);
    ASSERT_EQ(a.files.size(), 3u);
    EXPECT_EQ(a.files[0], u"b.mkv");
    EXPECT_EQ(a.files[1], u"a.mp4");
    EXPECT_EQ(a.files[2], u"http://x/y");
    StartArguments b = splitStartArguments({u"--Enqueue", u"--enqueue "});
    EXPECT_FALSE(b.enqueue);
    EXPECT_EQ(b.files.size(), 2u);
    EXPECT_TRUE(splitStartArguments({u"--enqueue"}).files.empty());
}

TEST(HandoverPayload, ListsEndWithAnExtraNul) {
    std::u16string empty = buildHandoverPayload({});
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0], u'\0');
    std::u16string two = buildHandoverPayload({u"C:\\a.mkv", u"\u0e01.mp4"});
    EXPECT_EQ(two, std::u16string(u"C:\\a.mkv\0\u0e01.mp4\0\0", 16));
    std::vector<std::u16string> back = parseHandoverPayload(two.data(), two.size());
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1], u"\u0e01.mp4");
}

TEST(HandoverPayload, ReadingStaysInsideTheSentSize) {
    // No terminator at all: the path ends at the buffer's end.
    std::u16string raw = u"abc";
    auto paths = parseHandoverPayload(raw.data(), 2);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], u"ab");
    EXPECT_TRUE(parseHandoverPayload(nullptr, 10).empty());
    EXPECT_TRUE(parseHandoverPayload(raw.data(), 0).empty());
    // An empty path ends the list, whatever follows it.
    std::u16string gap(u"a\0\0b\0\0", 6);
    EXPECT_EQ(parseHandoverPayload(gap.data(), gap.size()).size(), 1u);
}

TEST(LanguageChoice, RegistryThenSettingsThenDefault) {
    EXPECT_EQ(chooseLanguageCode("th", "en", "en"), "en");
    EXPECT_EQ(chooseLanguageCode("th", "", "en"), "th");
    EXPECT_EQ(chooseLanguageCode("", "", "en"), "en");
    EXPECT_EQ(chooseLanguageCode("", "0123456789abcdefghij", "en"), "0123456789abcde");
}

TEST(UiScale, WindowSizeAndBounds) {
    const PixelSize fullHd = {1920, 1080};
    EXPECT_EQ(mainWindowSize(1.0f, fullHd).width, 1100);
    EXPECT_EQ(mainWindowSize(1.5f, fullHd).width, 1650);
    EXPECT_EQ(mainWindowSize(1.5f, fullHd).height, 960);
    EXPECT_EQ(mainWindowSize(1.25f, fullHd).height, 800);
    EXPECT_EQ(mainWindowSize(1.33f, fullHd).width, 1463);  // 1463.0 cut, not rounded up
    // Never larger than the screen, each side on its own; no screen size known leaves it alone.
    EXPECT_EQ(mainWindowSize(2.0f, fullHd).width, 1920);
    EXPECT_EQ(mainWindowSize(2.0f, fullHd).height, 1080);
    EXPECT_EQ(mainWindowSize(1.25f, {1366, 768}).width, 1366);
    EXPECT_EQ(mainWindowSize(1.25f, {1366, 768}).height, 768);
    EXPECT_EQ(mainWindowSize(1.75f, {1920, 1080}).width, 1920);
    EXPECT_EQ(mainWindowSize(1.75f, {1920, 1080}).height, 1080);
    EXPECT_EQ(mainWindowSize(2.0f, {0, 0}).width, 2200);
    EXPECT_EQ(boundedUiScale(0.5f), 1.0f);
    EXPECT_EQ(boundedUiScale(0.51f), 0.51f);
    EXPECT_EQ(boundedUiScale(5.0f), 1.0f);
    EXPECT_EQ(fixedScaleFromText("1.5"), 1.5f);
    EXPECT_EQ(fixedScaleFromText("0.5"), 0.0f);
    EXPECT_EQ(fixedScaleFromText("abc"), 0.0f);
    EXPECT_EQ(scaledPixels(36, 1.5f), 54);
    EXPECT_EQ(scaledPixels(5, 1.5f), 8);     // 7.5 rounds away from zero
    EXPECT_EQ(scaledPixels(-5, 1.5f), -8);
    EXPECT_EQ(scaledPixels(82, 1.25f), 103);  // 102.5
}

}  // namespace
