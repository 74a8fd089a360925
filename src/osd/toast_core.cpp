#include "osd/toast_core.h"

#include "osd/uiscale_core.h"

int toastWidth(float labelWidth, float valueWidth) {
    float w = labelWidth + valueWidth + 40.0f;
    // Measurements are small positive numbers; anything else gives the smallest toast.
    if (!(w > float(kToastMinWidth))) return kToastMinWidth;
    if (w > 100000.0f) return 100000;
    return int(w);
}

ToastPlace placeToast(int clientX, int clientY, int clientWidth, int topInset, int unscaledWidth, float scale) {
    ToastPlace p;
    p.width = scaledPixels(float(unscaledWidth), scale);
    p.height = scaledPixels(float(kToastHeight), scale);
    // The margin is rounded on its own: rounding width + margin together would move the right
    // edge by a pixel at fractional scales whenever a new text changes the width.
    p.x = clientX + clientWidth - scaledPixels(float(kToastMargin), scale) - p.width;
    p.y = clientY + topInset + scaledPixels(float(kToastMargin), scale);
    return p;
}
