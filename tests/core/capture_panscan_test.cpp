#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "input/capture_core.h"
#include "input/panscan_core.h"

namespace {

TEST(FillScale, StretchesOneAxisUntilTheAspectsAgree) {
    struct Case { double aspect; int w, h; double x, y; };
    for (Case c : {Case{2.35, 1600, 900, 1.0, 2.35 / (16.0 / 9)}, Case{4.0 / 3, 1600, 900, (16.0 / 9) / (4.0 / 3), 1.0},
                   Case{16.0 / 9, 1600, 900, 1.0, 1.0}, Case{16.0 / 9, 400, 900, 1.0, (16.0 / 9) / (4.0 / 9)}}) {
        PictureScale s;
        ASSERT_TRUE(fillScale(c.aspect, c.w, c.h, s));
        EXPECT_NEAR(s.x, c.x, 1e-9);
        EXPECT_NEAR(s.y, c.y, 1e-9);
    }
    PictureScale s;
    for (double bad : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(fillScale(bad, 800, 600, s));
    EXPECT_FALSE(fillScale(1.5, 0, 600, s));
    EXPECT_FALSE(fillScale(1.5, 800, -2, s));
    EXPECT_EQ(scaleCommand({1.0, 1.32187}, 4), "set video-scale-x 1.0000 ; set video-scale-y 1.3219");
}

TEST(PanScan, PresetArgumentsAndTheMatchingPreset) {
    EXPECT_EQ(panScanPresetIndex("2"), 2);
    for (const char* outside : {"7", "-1", "x", "", "99999999999999999999"}) EXPECT_EQ(panScanPresetIndex(outside), 0);
    for (int i = 0; i < kPanScanPresetCount; ++i)
        EXPECT_EQ(presetMatchingScale(kPanScanPresets[i].scaleX + 0.004, kPanScanPresets[i].scaleY - 0.004), i);
    EXPECT_EQ(presetMatchingScale(1.0, 1.3219), -1);
    EXPECT_EQ(presetMatchingScale(1.14, 1.0), -1);
}

TEST(CaptureName, ForbiddenCharactersBecomeUnderscores) {
    EXPECT_EQ(captureBaseName(L"a:b?c*d\"e<f>g|h/i\\j\x01k\x1fl.m"), L"a_b_c_d_e_f_g_h_i_j_k_l.m");
    EXPECT_EQ(captureBaseName(L"ภาพยนตร์ (2024)"), L"ภาพยนตร์ (2024)");
}

TEST(CaptureName, StampPathAndToastText) {
    struct Case { double t; const wchar_t* stamp; };
    for (Case c : {Case{59.9, L" 0-00-59"}, Case{3600, L" 1-00-00"}, Case{3725.5, L" 1-02-05"}, Case{-4, L" 0-00-00"},
                   Case{std::nan(""), L" 0-00-00"}, Case{1e300, L" 0-00-00"}, Case{2147483647.0, L" 596523-14-07"}})
        EXPECT_EQ(captureStamp(c.t), c.stamp) << c.t;
    EXPECT_EQ(capturePath(L"C:\\P", L"Holiday", L" 1-02-05", 1), L"C:\\P\\Holiday 1-02-05.png");
    EXPECT_EQ(capturePath(L"C:\\P", L"Holiday", L" 1-02-05", 3), L"C:\\P\\Holiday 1-02-05 (3).png");
    std::wstring fifty(46, L'x');
    fifty += L".png";
    EXPECT_EQ(shortCaptureName(L"C:\\P\\" + fifty), L"\u2026" + fifty.substr(15));
    EXPECT_EQ(shortCaptureName(L"C:\\P\\short.png"), L"short.png");
}

}  // namespace
