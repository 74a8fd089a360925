#include "input/panscan_core.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

const PanScanPreset kPanScanPresets[kPanScanPresetCount] = {
    {L"ค่าเริ่มต้น", 1.00, 1.00}, {L"Stretch 1", 1.00, 1.14}, {L"Stretch 2", 1.00, 1.34}, {L"Stretch 3", 1.00, 1.74},
    {L"Zoom 1", 1.14, 1.14},       {L"Zoom 2", 1.34, 1.34},    {L"Zoom 3", 1.74, 1.74},
};

int panScanPresetIndex(const char* argument) {
    long n = argument ? strtol(argument, nullptr, 10) : 0;
    return n >= 0 && n < kPanScanPresetCount ? int(n) : 0;
}

int presetMatchingScale(double scaleX, double scaleY) {
    for (int i = 0; i < kPanScanPresetCount; ++i)
        if (std::fabs(kPanScanPresets[i].scaleX - scaleX) <= 0.005 && std::fabs(kPanScanPresets[i].scaleY - scaleY) <= 0.005)
            return i;
    return -1;
}

bool fillScale(double aspect, int width, int height, PictureScale& out) {
    if (!(aspect > 0) || !std::isfinite(aspect) || width <= 0 || height <= 0) return false;
    double window = double(width) / double(height);
    out = aspect > window ? PictureScale{1.0, aspect / window} : PictureScale{window / aspect, 1.0};
    return true;
}

std::string scaleCommand(const PictureScale& scale, int decimals) {
    char text[96];
    snprintf(text, sizeof text, "set video-scale-x %.*f ; set video-scale-y %.*f", decimals, scale.x, decimals, scale.y);
    return text;
}
