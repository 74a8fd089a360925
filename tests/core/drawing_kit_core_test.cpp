#include <gtest/gtest.h>

#include "osd/drawing_kit_core.h"

namespace {

TEST(Palette, ColoursTakeTheirAlphaWhereUsed) {
    EXPECT_EQ(AccentCyan(40), 0x2800E5FFu);
    EXPECT_EQ(AccentCyan(255), 0xFF00E5FFu);
    EXPECT_EQ(TextMuted(255), 0xFF6D93A4u);
    EXPECT_EQ(TextBright(235), 0xEBD6F5FFu);
    EXPECT_EQ(AmberWarn(70), 0x46FFB547u);
    EXPECT_EQ(withAlpha(0xFF00E5FFu, 26), 0x1A00E5FFu);  // an ARGB colour's own alpha is replaced
    EXPECT_EQ(PanelNavy, 0xE205141Fu);
}

TEST(FontChoice, FirstFamilyMatchingTheLeadingCharacters) {
    const char16_t* wine[] = {u"Share Tech Mono", u"Chakra Petch Medium"};
    EXPECT_EQ(matchingFamily(wine, 2, kUiFamilyWish), 1);
    EXPECT_EQ(matchingFamily(wine, 2, kMonoFamilyWish), 0);
    const char16_t* windows[] = {u"Chakra Petch", u"Chakra Petch Medium"};
    EXPECT_EQ(matchingFamily(windows, 2, kUiFamilyWish), 0);
    const char16_t* others[] = {u"Chakra Pet", u"Share Tech", nullptr, u"chakra petch"};
    EXPECT_EQ(matchingFamily(others, 4, kUiFamilyWish), -1);
    EXPECT_EQ(matchingFamily(others, 4, kMonoFamilyWish), -1);
    EXPECT_EQ(matchingFamily(others, 0, kUiFamilyWish), -1);
}

}  // namespace
