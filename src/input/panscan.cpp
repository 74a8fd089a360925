#include "input/panscan.h"

#include <windows.h>

#include "app/diaglog.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "engine/engine.h"
#include "input/panscan_core.h"

bool fillScreen = false;

namespace {

// Sends the scale the fill flag calls for. Turning fill off needs neither the picture's aspect
// nor the window: an audio file or a closed file must not leave the next video stretched.
void updateFillScale() {
    if (!engineRunning()) return;
    PictureScale scale = {1.0, 1.0};
    if (fillScreen) {
        if (!videoWindow) return;
        double aspect = 0;
        RECT client;
        if (!engineGetDouble("video-params/aspect", aspect) || !GetClientRect(videoWindow, &client)) return;
        if (!fillScale(aspect, client.right, client.bottom, scale)) return;
        if (testMode) diagLog("fill window=%ldx%ld", client.right, client.bottom);
    }
    engineCommandString(scaleCommand(scale, 4).c_str());
}

}  // namespace

bool toggleFill() {
    fillScreen = !fillScreen;
    updateFillScale();
    return fillScreen;
}

void clearFill() { fillScreen = false; }

const wchar_t* applyPanScanPreset(int n) {
    if (n < 0 || n >= kPanScanPresetCount) n = 0;
    const PanScanPreset& preset = kPanScanPresets[n];
    engineCommandString(scaleCommand({preset.scaleX, preset.scaleY}, 2).c_str());
    if (testMode) diagLog("panscan preset=%d current=%d", n, CurrentPanScanPreset());
    return preset.name;
}

void recomputeFill() {
    if (fillScreen) updateFillScale();
}

int CurrentPanScanPreset() {
    double x = 1.0, y = 1.0;
    if (!engineGetDouble("video-scale-x", x)) x = 1.0;
    if (!engineGetDouble("video-scale-y", y)) y = 1.0;
    return presetMatchingScale(x, y);
}
