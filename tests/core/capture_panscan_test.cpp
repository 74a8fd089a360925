#include <gtest/gtest.h>

#include <cmath>

#include "input/capture_core.h"
#include "input/panscan_core.h"

namespace {

TEST(FillScale, StretchesOneAxisUntilTheAspectsAgree) {
    PictureScale s;
    ASSERT_TRUE(fillScale(2.35, 1600, 900, s));
    EXPECT_EQ(scaleCommand(s, 4), "set video-scale-x 1.0000 ; set video-scale-y 1.3219");
    ASSERT_TRUE(fillScale(4.0 / 3, 1600, 900, s));
    EXPECT_EQ(scaleCommand(s, 2), "set video-scale-x 1.33 ; set video-scale-y 1.00");
    for (double bad : {0.0, -1.0, std::nan(""), HUGE_VAL}) EXPECT_FALSE(fillScale(bad, 800, 600, s));
    EXPECT_FALSE(fillScale(1.5, 0, 600, s) || fillScale(1.5, 800, -2, s));
}

TEST(PanScan, PresetArgumentsAndTheMatchingPreset) {
    EXPECT_EQ(panScanPresetIndex("2"), 2);
    for (const char* outside : {"7", "-1", "x", "", "99999999999999999999"}) EXPECT_EQ(panScanPresetIndex(outside), 0);
    for (int i = 0; i < kPanScanPresetCount; ++i)
        EXPECT_EQ(presetMatchingScale(kPanScanPresets[i].scaleX + 0.004, kPanScanPresets[i].scaleY - 0.004), i);
    EXPECT_EQ(presetMatchingScale(1.0, 1.3219), -1);
}

TEST(CaptureName, CleanNameStampPathAndToastText) {
    EXPECT_EQ(captureBaseName(L"a:b?c*d\"e<f>g|h/i\\j\x01k.m ไทย"), L"a_b_c_d_e_f_g_h_i_j_k.m ไทย");
    for (auto c : {std::make_pair(59.9, L" 0-00-59"), std::make_pair(3725.5, L" 1-02-05"), std::make_pair(-4.0, L" 0-00-00"),
                   std::make_pair(std::nan(""), L" 0-00-00"), std::make_pair(1e300, L" 0-00-00")})
        EXPECT_EQ(captureStamp(c.first), c.second) << c.first;
    EXPECT_EQ(capturePath(L"C:\\P", L"Holiday", L" 1-02-05", 1), L"C:\\P\\Holiday 1-02-05.png");
    EXPECT_EQ(capturePath(L"C:\\P", L"Holiday", L" 1-02-05", 3), L"C:\\P\\Holiday 1-02-05 (3).png");
    std::wstring fifty = std::wstring(46, L'x') + L".png";
    EXPECT_EQ(shortCaptureName(L"C:\\P\\" + fifty), L"\u2026" + fifty.substr(15));
}

}  // namespace
