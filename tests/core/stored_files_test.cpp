#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <sstream>
#include <string>

#include "panels/language_core.h"
#include "store/bookmarks_core.h"
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
    // Text values stop at the line end and are cut to their field.
    EXPECT_EQ(std::string(parsed("lang=th\r\n").lang) + "|" + parsed("lang=a=b").lang + "|" +
                  parsed("lang=0123456789abcdefXYZ\n").lang + "|" + parsed("lang=th\nlang=\n").lang,
              "th|a=b|0123456789abcde|");
}

TEST(SettingsFile, LongLinesArriveInPiecesOfTheReadBuffer) {
    // The first piece holds "shotdir=" and 1191 bytes, cut to the field's 1023; the rest is a
    // piece without "=" and is skipped.
    Settings s = parsed("shotdir=" + std::string(2000, 'x') + "\nseek=20\n");
    EXPECT_TRUE(std::string(s.shotdir) == std::string(1023, 'x') && s.seek == 20u);
    // A piece boundary can make the tail of a long line look like a line of its own.
    EXPECT_EQ(parsed("lang=" + std::string(1194, 'y') + "seek=42\n").seek, 42u);
}

SettingsLayout layoutWithLanguages(std::vector<float> languageWidths) {
    std::vector<RowContent> rows = {{false, languageWidths}};
    for (int r = 1; r < kSettingsRowCount; ++r)
        rows.push_back({kSettingsRows[r].flag != nullptr, std::vector<float>(size_t(kSettingsRows[r].optionCount), 20)});
    return layoutSettingsPanel(rows);
}

// Every zone answers on its own top-left and bottom-right pixel and not one past them; long
// language titles wrap onto more lines inside the chip area and push the rows below down.
TEST(SettingsPanel, ZonesHaveExclusiveEdgesAndLongTitlesWrapInsideTheChipArea) {
    SettingsLayout one = layoutWithLanguages({30, 50}), many = layoutWithLanguages({24, 50, 400, 180, 500});
    int extra = kChipLineStep * (many.rowLines[0] - 1);
    EXPECT_GT(extra, 0);
    EXPECT_EQ((many.height - one.height) * 1000 + many.rowTop[1] - one.rowTop[1], extra * 1001);
    for (const SettingsLayout& l : {one, many})
        for (int i = 0; i < int(l.zones.size()); ++i) {
            const HitZone& z = l.zones[i];
            EXPECT_EQ(hitZoneAt(l.zones, z.left, z.top) * 100 + hitZoneAt(l.zones, z.right - 1, z.bottom - 1), i * 101);
            EXPECT_TRUE(hitZoneAt(l.zones, z.right, z.top) != i && hitZoneAt(l.zones, z.left, z.bottom) != i) << i;
            EXPECT_TRUE(z.row != 0 || (z.left >= kChipAreaLeft && z.right <= kChipAreaRight && z.bottom <= l.rowTop[1]));
        }
    EXPECT_EQ(hitZoneAt(one.zones, 100, 70), -1);  // a row's label is nothing
}

TEST(SettingsPanel, ChoosingChangesOnlyTheRowsField) {
    std::vector<std::string> codes = {"th", "en", "de-long-pack-code"};
    Settings s;
    for (int row : {1, 2, 3, 0, 4}) EXPECT_TRUE(chooseSettingsOption(s, row, row == 4 ? 99 : 2, codes));
    EXPECT_TRUE(chooseSettingsOption(s, 1, 5, codes));  // out of range: a click that changes nothing
    EXPECT_TRUE(chooseSettingsOption(s, 8, 1, codes));  // a button row keeps nothing
    EXPECT_FALSE(chooseSettingsOption(s, kSettingsRowCount, 0, codes));
    EXPECT_EQ(std::vector<uint32_t>({s.seek, s.volume, s.sublang, s.resume}), std::vector<uint32_t>({15, 10, 2, 0}));
    EXPECT_STREQ(s.lang, "de-long-pack-co");  // cut to the field
    EXPECT_EQ(languageIndex(codes, "en") * 10 + languageIndex(codes, "xx"), 10);
}

