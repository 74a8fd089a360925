#include <gtest/gtest.h>

#include <string>

#include "store/settings_core.h"

namespace {

Settings parsed(const std::string& text) {
    Settings s;
    parseSettingsText(text.data(), text.size(), s);
    return s;
}

TEST(SettingsFile, DefaultsWriteTheDocumentedText) {
    EXPECT_EQ(formatSettingsText(Settings()),
              "seek=5\nvolume=5\nhide=2500\nsublang=0\nresume=1\nautoqueue=0\nsingle=1\nhwdec=1\n"
              "boost=1\nlang=\nshotdir=\n");
}

TEST(SettingsFile, RangesFallBackToDefaultsAfterReading) {
    EXPECT_EQ(parsed("seek=700\n").seek, 5u);
    EXPECT_EQ(parsed("seek=600\n").seek, 600u);
    EXPECT_EQ(parsed("seek=0\n").seek, 5u);
    EXPECT_EQ(parsed("seek=1\n").seek, 1u);
    EXPECT_EQ(parsed("volume=25\n").volume, 25u);
    EXPECT_EQ(parsed("volume=26\n").volume, 5u);
    EXPECT_EQ(parsed("hide=499\n").hide, 2500u);
    EXPECT_EQ(parsed("hide=10000\n").hide, 10000u);
    EXPECT_EQ(parsed("sublang=2\n").sublang, 2u);
    EXPECT_EQ(parsed("sublang=3\n").sublang, 0u);
    // An out-of-range value written before a valid one does not matter: the last one counts.
    EXPECT_EQ(parsed("seek=900\nseek=30\n").seek, 30u);
    EXPECT_EQ(parsed("seek=30\nseek=900\n").seek, 5u);
}

TEST(SettingsFile, NegativeNumbersAreRejectedAsHugeUnsignedValues) {
    EXPECT_EQ(parsed("volume=-3\n").volume, 5u);
    EXPECT_EQ(parsed("sublang=-1\n").sublang, 0u);
    EXPECT_EQ(parsed("seek=-0\n").seek, 5u);
    EXPECT_EQ(parsed("seek=+12\n").seek, 12u);
    EXPECT_EQ(parsed("seek=  15 seconds\n").seek, 15u);
    EXPECT_EQ(parsed("seek=abc\n").seek, 5u);
    // Digits past 32 bits wrap rather than overflow: the result is merely out of range.
    EXPECT_EQ(parsed("hide=99999999999999999999\n").hide, 2500u);
}

TEST(SettingsFile, FlagsReadAnyNonZeroAsOnAndWriteOne) {
    Settings s = parsed("resume=2\nboost=0\nautoqueue=-1\nhwdec=0\nsingle=0\n");
    EXPECT_EQ(s.resume, 1);
    EXPECT_EQ(s.boost, 0);
    EXPECT_EQ(s.autoqueue, 1);
    std::string text = formatSettingsText(s);
    EXPECT_NE(text.find("resume=1\n"), std::string::npos);
    EXPECT_NE(text.find("autoqueue=1\n"), std::string::npos);
    EXPECT_NE(text.find("boost=0\n"), std::string::npos);
}

TEST(SettingsFile, KeysAreExactAndCaseSensitive) {
    Settings s = parsed("Seek=30\nseek =30\n seek=30\nSEEK=30\nunknown=1\nnoequals\n=7\n");
    EXPECT_EQ(s.seek, 5u);
    EXPECT_EQ(parsed("garbage\nseek=10\n").seek, 10u);
}

TEST(SettingsFile, TextValuesStopAtTheLineEndAndAreCut) {
    EXPECT_STREQ(parsed("lang=th\r\n").lang, "th");
    EXPECT_STREQ(parsed("lang=en").lang, "en");
    EXPECT_STREQ(parsed("lang=a=b\n").lang, "a=b");
    EXPECT_STREQ(parsed("lang=0123456789abcdefXYZ\n").lang, "0123456789abcde");
    EXPECT_STREQ(parsed("shotdir=D:\\Shots\r\n").shotdir, "D:\\Shots");
    EXPECT_STREQ(parsed("lang=th\nlang=\n").lang, "");
}

TEST(SettingsFile, LongLinesArriveInPiecesOfTheReadBuffer) {
    // 2000 bytes of folder: the first piece holds "shotdir=" and 1191 bytes, which are cut
    // to the field's 1023; the rest is a piece without "=" and is skipped.
    std::string folder(2000, 'x');
    Settings s = parsed("shotdir=" + folder + "\nseek=20\n");
    EXPECT_EQ(std::string(s.shotdir), std::string(1023, 'x'));
    EXPECT_EQ(s.seek, 20u);
    // A piece boundary can make the tail of a long line look like a line of its own.
    std::string sneaky = "lang=" + std::string(1194, 'y') + "seek=42\n";
    EXPECT_EQ(parsed(sneaky).seek, 42u);
}

TEST(SettingsFile, WrittenTextReadsBackToTheSameRecord) {
    Settings s;
    s.seek = 30;
    s.volume = 10;
    s.hide = 4000;
    s.sublang = 1;
    s.resume = 0;
    s.autoqueue = 1;
    s.single = 0;
    s.hwdec = 0;
    s.boost = 0;
    copyToField(s.lang, "de");
    copyToField(s.shotdir, "C:\\Users\\\xe0\xb8\x81\\Pictures");
    std::string text = formatSettingsText(s);
    Settings back = parsed(text);
    EXPECT_EQ(formatSettingsText(back), text);
    // CR LF line ends from an editor read the same.
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    EXPECT_EQ(formatSettingsText(parsed(crlf)), text);
}

TEST(SettingsFile, EmbeddedNulEndsThePiece) {
    std::string text("seek=1", 6);
    text += '\0';
    text += "0\nvolume=9\n";
    Settings s = parsed(text);
    EXPECT_EQ(s.seek, 1u);
    EXPECT_EQ(s.volume, 9u);
}

TEST(SettingsFile, SubtitleLanguageLists) {
    EXPECT_STREQ(subtitleLanguageList(0), "tha,th,eng,en");
    EXPECT_STREQ(subtitleLanguageList(1), "eng,en,tha,th");
    EXPECT_STREQ(subtitleLanguageList(2), "");
}

}  // namespace
