#include <gtest/gtest.h>

#include <map>

#include "panels/language.h"
#include "test_paths.h"

namespace {

const wchar_t* const kSpeed = L"ความเร็ว";
const wchar_t* const kBack = L"ย้อนหลัง %d วินาที";  // "Back %d seconds"

TEST(LanguageFolder, PacksTranslateByTheEnglishTextListAndFallBackToEnglish) {
    ScratchFolder dir(L"kivo-lang");
    langFolder = dir.path;
    writeWholeFile(dir.file(L"xx.ini"), "\xEF\xBB\xBFTitle=Test Pack\r\nSpeed=SPEED-XX\r\nBack %d seconds=%d %s %n\n");
    writeWholeFile(dir.file(L"yy.ini"), "Back %d seconds=Zur\xC3\xBC" "ck %d s, 100%%\n");
    writeWholeFile(dir.file(L"template.ini"), "Title=\n");
    std::map<std::string, std::wstring> names;
    for (const LanguageChoice& choice : listLanguages()) names[choice.code] = choice.displayName;
    EXPECT_EQ(names, (std::map<std::string, std::wstring>{
                         {"th", L"ไทย"}, {"en", L"English"}, {"xx", L"Test Pack"}, {"yy", L"yy"}}));
    EXPECT_EQ(listLanguages()[0].code + listLanguages()[1].code, "then");
    setLanguage("th");
    EXPECT_EQ(tr(kSpeed), kSpeed);  // Thai shows the source text itself
    setLanguage("xx");
    EXPECT_EQ(tr(kSpeed) + std::wstring(L"|") + tr(L"เสียง"), L"SPEED-XX|Audio");
    EXPECT_EQ(trCount(kBack, 30), L"Back 30 seconds");  // the pack's pattern would read more arguments
    setLanguage("yy");
    EXPECT_EQ(trCount(kBack, 5), L"Zur\u00FCck 5 s, 100%");
    DeleteFileW(dir.file(L"yy.ini").c_str());  // a pack deleted while chosen leaves English
    setLanguage("yy");
    EXPECT_EQ(currentLanguage(), "en");
    langFolder.clear();
}

}  // namespace
