#include <gtest/gtest.h>

#include "app/startup_core.h"
#include "osd/uiscale_core.h"

namespace {

TEST(StartArguments, EnqueueIsASwitchAndEverythingElseAFileInOrder) {
    StartArguments a = splitStartArguments({u"b.mkv", u"--enqueue", u"a.mp4", u"http://x/y"});
    EXPECT_TRUE(a.enqueue);
    EXPECT_EQ(a.files, (std::vector<std::u16string>{u"b.mkv", u"a.mp4", u"http://x/y"}));
    StartArguments b = splitStartArguments({u"--Enqueue", u"--enqueue "});
    EXPECT_FALSE(b.enqueue);
    EXPECT_EQ(b.files.size(), 2u);
}

TEST(HandoverPayload, ListsEndWithAnExtraNulAndReadingStaysInsideTheSentSize) {
    EXPECT_EQ(buildHandoverPayload({}), std::u16string(1, u'\0'));
    std::u16string two = buildHandoverPayload({u"C:\\a.mkv", u"\u0e01.mp4"});
    EXPECT_EQ(two, std::u16string(u"C:\\a.mkv\0\u0e01.mp4\0\0", 16));
    EXPECT_EQ(parseHandoverPayload(two.data(), two.size()), (std::vector<std::u16string>{u"C:\\a.mkv", u"\u0e01.mp4"}));
    EXPECT_EQ(parseHandoverPayload(u"abc", 2), std::vector<std::u16string>{u"ab"});  // no terminator at all
    EXPECT_TRUE(parseHandoverPayload(nullptr, 10).empty() && parseHandoverPayload(u"abc", 0).empty());
    EXPECT_EQ(parseHandoverPayload(u"a\0\0b\0\0", 6).size(), 1u);  // an empty path ends the list
}

TEST(LanguageChoice, RegistryThenSettingsThenDefault) {
    EXPECT_EQ(chooseLanguageCode("th", "en", "en") + chooseLanguageCode("th", "", "en"), "enth");
    EXPECT_EQ(chooseLanguageCode("", "", "en"), "en");
    EXPECT_EQ(chooseLanguageCode("", "0123456789abcdefghij", "en"), "0123456789abcde");
}

TEST(UiScale, WindowSizeAndBounds) {
    // scale, screen -> window; never larger than the screen, each side on its own
    const struct { float scale; PixelSize screen, window; } cases[] = {
        {1.0f, {1920, 1080}, {1100, 640}},  {1.5f, {1920, 1080}, {1650, 960}},
        {1.33f, {1920, 1080}, {1463, 851}},  // cut, not rounded up
        {1.75f, {1920, 1080}, {1920, 1080}}, {1.25f, {1366, 768}, {1366, 768}},
        {2.0f, {0, 0}, {2200, 1280}},  // no screen size known
    };
    for (const auto& c : cases) {
        PixelSize w = mainWindowSize(c.scale, c.screen);
        EXPECT_EQ(w.width * 10000 + w.height, c.window.width * 10000 + c.window.height) << c.scale;
    }
    EXPECT_EQ((std::vector<float>{boundedUiScale(0.5f), boundedUiScale(0.51f), boundedUiScale(5.0f)}),
              (std::vector<float>{1.0f, 0.51f, 1.0f}));
    EXPECT_EQ((std::vector<float>{fixedScaleFromText("1.5"), fixedScaleFromText("0.5"), fixedScaleFromText("abc")}),
              (std::vector<float>{1.5f, 0.0f, 0.0f}));
    // Halves round away from zero.
    EXPECT_EQ((std::vector<int>{scaledPixels(36, 1.5f), scaledPixels(5, 1.5f), scaledPixels(-5, 1.5f),
                                scaledPixels(82, 1.25f)}),
              (std::vector<int>{54, 8, -8, 103}));
}

}  // namespace
