// Pan & Scan presets and the fill-screen scale. No platform headers.
#pragma once
#include <string>

struct PanScanPreset {
    const wchar_t* name;  // Thai source text where one exists
    double scaleX, scaleY;
};
constexpr int kPanScanPresetCount = 7;
extern const PanScanPreset kPanScanPresets[kPanScanPresetCount];

// Argument of "@ps": anything outside 0..6 is preset 0.
int panScanPresetIndex(const char* argument);

// The first preset whose factors are both within 0.005 of the scale, or -1.
int presetMatchingScale(double scaleX, double scaleY);

struct PictureScale {
    double x, y;
};
// The scale that stretches a picture of display aspect `aspect` along one axis until it fills a
// width × height window; false when any of the three is not a usable positive number.
bool fillScale(double aspect, int width, int height, PictureScale& out);

// "set video-scale-x %.4f ; set video-scale-y %.4f" (fill) or "%.2f" (presets).
std::string scaleCommand(const PictureScale& scale, int decimals);
