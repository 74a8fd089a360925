#include "panels/language.h"

#include <windows.h>

#include <unordered_map>

#include "app/textconv.h"
#include "panels/language_core.h"
#include "store/stored_file.h"

std::wstring langFolder;

namespace {

std::string languageInUse = "th";  // the source language until start-up chooses one
std::unordered_map<std::wstring, std::wstring> builtinLookup;  // Thai -> English, filled once
std::unordered_map<std::wstring, std::wstring> packTexts;      // English -> the pack's text

void fillBuiltinLookup() {
    if (!builtinLookup.empty()) return;
    builtinLookup.reserve(kBuiltinTextCount);
    for (const BuiltinText& row : kBuiltinTexts) builtinLookup.emplace(toWide(row.thai), toWide(row.english));
}

}  // namespace

const wchar_t* tr(const wchar_t* thai) {
    if (!thai || languageInUse == "th") return thai;
    fillBuiltinLookup();
    auto row = builtinLookup.find(thai);
    if (row == builtinLookup.end()) return thai;
    if (languageInUse == "en") return row->second.c_str();
    auto translated = packTexts.find(row->second);
    return translated == packTexts.end() ? row->second.c_str() : translated->second.c_str();
}

std::wstring trCount(const wchar_t* thaiPattern, int count) {
    // A pack's pattern is a translator's text: one that would read another argument, or none,
    // gives way to the built-in English pattern.
    std::wstring pattern = tr(thaiPattern);
    if (!isSingleCountPattern(pattern)) {
        fillBuiltinLookup();
        auto row = builtinLookup.find(thaiPattern);
        if (row != builtinLookup.end() && isSingleCountPattern(row->second)) pattern = row->second;
        else pattern = isSingleCountPattern(thaiPattern) ? thaiPattern : L"%d";
    }
    wchar_t text[256];
    swprintf(text, 256, pattern.c_str(), count);
    return text;
}

bool loadLanguagePack(const std::wstring& path, std::unordered_map<std::wstring, std::wstring>* map,
                      std::wstring& title) {
    std::string bytes;
    if (!readStoredFile(path, bytes)) return false;
    std::string titleBytes;
    std::unordered_map<std::string, std::string> entries;
    parseLanguagePack(bytes, &titleBytes, map ? &entries : nullptr);
    title = toWide(titleBytes);
    if (map)
        for (const auto& entry : entries) (*map)[toWide(entry.first)] = toWide(entry.second);
    return true;
}

std::string defaultLanguage() { return "en"; }

const std::string& currentLanguage() { return languageInUse; }

void setLanguage(const std::string& code) {
    packTexts.clear();
    if (code == "en" || code == "th") {
        languageInUse = code;
        return;
    }
    std::wstring title;
    bool opened = !langFolder.empty() &&
                  loadLanguagePack(langFolder + L"\\" + toWide(code) + L".ini", &packTexts, title);
    languageInUse = opened ? code : "en";
}

std::vector<LanguageChoice> listLanguages() {
    std::vector<LanguageChoice> choices = {{"th", L"\u0E44\u0E17\u0E22"}, {"en", L"English"}};
    if (langFolder.empty()) return choices;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((langFolder + L"\\*.ini").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return choices;
    do {
        std::wstring name = entry.cFileName;
        if (name.size() < 4 || (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        std::wstring stem = name.substr(0, name.size() - 4);
        if (stem == L"template") continue;
        std::wstring title;
        loadLanguagePack(langFolder + L"\\" + name, nullptr, title);
        choices.push_back({toUtf8(stem), title.empty() ? stem : title});
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return choices;
}

bool writePackTemplate(const std::wstring& path) { return writeStoredFile(path, packTemplateText()); }
