#include "test_pattern.h"

#include <cstddef>

const BarColour kTestPatternBars[7] = {
    {191, 191, 191}, {191, 191, 0}, {0, 191, 191}, {0, 191, 0},
    {191, 0, 191},   {191, 0, 0},   {0, 0, 191},
};

void renderTestPattern(int width, int height, double progress, std::vector<uint8_t> &rgb) {
    rgb.assign((size_t)width * height * 3, 0);
    if (progress < 0) progress = 0;
    if (progress > 1) progress = 1;
    int barsBottom = (int)(height * kBarsHeightFraction);
    int progressTop = barsBottom + (height - barsBottom) / 3;
    int progressBottom = height - (height - barsBottom) / 3;
    int lit = (int)(width * progress);
    for (int y = 0; y < height; y++) {
        uint8_t *row = &rgb[(size_t)y * width * 3];
        for (int x = 0; x < width; x++) {
            BarColour colour = {16, 16, 24};
            if (y < barsBottom)
                colour = kTestPatternBars[(x * 7) / width];
            else if (y >= progressTop && y < progressBottom)
                colour = x < lit ? BarColour{235, 235, 235} : BarColour{48, 48, 56};
            row[x * 3] = colour.red;
            row[x * 3 + 1] = colour.green;
            row[x * 3 + 2] = colour.blue;
        }
    }
}
