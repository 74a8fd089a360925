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
