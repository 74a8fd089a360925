// The UI language in use and the language pack folder.
#pragma once
#include <string>

extern std::wstring langFolder;  // folder of the <code>.ini packs

// The text to show for a Thai source text in the current language: the argument itself, the
// built-in English text, or a pack's translation. Use the result at once and never keep the
// pointer: a pack's texts live only until the next setLanguage.
const wchar_t* tr(const wchar_t* thai);

std::string defaultLanguage();
const std::string& currentLanguage();
void setLanguage(const std::string& code);

// Writes the template pack; false when the file could not be created.
bool writePackTemplate(const std::wstring& path);