using Entries = std::unordered_map<std::string, std::string>;

Entries parse(const std::string& bytes, std::string* title = nullptr) {
    Entries entries;
    parseLanguagePack(bytes, title, &entries);
    return entries;
}

TEST(LanguagePack, LineRulesByteOrderMarkAndCrLf) {
    std::string title = "unset";
    Entries e = parse("\xEF\xBB\xBF# comment=Not a comment value\r\n  # Speed=blanks then hash is a key\r\n"
                      "Speed =blank before the equals sign\nAudio= x = y \nVideo=\nPause=first\nPause=second\n"
                      "no equals sign\nTitle=One\nTitle=\nA=b\r\r\nStop=last line without LF",
                      &title);
    EXPECT_EQ(title, "");  // a later empty Title still replaces the earlier one
    EXPECT_EQ(e, (Entries{{"  # Speed", "blanks then hash is a key"}, {"Speed ", "blank before the equals sign"},
                          {"Audio", " x = y "}, {"Pause", "second"}, {"A", "b\r"}, {"Stop", "last line without LF"}}));
    // A mark elsewhere than at the start is content.
    EXPECT_EQ(parse("\n\xEF\xBB\xBF" "A=b").count("\xEF\xBB\xBF" "A"), 1u);
    EXPECT_TRUE(parse("\xEF\xBB").empty());
}

// Translators key each line by the English text: every text appears once, exactly, LF only.
TEST(LanguagePack, TemplateHasEveryEnglishTextOnceAndReadsBackEmpty) {
    std::string text = packTemplateText(), title = "x", line;
    EXPECT_TRUE(text.find('\r') == std::string::npos && text.compare(0, 3, "\xEF\xBB\xBF") != 0);
    std::istringstream in(text);
    int i = -3;
    for (; std::getline(in, line); ++i)
        EXPECT_TRUE(i < 0 || (i < kBuiltinTextCount && line == std::string(kBuiltinTexts[i].english) + "=")) << line;
    EXPECT_EQ(i, kBuiltinTextCount);
    std::set<std::string> thai, english;
    for (const BuiltinText& row : kBuiltinTexts)
        EXPECT_TRUE(thai.insert(row.thai).second && english.insert(row.english).second &&
                    !strchr(row.english, '=')) << row.english;
    EXPECT_TRUE(parse(text, &title).empty() && title.empty() && text.back() == '\n');
}

TEST(LanguagePack, CountPatternsFromPacksNeverReadAnotherArgument) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"Back %d seconds", true}, {L"%d s back, 100%%", true}, {L"%%%d", true},      {L"Zurück", false},
        {L"%d of %d", false},       {L"%s seconds", false},      {L"%n%d", false},     {L"%*d seconds", false},
        {L"%5d", false},            {L"%ld", false},             {L"trailing %", false}, {L"%%d literal", false}};
    for (const auto& c : cases) EXPECT_EQ(isSingleCountPattern(c.first), c.second) << c.first;
}

using Times = std::vector<double>;

