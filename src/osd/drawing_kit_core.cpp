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

int matchingFamily(const char16_t* const* names, int count, const FontFamilyWish& wish) {
    for (int i = 0; i < count; ++i) {
        if (names[i] && samePrefix(names[i], wish.name, wish.comparedChars)) return i;
    }
    return -1;
}
