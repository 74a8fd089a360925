#include <gtest/gtest.h>

#include <string>

#include "engine/engine_options_core.h"

namespace {

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
