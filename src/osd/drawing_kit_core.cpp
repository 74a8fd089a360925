#include "osd/drawing_kit_core.h"

namespace {

bool samePrefix(const char16_t* name, const char16_t* wanted, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (name[i] != wanted[i]) return false;
        if (name[i] == u'\0') return true;  // both ended before `count`
    }
    return true;
}

}  // namespace

bool monoFamilyCovers(const wchar_t* text) {
    for (; text && *text; ++text) {
        uint32_t c = uint32_t(*text);
        if (c >= 0x0E00 && !(c >= 0x2000 && c < 0x2070)) return false;
    }
    return true;
}

int matchingFamily(const char16_t* const* names, int count, const FontFamilyWish& wish) {
    for (int i = 0; i < count; ++i) {
        if (names[i] && samePrefix(names[i], wish.name, wish.comparedChars)) return i;
    }
    return -1;
}

namespace {

// The length of the UTF-8 sequence at `p`, or 0 with U+FFFD when it is not a valid one.
size_t decodeUtf8(const unsigned char* p, size_t left, uint32_t& codePoint) {
    codePoint = 0xFFFD;
    unsigned c = p[0];
    if (c < 0x80) {
        codePoint = c;
        return 1;
    }
    size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
    if (length == 0 || c > 0xF4 || length > left) return 0;
    uint32_t value = c & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        value = value << 6 | (p[i] & 0x3F);
    }
    static const uint32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    codePoint = value;
    return length;
}

void appendCodePoint(std::wstring& out, uint32_t codePoint) {
    if (sizeof(wchar_t) == 2 && codePoint > 0xFFFF) {
        codePoint -= 0x10000;
        out += wchar_t(0xD800 + (codePoint >> 10));
        out += wchar_t(0xDC00 + (codePoint & 0x3FF));
    } else {
        out += wchar_t(codePoint);
    }
}

}  // namespace

std::wstring oneLineFromUtf8(const char* text, size_t size, size_t maxChars, uint32_t (*show)(uint32_t)) {
    std::wstring out;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    size_t left = text ? size : 0, chars = 0;
    while (left > 0) {
        if (chars == maxChars) {
            out += L'\u2026';
            break;
        }
        uint32_t codePoint;
        size_t length = decodeUtf8(p, left, codePoint);
        if (length == 0) length = 1;  // one replacement per stray byte
        p += length;
        left -= length;
        codePoint = show(codePoint);
        if (codePoint == 0) continue;
        appendCodePoint(out, codePoint);
        ++chars;
    }
    return out;
}
