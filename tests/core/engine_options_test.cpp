#include <gtest/gtest.h>

#include <string>

#include "engine/engine_options_core.h"

namespace {

std::string joined(const EngineOptions& options) {
    std::string text;
    for (const auto& o : options) text += o.first + "=" + o.second + "\n";
    return text;
}

EngineStartInputs defaults(const Settings& s) {
    return EngineStartInputs{&s, true, false, "C:\\Users\\u\\AppData\\Roaming\\KivoPlayer\\resume", 132456, false};
}

TEST(EngineOptions, DefaultSettingsGiveTheFullSetInOrder) {
    Settings s;
    EXPECT_EQ(joined(engineStartOptions(defaults(s))),
              "config=no\nterminal=no\nosc=no\ninput-default-bindings=no\ninput-vo-keyboard=no\n"
              "keep-open=yes\nhwdec=auto-safe\naf=@boost:lavfi=[dynaudnorm=f=250:g=15:p=0.95:m=5]\n"
              "idle=yes\nvolume-max=200\nsub-auto=fuzzy\nslang=tha,th,eng,en\nautocreate-playlist=no\n"
              "directory-filter-types=video,audio\ndirectory-mode=ignore\nosd-level=0\n"
              "cursor-autohide=2500\nsave-position-on-quit=yes\nresume-playback=yes\n"
              "watch-later-options=start\nwrite-filename-in-watch-later-config=yes\n"
              "watch-later-directory=C:\\Users\\u\\AppData\\Roaming\\KivoPlayer\\resume\n"
              "screenshot-format=png\nwid=132456\n");
}

TEST(EngineOptions, ConditionsFollowSettingsAndStartState) {
    Settings s;
    s.boost = 0;
    s.hwdec = 0;
    s.sublang = 1;
    s.autoqueue = 1;
    EngineStartInputs in = defaults(s);
    in.resumeEnabled = false;
    in.resumeFolder.clear();
    in.testMode = true;
    in.pictureWindow = -5;
    std::string text = joined(engineStartOptions(in));
    EXPECT_EQ(text.find("af="), std::string::npos);
    EXPECT_NE(text.find("hwdec=no\n"), std::string::npos);
    EXPECT_NE(text.find("slang=eng,en,tha,th\n"), std::string::npos);
    EXPECT_NE(text.find("autocreate-playlist=filter\n"), std::string::npos);
    EXPECT_NE(text.find("save-position-on-quit=no\nresume-playback=no\n"), std::string::npos);
    EXPECT_EQ(text.find("watch-later-directory"), std::string::npos);
    // The test-mode audio output comes last, after the window handle (signed).
    EXPECT_NE(text.find("wid=-5\nao=null\n"), std::string::npos);
    in.moreFilesGiven = true;
    EXPECT_NE(joined(engineStartOptions(in)).find("autocreate-playlist=no\n"), std::string::npos);
    s.sublang = 2;
    EXPECT_NE(joined(engineStartOptions(in)).find("slang=\n"), std::string::npos);
}

TEST(OpeningFiles, DisplayNames) {
    EXPECT_EQ(displayNameOf(u"C:\\Films\\A b.mkv"), u"A b.mkv");
    EXPECT_EQ(displayNameOf(u"https://x.test/live/v.m3u8"), u"https://x.test/live/v.m3u8");
    EXPECT_EQ(displayNameOf(u"C:\\Films\\"), u"");
}

TEST(OpeningFiles, DialogResultOneFileOrAFolderWithNames) {
    std::u16string one(u"C:\\v\\a.mkv\0\0", 12);
    auto single = parseOpenDialogResult(one.data(), one.size());
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0], u"C:\\v\\a.mkv");

    std::u16string many(u"C:\\v\0b.mkv\0a.mp4\0\0", 18);
    auto several = parseOpenDialogResult(many.data(), many.size());
    ASSERT_EQ(several.size(), 2u);
    EXPECT_EQ(several[0], u"C:\\v\\b.mkv");  // in the dialog's order
    EXPECT_EQ(several[1], u"C:\\v\\a.mp4");

    // At a drive's root the folder already ends with a backslash.
    std::u16string root(u"D:\\\0x.mp4\0y.mp4\0\0", 17);
    auto atRoot = parseOpenDialogResult(root.data(), root.size());
    ASSERT_EQ(atRoot.size(), 2u);
    EXPECT_EQ(atRoot[0], u"D:\\x.mp4");

    // A buffer filled to the end without terminators stays inside its size.
    std::u16string full(u"C:\\v\0abc", 8);
    auto cut = parseOpenDialogResult(full.data(), full.size());
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0], u"C:\\v\\abc");
    EXPECT_TRUE(parseOpenDialogResult(u"", 1).empty());
}

}  // namespace
