// The picture the double "decodes": colour bars over a dark strip with a progress
// bar, shared by the engine's window and by screenshots so both show the same frame.
#pragma once

#include <cstdint>
#include <vector>

struct BarColour {
    uint8_t red, green, blue;
};

// The seven 75% colour bars, left to right.
extern const BarColour kTestPatternBars[7];

// Height of the bars as a fraction of the picture; the strip below holds the progress bar.
constexpr double kBarsHeightFraction = 0.75;

// Fills rgb (width * height * 3 bytes) with the pattern; progress in 0..1 sets
// how much of the strip's progress bar is lit.
void renderTestPattern(int width, int height, double progress, std::vector<uint8_t> &rgb);
