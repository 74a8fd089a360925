#include "app/textconv.h"

#include <windows.h>

std::string toUtf8(const wchar_t* text) {
    if (!text) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size < 2) return {};
    std::string out(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(size_t(size) - 1);
    return out;
}

std::string toUtf8(const std::wstring& text) { return toUtf8(text.c_str()); }

std::wstring toWide(const char* text) {
    if (!text) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (size < 2) return {};
    std::wstring out(size_t(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], size);
    out.resize(size_t(size) - 1);
    return out;
}

std::wstring toWide(const std::string& text) { return toWide(text.c_str()); }

std::wstring fullPathOf(const std::wstring& path) {
    if (path.find(L"://") != std::wstring::npos) return path;
    wchar_t buffer[520];
    DWORD n = GetFullPathNameW(path.c_str(), 520, buffer, nullptr);
    if (n == 0 || n >= 520) return path;
    return std::wstring(buffer, n);
}
