#include <gtest/gtest.h>

#include "store/settings_window_core.h"

namespace {

SettingsLayout layoutWithLanguages(std::vector<float> languageWidths) {
    std::vector<RowContent> rows = {{false, languageWidths}};
    for (int r = 1; r < kSettingsRowCount; ++r)
        rows.push_back({kSettingsRows[r].flag != nullptr, std::vector<float>(size_t(kSettingsRows[r].optionCount), 20)});
    return layoutSettingsPanel(rows);
}

std::vector<int> box(const HitZone& z) { return {z.left, z.top, z.right, z.bottom, z.row, z.option, z.action}; }

TEST(SettingsPanel, SevenSingleLineRowsGiveTheFixedPanelZonesAndFooter) {
    SettingsLayout l = layoutWithLanguages({30, 50});
    EXPECT_EQ(std::vector<int>({l.height, l.footer, int(l.zones.size())}), std::vector<int>({447, 363, 19}));
    EXPECT_EQ(box(l.zones[0]), std::vector<int>({518, 14, 542, 38, -1, -1, kZoneClose}));
    EXPECT_EQ(box(l.zones[1]), std::vector<int>({472, 57, 540, 83, 0, 1, kZoneChoose}));  // last option at the right
    EXPECT_EQ(box(l.zones[14]), std::vector<int>({490, 238, 540, 262, 4, -1, kZoneChoose}));  // RESUME switch
    EXPECT_EQ(box(l.zones[17]), std::vector<int>({370, 373, 540, 401, -1, -1, kZoneDefaultApps}));
    EXPECT_EQ(std::vector<int>({hitZoneAt(l.zones, 539, 82), hitZoneAt(l.zones, 540, 70), hitZoneAt(l.zones, 100, 70)}),
              std::vector<int>({1, -1, -1}));  // right and bottom edges are outside; a label is nothing
}

TEST(SettingsPanel, ManyLongLanguageTitlesStayInsideTheChipAreaOnMoreLines) {
    SettingsLayout l = layoutWithLanguages({24, 50, 400, 180, 180, 90, 90, 90, 90, 500});
    int extra = kChipLineStep * (l.rowLines[0] - 1), chips = 0;
    EXPECT_GT(extra, 0);
    EXPECT_EQ(l.height, 447 + extra);
    EXPECT_EQ(l.rowTop[1], 93 + extra);
    for (const HitZone& z : l.zones) {
        if (z.row != 0) continue;
        ++chips;
        EXPECT_TRUE(z.left >= kChipAreaLeft && z.right <= kChipAreaRight && z.bottom <= l.rowTop[1]) << z.option;
        EXPECT_EQ(hitZoneAt(l.zones, z.right - 1, z.bottom - 1), hitZoneAt(l.zones, z.left, z.top));  // no overlap
    }
    EXPECT_EQ(chips, 10);
}

TEST(SettingsPanel, ChoosingChangesOnlyTheRowsField) {
    std::vector<std::string> codes = {"th", "en", "de-long-pack-code"};
    Settings s;
    for (int row : {1, 2, 3, 0, 4}) EXPECT_TRUE(chooseSettingsOption(s, row, row == 4 ? 99 : 2, codes));
    EXPECT_TRUE(chooseSettingsOption(s, 1, 5, codes));  // out of range: a click that changes nothing
    EXPECT_FALSE(chooseSettingsOption(s, 7, 0, codes));
    EXPECT_EQ(std::vector<uint32_t>({s.seek, s.volume, s.sublang, s.resume}), std::vector<uint32_t>({15, 10, 2, 0}));
    EXPECT_STREQ(s.lang, "de-long-pack-co");  // cut to the field
    EXPECT_EQ(languageIndex(codes, "en") * 10 + languageIndex(codes, "xx"), 10);
}

}  // namespace
