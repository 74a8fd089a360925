// UI scale arithmetic shared by every panel; no platform headers.
#pragma once

// The scale to store: values outside (0.5, 5.0) fall back to 1.
float boundedUiScale(float s);

// The value of a KIVOPLAYER_SCALE text when it asks for a fixed scale (> 0.5), else 0.
float fixedScaleFromText(const char* text);

// Logical pixels to device pixels at `scale`, halves rounded away from zero.
int scaledPixels(float logical, float scale);
