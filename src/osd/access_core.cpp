#include "osd/access_core.h"

namespace {
AccessTexts handedTexts;
}

const AccessTexts& accessTexts() { return handedTexts; }
void setAccessTexts(const AccessTexts& texts) { handedTexts = texts; }

std::wstring accessText(const wchar_t* thai) {
    const wchar_t* text = handedTexts.translate ? handedTexts.translate(thai) : thai;
    return text ? text : L"";
}

std::wstring accessPressAction() { return accessText(L"กด"); }

std::wstring accessWide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring accessTimeValue(const std::string& position, const std::string& duration) {
    return accessWide(position) + L" " + accessText(L"จาก") + L" " + accessWide(duration);
}
