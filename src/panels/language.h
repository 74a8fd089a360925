// The UI language in use and the language pack folder.
#pragma once
#include <string>
#include <vector>

extern std::wstring langFolder;  // folder of the <code>.ini packs

// The text to show for a Thai source text in the current language: the argument itself, the
// built-in English text, or a pack's translation. Use the result at once and never keep the
// pointer: a pack's texts live only until the next setLanguage.
const wchar_t* tr(const wchar_t* thai);

std::string defaultLanguage();
const std::string& currentLanguage();
void setLanguage(const std::string& code);

// One choice of the settings panel's language row.
struct LanguageChoice {
    std::string code;          // what setLanguage and Settings.lang take
    std::wstring displayName;  // the pack's Title, else its file-name stem
};
// Thai, English, then every pack in the language folder.
std::vector<LanguageChoice> listLanguages();

// Writes the template pack; false when the file could not be created.
bool writePackTemplate(const std::wstring& path);
