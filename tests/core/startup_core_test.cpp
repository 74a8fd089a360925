#include <gtest/gtest.h>

#include <string>

#include "app/startup_core.h"
#include "engine/engine_options_core.h"
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

std::string joined(const EngineOptions& options) {
    std::string text;
    for (const auto& o : options) text += o.first + "=" + o.second + "\n";
    return text;
}

TEST(EngineOptions, ConditionsFollowSettingsAndStartState) {
    Settings s;
    EngineStartInputs in{&s, true, false, "C:\\KivoPlayer\\resume", 132456, false};
    std::string text = joined(engineStartOptions(in));
    for (const char* line : {"config=no\n", "af=@boost:lavfi=", "hwdec=auto-safe\n", "slang=tha,th,eng,en\n",
                             "save-position-on-quit=yes\nresume-playback=yes\n",
                             "watch-later-directory=C:\\KivoPlayer\\resume\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.substr(text.size() - 11), "wid=132456\n");  // the window handle comes last
    s.boost = s.hwdec = 0;
    s.sublang = s.autoqueue = 1;
    in = {&s, false, false, "", -5, true};
    text = joined(engineStartOptions(in));
    for (const char* line : {"hwdec=no\n", "slang=eng,en,tha,th\n", "autocreate-playlist=filter\n",
                             "save-position-on-quit=no\nresume-playback=no\n", "wid=-5\nao=null\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(text.find("af="), std::string::npos);
    EXPECT_EQ(text.find("watch-later-directory"), std::string::npos);
    in.moreFilesGiven = true;
    s.sublang = 2;
    text = joined(engineStartOptions(in));
    EXPECT_NE(text.find("autocreate-playlist=no\n"), std::string::npos);
    EXPECT_NE(text.find("slang=\n"), std::string::npos);
}

TEST(OpeningFiles, DialogResultOneFileOrAFolderWithNames) {
    // buffer as the dialog fills it -> the paths joined by "|"
    const std::pair<std::u16string, std::u16string> cases[] = {
        {std::u16string(u"C:\\v\\a.mkv\0\0", 12), u"C:\\v\\a.mkv"},
        {std::u16string(u"C:\\v\0b.mkv\0a.mp4\0\0", 18), u"C:\\v\\b.mkv|C:\\v\\a.mp4"},  // the dialog's order
        {std::u16string(u"D:\\\0x.mp4\0y.mp4\0\0", 17), u"D:\\x.mp4|D:\\y.mp4"},  // a drive's root ends with "\"
        {std::u16string(u"C:\\v\0abc", 8), u"C:\\v\\abc"},  // filled to the end without terminators
        {std::u16string(u"\0", 1), u""},
    };
    for (const auto& c : cases) {
        std::u16string paths;
        for (const auto& p : parseOpenDialogResult(c.first.data(), c.first.size()))
            paths += (paths.empty() ? u"" : u"|") + p;
        EXPECT_EQ(paths, c.second);
    }
    EXPECT_EQ(displayNameOf(u"C:\\Films\\A b.mkv") + displayNameOf(u"C:\\Films\\"), u"A b.mkv");
    EXPECT_EQ(displayNameOf(u"https://x.test/v.m3u8"), u"https://x.test/v.m3u8");
}

}  // namespace