TEST(BookmarksFile, TimesReadAsDecimalNumbersAloneAndWriteWithoutNegativeZero) {
    // time field -> seconds kept, or -1 when the line is dropped
    const std::vector<std::pair<std::string, double>> fields = {
        {"83.500", 83.5}, {"", 0}, {"12abc", 12}, {"0x10", 0}, {" .5", 0.5}, {"1e2x", 100}, {"-0", 0},
        {"-0.0004", 0}, {"1.23456", 1.235}, {"nan", -1}, {"INF", -1}, {"+nan", -1}, {"-inFinity", -1}, {"-5", -1},
        {"2147483648", -1}, {"1e300", -1}};
    std::string text = "T\t5\t\nX\t5\tk\nT 5\tk\nT\t5\n";  // no key, wrong letter, no TABs: dropped
    Times expected;
    for (const auto& f : fields) {
        text += "T\t" + f.first + "\tk\r\n";
        if (f.second >= 0) expected.push_back(f.second);
    }
    std::vector<BookmarkEntry> store = parseBookmarks(text + "T\t2147483647.5\tlast");
    ASSERT_EQ(store.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(store[i].seconds == expected[i] && !std::signbit(store[i].seconds)) << fields[i].first;
    EXPECT_EQ(formatBookmarks(store), "T\t83.500\tk\nT\t0.000\tk\nT\t12.000\tk\nT\t0.000\tk\nT\t0.500\tk\n"
                                      "T\t100.000\tk\nT\t0.000\tk\nT\t0.000\tk\nT\t1.235\tk\nT\t2147483647.500\tlast\n");
}

TEST(Bookmarks, AddKeepsTheGapTheLimitAndTheKeysApart) {
    std::vector<BookmarkEntry> store = {{"other", 10.2}};
    // time -> index, or -1 when refused: the gap, unusable times
    const double adds[][2] = {{10.0, 0}, {10.6, -1}, {9.2, -1}, {11.0, 1}, {2.0, 0}, {-0.5, -1}, {1.0 / 0.0, -1},
                              {0.0 / 0.0, -1}, {3e9, -1}, {-0.0004, 0}};
    for (const auto& a : adds) EXPECT_EQ(addBookmark(store, "C:\\a.mkv", a[0]), int(a[1])) << a[0];
    EXPECT_EQ(addBookmark(store, "C:\\A.mkv", 10.0), 0);  // letter case makes another file
    EXPECT_EQ(addBookmark(store, "", 50) + addBookmark(store, "http://x/a\nT\t1\tC:\\a.mkv", 50), -2);
    EXPECT_EQ(bookmarksOf(store, "C:\\a.mkv"), (Times{0, 2, 10, 11}));
    EXPECT_FALSE(std::signbit(bookmarksOf(store, "C:\\a.mkv")[0]));
    std::vector<BookmarkEntry> full;
    for (int i = 0; i < kMaxBookmarksPerFile; ++i) ASSERT_GE(addBookmark(full, "f", i * 2.0), 0);
    EXPECT_EQ(addBookmark(full, "f", 1000.0), -1);
    EXPECT_EQ(addBookmark(full, "g", 1000.0), 0);
}

TEST(Bookmarks, JumpsKeepTheirMarginsAndDeletesTouchOnlyTheCurrentFile) {
    const Times marks = {10, 20, 30};
    // now, previous, next; 20 is not later than 19.6 + 0.5
    const double cases[][3] = {{20.5, 0, 2}, {21.0, 1, 2}, {19.6, 0, 2}, {19.4, 0, 1}, {20.0, 0, 2},
                               {10.7, -1, 1}, {9.0, -1, 0}, {30.7, 1, -1}, {30.9, 2, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(previousBookmark(marks, c[0]), int(c[1])) << c[0];
        EXPECT_EQ(nextBookmark(marks, c[0]), int(c[2])) << c[0];
    }
    std::vector<BookmarkEntry> store = {{"a", 30}, {"b", 20}, {"a", 10}, {"a", 20}, {"b", 5}};
    EXPECT_FALSE(deleteBookmark(store, "a", 3));
    EXPECT_TRUE(deleteBookmark(store, "a", 1));  // the middle one, 20 s
    EXPECT_EQ(formatBookmarks(store), "T\t30.000\ta\nT\t20.000\tb\nT\t10.000\ta\nT\t5.000\tb\n");
    clearBookmarks(store, "a");
    EXPECT_EQ(formatBookmarks(store), "T\t20.000\tb\nT\t5.000\tb\n");
}

}  // namespace
