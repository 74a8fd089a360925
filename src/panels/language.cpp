#include "panels/language.h"

#include <cstdio>

#include "app/textconv.h"

std::wstring langFolder;

namespace {
std::string languageInUse = "th";  // the source language until start-up chooses one
}

const wchar_t* tr(const wchar_t* thai) { return thai; }

std::string defaultLanguage() { return "en"; }

const std::string& currentLanguage() { return languageInUse; }

void setLanguage(const std::string& code) {
    if (code == "en" || code == "th") {
        languageInUse = code;
        return;
    }
    // A pack's code is only taken when its file can be opened; otherwise English.
    languageInUse = "en";
    if (langFolder.empty()) return;
    std::wstring path = langFolder + L"\\" + toWide(code) + L".ini";
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        fclose(f);
        languageInUse = code;
    }
}

std::vector<LanguageChoice> listLanguages() { return {{"th", L"\u0E44\u0E17\u0E22"}, {"en", L"English"}}; }

bool writePackTemplate(const std::wstring& path) {
    // The template's rows come with the translation table; until then an empty pack.
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    return fclose(f) == 0;
}
