// Text conversions between the UI's UTF-16 and the engine's and files' UTF-8, and full paths.
#pragma once
#include <string>

std::string toUtf8(const wchar_t* text);
std::string toUtf8(const std::wstring& text);
std::wstring toWide(const char* text);
std::wstring toWide(const std::string& text);

// URLs (anything with "://") unchanged; other paths made absolute when that works.
std::wstring fullPathOf(const std::wstring& path);
