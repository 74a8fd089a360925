#include <gtest/gtest.h>

#include <string>

#include "store/settings_core.h"
#include "store/settings_window_core.h"

namespace {

Settings parsed(const std::string& text) {
    Settings s;
    parseSettingsText(text.data(), text.size(), s);
    return s;
}

TEST(SettingsFile, NumbersAreReadLikeAtoiWithoutOverflowAndCheckedAfterReading) {
    // file text, seek, volume, hide, sublang
    const struct { std::string text; uint32_t seek, volume, hide, sublang; } cases[] = {
        {"seek=600\nvolume=25\nhide=10000\nsublang=2\n", 600, 25, 10000, 2},
        {"seek=601\nvolume=26\nhide=499\nsublang=3\n", 5, 5, 2500, 0},
        {"seek=0\nvolume=-3\nsublang=-1\n", 5, 5, 2500, 0},  // negatives wrap to huge values
        {"seek=900\nseek=30\n", 30, 5, 2500, 0},             // the last line counts
        {"seek=30\nseek=900\n", 5, 5, 2500, 0},
        {"seek=+12\nvolume=  9 steps\n", 12, 9, 2500, 0},
        {"seek=-0\nvolume=abc\nhide=99999999999999999999\n", 5, 5, 2500, 0},
        {"Seek=30\nseek =30\n seek=30\nunknown=1\nnoequals\n=7\n", 5, 5, 2500, 0},
        {std::string("seek=1\0" "0\nvolume=9\n", 18), 1, 9, 2500, 0},  // a NUL ends the piece
    };
    for (const auto& c : cases) {
        Settings s = parsed(c.text);
        EXPECT_EQ((std::vector<uint32_t>{s.seek, s.volume, s.hide, s.sublang}),
                  (std::vector<uint32_t>{c.seek, c.volume, c.hide, c.sublang})) << c.text;
    }
    Settings flags = parsed("resume=2\nboost=0\nautoqueue=-1\n");
    EXPECT_NE(formatSettingsText(flags).find("resume=1\nautoqueue=1\nsingle=1\nhwdec=1\nboost=0\n"), std::string::npos);
}

TEST(SettingsFile, TextValuesStopAtTheLineEndAndAreCut) {
    EXPECT_STREQ(parsed("lang=th\r\n").lang, "th");
    EXPECT_STREQ(parsed("lang=en").lang, "en");
    EXPECT_STREQ(parsed("lang=a=b\n").lang, "a=b");
    EXPECT_STREQ(parsed("lang=0123456789abcdefXYZ\n").lang, "0123456789abcde");
    EXPECT_STREQ(parsed("lang=th\nlang=\n").lang, "");
}

TEST(SettingsFile, LongLinesArriveInPiecesOfTheReadBuffer) {
    // The first piece holds "shotdir=" and 1191 bytes, cut to the field's 1023; the rest is a
    // piece without "=" and is skipped.
    Settings s = parsed("shotdir=" + std::string(2000, 'x') + "\nseek=20\n");
    EXPECT_EQ(std::string(s.shotdir), std::string(1023, 'x'));
    EXPECT_EQ(s.seek, 20u);
    // A piece boundary can make the tail of a long line look like a line of its own.
    EXPECT_EQ(parsed("lang=" + std::string(1194, 'y') + "seek=42\n").seek, 42u);
}

TEST(SettingsFile, WrittenTextReadsBackTheSameWithLfOrCrLf) {
    Settings s;
    s.seek = 30;
    s.hide = 4000;
    s.sublang = 1;
    s.resume = s.single = 0;
    s.autoqueue = 1;
    copyToField(s.lang, "de");
    copyToField(s.shotdir, "C:\\Users\\\xe0\xb8\x81\\Pictures");
    std::string text = formatSettingsText(s), crlf;
    EXPECT_EQ(formatSettingsText(parsed(text)), text);
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(formatSettingsText(parsed(crlf)), text);
}

SettingsLayout layoutWithLanguages(std::vector<float> languageWidths) {
    std::vector<RowContent> rows = {{false, languageWidths}};
    for (int r = 1; r < kSettingsRowCount; ++r)
        rows.push_back({kSettingsRows[r].flag != nullptr, std::vector<float>(size_t(kSettingsRows[r].optionCount), 20)});
    return layoutSettingsPanel(rows);
}

TEST(SettingsPanel, SevenSingleLineRowsGiveTheFixedPanelAndZonesWithExclusiveEdges) {
    SettingsLayout l = layoutWithLanguages({30, 50});
    EXPECT_EQ(std::vector<int>({l.height, l.footer, int(l.zones.size())}), std::vector<int>({447, 363, 19}));
    EXPECT_EQ(std::vector<int>({l.zones[1].row, l.zones[1].option, l.zones[1].right}), std::vector<int>({0, 1, 540}));
    for (int i = 0; i < int(l.zones.size()); ++i) {
        const HitZone& z = l.zones[i];
        EXPECT_EQ(hitZoneAt(l.zones, z.left, z.top) * 100 + hitZoneAt(l.zones, z.right - 1, z.bottom - 1), i * 101);
        EXPECT_TRUE(hitZoneAt(l.zones, z.right, z.top) != i && hitZoneAt(l.zones, z.left, z.bottom) != i) << i;
    }
    EXPECT_EQ(hitZoneAt(l.zones, 100, 70), -1);  // a row's label is nothing
}

TEST(SettingsPanel, ManyLongLanguageTitlesStayInsideTheChipAreaOnMoreLines) {
    SettingsLayout l = layoutWithLanguages({24, 50, 400, 180, 180, 90, 90, 90, 90, 500});
    int extra = kChipLineStep * (l.rowLines[0] - 1), chips = 0;
    EXPECT_GT(extra, 0);
    EXPECT_EQ(l.height, 447 + extra);
    EXPECT_EQ(l.rowTop[1], 93 + extra);
    for (const HitZone& z : l.zones) {
        if (z.row != 0) continue;
        ++chips;
        EXPECT_TRUE(z.left >= kChipAreaLeft && z.right <= kChipAreaRight && z.bottom <= l.rowTop[1]) << z.option;
        EXPECT_EQ(hitZoneAt(l.zones, z.right - 1, z.bottom - 1), hitZoneAt(l.zones, z.left, z.top));  // no overlap
    }
    EXPECT_EQ(chips, 10);
}

TEST(SettingsPanel, ChoosingChangesOnlyTheRowsField) {
    std::vector<std::string> codes = {"th", "en", "de-long-pack-code"};
    Settings s;
    for (int row : {1, 2, 3, 0, 4}) EXPECT_TRUE(chooseSettingsOption(s, row, row == 4 ? 99 : 2, codes));
    EXPECT_TRUE(chooseSettingsOption(s, 1, 5, codes));  // out of range: a click that changes nothing
    EXPECT_FALSE(chooseSettingsOption(s, 7, 0, codes));
    EXPECT_EQ(std::vector<uint32_t>({s.seek, s.volume, s.sublang, s.resume}), std::vector<uint32_t>({15, 10, 2, 0}));
    EXPECT_STREQ(s.lang, "de-long-pack-co");  // cut to the field
    EXPECT_EQ(languageIndex(codes, "en") * 10 + languageIndex(codes, "xx"), 10);
}

}  // namespace
