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
    Entries e = parse(
        "# comment=Not a comment value\n"
        "  # Speed=blanks then hash is a key\n"
        "Speed =blank before the equals sign\n"
        "Audio= x = y \n"
        "Video=\n"
        "Pause=first\n"
        "Pause=second\n"
        "no equals sign\n"
        "Title=One\n"
        "Title=\n"
        "Stop=last line without LF",
        &title);
    EXPECT_EQ(title, "");  // a later empty Title still replaces the earlier one
    EXPECT_EQ(e.count("# comment"), 0u);
    EXPECT_EQ(e["  # Speed"], "blanks then hash is a key");
    EXPECT_EQ(e["Speed "], "blank before the equals sign");
    EXPECT_EQ(e.count("Speed"), 0u);
    EXPECT_EQ(e["Audio"], " x = y ");
    EXPECT_EQ(e.count("Video"), 0u);  // empty values stay English
    EXPECT_EQ(e["Pause"], "second");
    EXPECT_EQ(e["Stop"], "last line without LF");
    EXPECT_EQ(e.size(), 5u);
}

TEST(LanguagePack, ByteOrderMarkAndCrLfReadLikeLf) {
    std::string plainTitle, markedTitle;
    Entries plain = parse("Title=Test Pack\nSpeed=SPEED-XX\n\n#x=y\n", &plainTitle);
    Entries marked = parse("\xEF\xBB\xBFTitle=Test Pack\r\nSpeed=SPEED-XX\r\n\r\n#x=y\r\n", &markedTitle);
    EXPECT_EQ(plain, marked);
    EXPECT_EQ(markedTitle, "Test Pack");
    EXPECT_EQ(plain.size(), 1u);
    // Only one CR goes, and a mark elsewhere than at the start is content.
    EXPECT_EQ(parse("A=b\r\r\n")["A"], "b\r");
    EXPECT_EQ(parse("\n\xEF\xBB\xBF" "A=b").count("\xEF\xBB\xBF" "A"), 1u);
    EXPECT_TRUE(parse("\xEF\xBB").empty());
}

TEST(LanguagePack, TemplateBytes) {
    std::string text = packTemplateText();
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.compare(0, 3, "\xEF\xBB\xBF"), 0);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u + kBuiltinTextCount);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(lines[0],
              "# KivoPlayer language pack. Copy to lang\\<code>.ini, set Title to the language's own name,");
    EXPECT_EQ(lines[1], "# and write the translation after each '='. Lines left empty stay in English.");
    EXPECT_EQ(lines[2], "Title=");
    EXPECT_EQ(lines[3], "Open file...=");
    EXPECT_EQ(lines[3 + 41], "default  =");
    EXPECT_EQ(lines[3 + 44], "  \xE2\x96\xB6 playing=");
    EXPECT_EQ(lines[3 + 72], " (whole file)=");
    EXPECT_EQ(lines[3 + 149], "or drop a video here   \xC2\xB7   Ctrl+O=");
    // Read back as a pack it translates nothing: every line is empty.
    std::string title = "x";
    EXPECT_TRUE(parse(text, &title).empty());
    EXPECT_EQ(title, "");
}

TEST(LanguagePack, NoTextOccursTwice) {
    std::set<std::string> thai, english;
    for (const BuiltinText& row : kBuiltinTexts) {
        EXPECT_TRUE(thai.insert(row.thai).second) << row.thai;
        EXPECT_TRUE(english.insert(row.english).second) << row.english;
        EXPECT_EQ(std::string(row.english).find('='), std::string::npos) << row.english;
    }
}

TEST(LanguagePack, CountPatternsFromPacksNeverReadAnotherArgument) {
    struct Case {
        const wchar_t* pattern;
        bool safe;
    } cases[] = {
        {L"Back %d seconds", true},  {L"%d s back, 100%%", true}, {L"Zurück", false},
        {L"%d of %d", false},        {L"%s seconds", false},      {L"%n%d", false},
        {L"%*d seconds", false},     {L"%5d", false},             {L"%ld", false},
        {L"trailing %", false},      {L"%%d literal", false},     {L"%%%d", true},
    };
    for (const Case& c : cases) EXPECT_EQ(isSingleCountPattern(c.pattern), c.safe) << c.pattern;
}

}  // namespace
