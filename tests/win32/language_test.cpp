#include <gtest/gtest.h>

#include <map>

#include "panels/language.h"
#include "test_paths.h"

namespace {

const wchar_t* const kSpeed = L"ความเร็ว";
const wchar_t* const kBack = L"ย้อนหลัง %d วินาที";  // "Back %d seconds"

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
    EXPECT_EQ(tr(kSpeed) + std::wstring(L"|") + tr(L"no row"), L"Speed|no row");
    setLanguage("xx");
    EXPECT_EQ(currentLanguage(), "xx");
    EXPECT_EQ(tr(kSpeed) + std::wstring(L"|") + tr(L"เสียง"), L"SPEED-XX|Audio");
    EXPECT_EQ(trCount(kBack, 30), L"Back 30 seconds");  // the pack's pattern would read more arguments
    writeWholeFile(dir.file(L"yy.ini"), "Back %d seconds=Zur\xC3\xBC" "ck %d s, 100%%\n");
    setLanguage("yy");
    EXPECT_EQ(trCount(kBack, 5), L"Zur\u00FCck 5 s, 100%");
    DeleteFileW(dir.file(L"yy.ini").c_str());  // a pack deleted while chosen leaves English
    setLanguage("yy");
    EXPECT_EQ(currentLanguage(), "en");
}

TEST_F(LanguageFolder, ListsBuiltInChoicesThenPacksButNotTheTemplate) {
    writeWholeFile(dir.file(L"xx.ini"), "\xEF\xBB\xBFTitle=Test Pack\r\n");
    writeWholeFile(dir.file(L"notitle.ini"), "Speed=S\n");
    writeWholeFile(dir.file(L"template.ini"), "Title=\n");
    std::map<std::string, std::wstring> names;
    for (const LanguageChoice& choice : listLanguages()) names[choice.code] = choice.displayName;
    EXPECT_EQ(names, (std::map<std::string, std::wstring>{
                         {"th", L"ไทย"}, {"en", L"English"}, {"xx", L"Test Pack"}, {"notitle", L"notitle"}}));
    EXPECT_EQ(listLanguages()[0].code + listLanguages()[1].code, "then");
    DeleteFileW(dir.file(L"template.ini").c_str());  // only the exact lower-case name is the template
    writeWholeFile(dir.file(L"Template.ini"), "Title=\n");
    EXPECT_EQ(listLanguages().size(), 5u);
    langFolder.clear();
    EXPECT_EQ(listLanguages().size(), 2u);
}

}  // namespace
