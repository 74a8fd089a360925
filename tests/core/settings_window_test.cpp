#include <gtest/gtest.h>

#include "store/settings_window_core.h"

namespace {

std::vector<RowContent> rowsWithLanguages(std::vector<float> languageWidths) {
    std::vector<RowContent> rows = {{false, languageWidths}};
    for (int r = 1; r < kSettingsRowCount; ++r)
        rows.push_back({kSettingsRows[r].flag != nullptr, std::vector<float>(size_t(kSettingsRows[r].optionCount), 20)});
    return rows;
}

TEST(SettingsPanel, SevenSingleLineRowsGiveTheFixedPanelAndFooter) {
    SettingsLayout l = layoutSettingsPanel(rowsWithLanguages({30, 50}));
    EXPECT_EQ(l.height, 447);
    EXPECT_EQ(l.footer, 363);
    // close, 2 + 5 + 3 + 3 chips, 3 switches, 2 buttons
    ASSERT_EQ(l.zones.size(), 19u);
    EXPECT_EQ(l.zones[0].action, kZoneClose);
    // The last option sits at the right edge; a narrow text still gets the 46-px chip.
    const HitZone& english = l.zones[1];
    EXPECT_EQ((std::vector<int>{english.left, english.top, english.right, english.bottom, english.row, english.option}),
              (std::vector<int>{472, 57, 540, 83, 0, 1}));
    EXPECT_EQ(l.zones[2].right, 466);
    EXPECT_EQ(l.zones[2].left, 466 - 48);
    const HitZone& resume = l.zones[14];
    EXPECT_EQ((std::vector<int>{resume.left, resume.top, resume.right, resume.row, resume.option}),
              (std::vector<int>{490, 238, 540, 4, -1}));
    EXPECT_EQ(l.zones[17].action, kZoneDefaultApps);
    EXPECT_EQ(l.zones[17].top, 373);
    EXPECT_EQ(l.zones[18].action, kZoneCaptureFolder);
    EXPECT_EQ(l.zones[18].top, 409);
    EXPECT_EQ(hitZoneAt(l.zones, 539, 82), 1);
    EXPECT_EQ(hitZoneAt(l.zones, 540, 70), -1);  // right edge is outside, as PtInRect
    EXPECT_EQ(hitZoneAt(l.zones, 100, 70), -1);  // the label
}

TEST(SettingsPanel, ManyLongLanguageTitlesStayInsideTheChipAreaOnMoreLines) {
    SettingsLayout l = layoutSettingsPanel(rowsWithLanguages({24, 50, 400, 180, 180, 90, 90, 90, 90, 500}));
    int lines = l.rowLines[0];
    EXPECT_GT(lines, 3);
    EXPECT_EQ(l.height, 447 + kChipLineStep * (lines - 1));
    EXPECT_EQ(l.rowTop[1], 48 + 45 + kChipLineStep * (lines - 1));
    int languageChips = 0;
    for (const HitZone& z : l.zones) {
        if (z.row != 0) continue;
        ++languageChips;
        EXPECT_GE(z.left, kChipAreaLeft);
        EXPECT_LE(z.right, kChipAreaRight);
        EXPECT_LE(z.bottom, l.rowTop[1]);
        EXPECT_EQ(hitZoneAt(l.zones, z.left + 1, z.top + 1), hitZoneAt(l.zones, z.right - 1, z.bottom - 1));
    }
    EXPECT_EQ(languageChips, 10);
}

TEST(SettingsPanel, PlaceIsCentredBetweenTitleAndControlBarButNeverAboveTheTitle) {
    PanelPlace p = settingsPanelPlace(100, 50, 800, 600, 0, 0, 560, 447, 8);
    EXPECT_EQ(p.x, 100 + 120);
    EXPECT_EQ(p.y, 50 + (600 - 447) / 2);
    p = settingsPanelPlace(0, 0, 500, 300, 60, 32, 560, 447, 8);  // narrow, low client
    EXPECT_EQ(p.x, 8);
    EXPECT_EQ(p.y, 40);
    p = settingsPanelPlace(0, 0, 1120, 894, 90, 32, 840, 671, 12);  // scale 1.5
    EXPECT_EQ(p.x, 140);
    EXPECT_EQ(p.y, (894 - 90 + 32 - 671) / 2);
}

TEST(SettingsPanel, ChoosingChangesOnlyTheRowsField) {
    std::vector<std::string> codes = {"th", "en", "de-long-pack-code"};
    Settings s;
    struct Case { int row, option; bool valid; };
    for (Case c : {Case{1, 4, true}, Case{2, 2, true}, Case{3, 1, true}, Case{0, 2, true}, Case{4, 99, true},
                   Case{1, 5, true}, Case{0, -1, true}, Case{7, 0, false}, Case{-1, 0, false}})
        EXPECT_EQ(chooseSettingsOption(s, c.row, c.option, codes), c.valid) << c.row;
    EXPECT_EQ(s.seek, 30u);
    EXPECT_EQ(s.volume, 10u);
    EXPECT_EQ(s.sublang, 1u);
    EXPECT_STREQ(s.lang, "de-long-pack-co");  // cut to the field
    EXPECT_EQ(s.resume, 0);
    EXPECT_EQ(languageIndex(codes, "en"), 1);
    EXPECT_EQ(languageIndex(codes, "xx"), 0);
    EXPECT_EQ(rowValue(s, 1, 0), 30);
    EXPECT_EQ(rowValue(s, 0, 2), 2);
}

}  // namespace
