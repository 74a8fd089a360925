#include <gtest/gtest.h>

#include <map>

#include "panels/language.h"
#include "test_paths.h"

namespace {

const wchar_t* const kSpeed = L"\u0E04\u0E27\u0E32\u0E21\u0E40\u0E23\u0E47\u0E27";            // Speed
const wchar_t* const kAudio = L"\u0E40\u0E2A\u0E35\u0E22\u0E07";                                  // Audio
const wchar_t* const kBack = L"\u0E22\u0E49\u0E2D\u0E19\u0E2B\u0E25\u0E31\u0E07 %d \u0E27\u0E34\u0E19\u0E32\u0E17\u0E35";  // Back %d seconds

struct LanguageFolder : ::testing::Test {
    ScratchFolder dir{L"kivo-lang"};
    void SetUp() override { langFolder = dir.path; }
    void TearDown() override {
        setLanguage("en");
        langFolder.clear();
    }
};

TEST_F(LanguageFolder, PacksTranslateByTheEnglishTextAndFallBackToEnglish) {
    writeWholeFile(dir.file(L"xx.ini"), "Title=Test Pack\nSpeed=SPEED-XX\nBack %d seconds=%d %s %n\n");
    writeWholeFile(dir.file(L"en.ini"), "Speed=never read\n");
    setLanguage("th");
    EXPECT_EQ(tr(kSpeed), kSpeed);  // Thai shows the source text itself
    EXPECT_EQ(tr(nullptr), nullptr);
    setLanguage("en");
    EXPECT_STREQ(tr(kSpeed), L"Speed");
    EXPECT_STREQ(tr(L"no row"), L"no row");
    setLanguage("xx");
    EXPECT_EQ(currentLanguage(), "xx");
    EXPECT_STREQ(tr(kSpeed), L"SPEED-XX");
    EXPECT_STREQ(tr(kAudio), L"Audio");
    // A translated count pattern that would read arguments nobody passed is not used.
    EXPECT_EQ(trCount(kBack, 30), L"Back 30 seconds");
    writeWholeFile(dir.file(L"yy.ini"), "Back %d seconds=Zur\xC3\xBC" "ck %d s, 100%%\n");
    setLanguage("yy");
    EXPECT_EQ(trCount(kBack, 5), L"Zur\u00FCck 5 s, 100%");
    // A pack deleted while chosen leaves English.
    DeleteFileW(dir.file(L"yy.ini").c_str());
    setLanguage("yy");
    EXPECT_EQ(currentLanguage(), "en");
}

TEST_F(LanguageFolder, ListsBuiltInChoicesThenPacksButNotTheTemplate) {
    writeWholeFile(dir.file(L"xx.ini"), "\xEF\xBB\xBFTitle=Test Pack\r\n");
    writeWholeFile(dir.file(L"notitle.ini"), "Speed=S\n");
    writeWholeFile(dir.file(L"template.ini"), "Title=\n");
    std::vector<LanguageChoice> list = listLanguages();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].code, "th");
    EXPECT_EQ(list[0].displayName, L"\u0E44\u0E17\u0E22");
    EXPECT_EQ(list[1].code, "en");
    std::map<std::string, std::wstring> packs = {{list[2].code, list[2].displayName},
                                                 {list[3].code, list[3].displayName}};
    EXPECT_EQ(packs["xx"], L"Test Pack");
    EXPECT_EQ(packs["notitle"], L"notitle");
    // Only the exact lower-case name is the template.
    DeleteFileW(dir.file(L"template.ini").c_str());
    writeWholeFile(dir.file(L"Template.ini"), "Title=\n");
    EXPECT_EQ(listLanguages().size(), 5u);
    langFolder.clear();
    EXPECT_EQ(listLanguages().size(), 2u);
}

}  // namespace
