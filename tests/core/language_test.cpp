#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "panels/language_core.h"

namespace {

using Entries = std::unordered_map<std::string, std::string>;

Entries parse(const std::string& bytes, std::string* title = nullptr) {
    Entries entries;
    parseLanguagePack(bytes, title, &entries);
    return entries;
}

TEST(LanguagePack, LineRules) {
    std::string title = "unset";
    Entries e = parse("# comment=Not a comment value\n  # Speed=blanks then hash is a key\n"
                      "Speed =blank before the equals sign\nAudio= x = y \nVideo=\nPause=first\nPause=second\n"
                      "no equals sign\nTitle=One\nTitle=\nStop=last line without LF",
                      &title);
    EXPECT_EQ(title, "");  // a later empty Title still replaces the earlier one
    EXPECT_EQ(e, (Entries{{"  # Speed", "blanks then hash is a key"}, {"Speed ", "blank before the equals sign"},
                          {"Audio", " x = y "}, {"Pause", "second"}, {"Stop", "last line without LF"}}));
}

TEST(LanguagePack, ByteOrderMarkAndCrLfReadLikeLf) {
    std::string plainTitle, markedTitle;
    Entries plain = parse("Title=Test Pack\nSpeed=SPEED-XX\n\n#x=y\n", &plainTitle);
    EXPECT_EQ(parse("\xEF\xBB\xBFTitle=Test Pack\r\nSpeed=SPEED-XX\r\n\r\n#x=y\r\n", &markedTitle), plain);
    EXPECT_EQ(markedTitle, "Test Pack");
    EXPECT_EQ(plain, (Entries{{"Speed", "SPEED-XX"}}));
    // Only one CR goes, and a mark elsewhere than at the start is content.
    EXPECT_EQ(parse("A=b\r\r\n")["A"], "b\r");
    EXPECT_EQ(parse("\n\xEF\xBB\xBF" "A=b").count("\xEF\xBB\xBF" "A"), 1u);
    EXPECT_TRUE(parse("\xEF\xBB").empty());
}

// Translators key each line by the English text: every text appears once, exactly, LF only.
TEST(LanguagePack, TemplateHasEveryEnglishTextOnceAndReadsBackEmpty) {
    std::string text = packTemplateText();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.compare(0, 3, "\xEF\xBB\xBF"), 0);
    EXPECT_EQ(text.back(), '\n');
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u + kBuiltinTextCount);
    EXPECT_EQ(lines[2], "Title=");
    std::set<std::string> thai, english;
    for (int i = 0; i < kBuiltinTextCount; ++i) {
        const BuiltinText& row = kBuiltinTexts[i];
        EXPECT_EQ(lines[3 + i], row.english + std::string("=")) << i;
        EXPECT_TRUE(thai.insert(row.thai).second && english.insert(row.english).second) << row.english;
        EXPECT_EQ(std::string(row.english).find('='), std::string::npos) << row.english;
    }
    std::string title = "x";
    EXPECT_TRUE(parse(text, &title).empty());
    EXPECT_EQ(title, "");
}

TEST(LanguagePack, CountPatternsFromPacksNeverReadAnotherArgument) {
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"Back %d seconds", true}, {L"%d s back, 100%%", true}, {L"%%%d", true},      {L"Zurück", false},
        {L"%d of %d", false},       {L"%s seconds", false},      {L"%n%d", false},     {L"%*d seconds", false},
        {L"%5d", false},            {L"%ld", false},             {L"trailing %", false}, {L"%%d literal", false}};
    for (const auto& c : cases) EXPECT_EQ(isSingleCountPattern(c.first), c.second) << c.first;
}

}  // namespace
