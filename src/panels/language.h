// The UI language in use and the language pack folder.
#pragma once
#include <string>

extern std::wstring langFolder;  // folder of the <code>.ini packs

std::string defaultLanguage();
const std::string& currentLanguage();
void setLanguage(const std::string& code);

// Writes the template pack; false when the file could not be created.
bool writePackTemplate(const std::wstring& path);
