#include "osd/uiscale_core.h"

#include <cmath>
#include <cstdlib>

float boundedUiScale(float s) {
    return (s > 0.5f && s < 5.0f) ? s : 1.0f;
}

float fixedScaleFromText(const char* text) {
    if (!text || !*text) return 0.0f;
    double v = atof(text);
    return v > 0.5 ? float(v) : 0.0f;
}

int scaledPixels(float logical, float scale) {
    return int(std::lround(double(logical) * double(scale)));
}
