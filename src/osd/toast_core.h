// Toast arithmetic: text limits, width, placement and expiry; no platform headers.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr size_t kToastLabelMax = 23;  // UTF-16 units kept of a label
constexpr size_t kToastValueMax = 47;  // and of a value
constexpr int kToastHeight = 34;       // unscaled pixels
constexpr int kToastMinWidth = 96;
constexpr int kToastMargin = 18;       // from the picture's right edge and from the top inset

// How many units of `text` fit in `maxUnits` without splitting a surrogate pair, so that a
// cut never leaves half a character behind. Works for UTF-16 and UTF-32 units alike.
template <class Char>
size_t clippedLength(const Char* text, size_t maxUnits) {
    if (!text) return 0;
    size_t n = 0;
    while (n < maxUnits && text[n]) ++n;
    bool cutInsidePair = n > 0 && text[n] && (unsigned(text[n - 1]) & 0xFC00u) == 0xD800u &&
                         (unsigned(text[n]) & 0xFC00u) == 0xDC00u;
    return cutInsidePair ? n - 1 : n;
}

// Unscaled width for the measured label and value widths.
int toastWidth(float labelWidth, float valueWidth);

struct ToastPlace {
    int x, y, width, height;  // real pixels on the screen
};

// Top-right corner of the client area: `clientX`/`clientY` is its screen origin, `topInset`
// the real-pixel height kept by the title bar (0 in full screen).
ToastPlace placeToast(int clientX, int clientY, int clientWidth, int topInset, int unscaledWidth, float scale);

// The toast hides once the tick count has passed its deadline; the tick count wraps
// after 49.7 days, so only the signed difference is meaningful.
inline bool toastExpired(uint32_t now, uint32_t deadline) { return int32_t(now - deadline) > 0; }
