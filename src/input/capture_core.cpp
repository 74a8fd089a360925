#include "input/capture_core.h"

#include <cmath>
#include <cwchar>

std::wstring captureBaseName(const std::wstring& mediaName) {
    std::wstring out = mediaName;
    for (wchar_t& c : out)
        if (c < 32 || wcschr(L"\\/:*?\"<>|", c)) c = L'_';
    return out;
}

std::wstring captureStamp(double seconds) {
    long long t = std::isfinite(seconds) && seconds >= 0 && seconds < 2147483648.0 ? (long long)seconds : 0;
    wchar_t text[32];
    swprintf(text, 32, L" %lld-%02lld-%02lld", t / 3600, (t / 60) % 60, t % 60);
    return text;
}

std::wstring capturePath(const std::wstring& folder, const std::wstring& name, const std::wstring& stamp, int n) {
    std::wstring path = folder + L"\\" + name + stamp;
    if (n >= 2) path += L" (" + std::to_wstring(n) + L")";
    return path + L".png";
}

std::wstring shortenForToast(const std::wstring& text) {
    return text.size() > 36 ? L"\u2026" + text.substr(text.size() - 35) : text;
}

std::wstring shortCaptureName(const std::wstring& path) {
    size_t slash = path.rfind(L'\\');
    return shortenForToast(slash == std::wstring::npos ? path : path.substr(slash + 1));
}
