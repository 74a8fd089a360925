// The UI language in use and the language pack folder.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

extern std::wstring langFolder;  // folder of the <code>.ini packs

// The text to show for a Thai source text in the current language: the argument itself, the
// built-in English text, or a pack's translation. Use the result at once and never keep the
// pointer: a pack's texts live only until the next setLanguage.
const wchar_t* tr(const wchar_t* thai);

// A count pattern ("Back %d seconds") translated and filled in with `count`.
std::wstring trCount(const wchar_t* thaiPattern, int count);

std::string defaultLanguage();
const std::string& currentLanguage();
void setLanguage(const std::string& code);

// Reads a pack file: its translations into `map` (English text -> translation; null when only
// the title is wanted) and its Title line (empty when none). False when it cannot be opened.
bool loadLanguagePack(const std::wstring& path, std::unordered_map<std::wstring, std::wstring>* map,
                      std::wstring& title);

// One choice of the settings panel's language row.
struct LanguageChoice {
    std::string code;          // what setLanguage and Settings.lang take
    std::wstring displayName;  // the pack's Title, else its file-name stem
};
// Thai, English, then every pack in the language folder.
std::vector<LanguageChoice> listLanguages();

// Writes the template pack; false when it could not be written whole (a good old file stays).
bool writePackTemplate(const std::wstring& path);
