// The control bar's model, layout, hit-testing and the arithmetic of its controls.
// No platform headers: shared with the native tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "osd/access_core.h"

struct HudRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

enum HudElement : int {
    kHudNone = 0, kHudSeek = 1, kHudPrev, kHudBack, kHudPlay, kHudFwd, kHudNext, kHudMute, kHudVol,
    kHudSpeed, kHudAb, kHudSub, kHudAud, kHudFs, kHudOpen, kHudElementCount = 14,
};

constexpr int kHudHeight = 82;

struct HudModel {
    double position = 0, duration = 0, volume = 0, speed = 1;
    double loopA = -1, loopB = -1;
    bool paused = false, muted = false, subtitlesShown = false;
    std::string audioTrack;
    std::vector<double> markers;
    int width = 320;
    HudRect elements[kHudElementCount + 1];  // 1-based
    int hover = 0, pressed = 0, drag = 0;
    double hoverFraction = -1;
    int lastSubMargin = -1;
};

extern const char* const kHudElementNames[kHudElementCount + 1];

// Width (at least 320 logical pixels) and the 14 rectangles for a client this wide.
void layoutHudElements(HudModel& model, int clientWidthPx, float scale);
int hudHitTest(const HudModel& model, int x, int y);
double hudFraction(const HudRect& r, int x);

// The command of a released button, or null for elements that act on press and drag.
const char* hudClickCommand(int element);

// "seek %.3f absolute+exact" or "+keyframes"; empty when there is nothing to seek in.
std::string hudSeekCommand(double fraction, double duration, bool exact);
// The volume for a slider fraction: 0..200, snapped to 100 between 95 and 105.
int hudVolumeFromFraction(double fraction);

// Times as the bar shows them: "%d:%02d:%02d" when `hoursForm`, else "%02d:%02d".
std::string hudTimeText(double seconds, bool hoursForm);
// The "sub-margin-y" that keeps subtitles above a full-screen bar on a client this high.
int hudSubtitleMargin(bool barOverPicture, float scale, int clientHeightPx);
std::string hudSpeedCaption(double speed);
std::string hudAudioCaption(const std::string& audioTrack);

// Everything of the model that shows in a repaint, in a comparable form: positions to a
// quarter pixel, times to the second. An unchanged key means the picture would be the same.
std::string hudPaintKey(const HudModel& model, float scale);
// The part of that key which the position text and the seek bar do not show: while it stays
// the same, a repaint can start from the kept picture of everything else.
std::string hudStaticPaintKey(const HudModel& model, float scale);

// Whether the bar is wanted in full screen, from the cursor and the window rectangle
// (screen pixels) and the bar's height in pixels.
struct HudWantInputs {
    bool docked, dragging, hovered, recent, paused;
    int cursorX, cursorY, left, top, right, bottom, barHeightPx;
};
bool hudWanted(const HudWantInputs& in);

// Top-left corner (screen pixels) of the picture preview, w × h, centred on `anchorX` with its
// bottom `gap` above `aboveY`, kept inside the work area (left, top, right, bottom).
struct HudPoint {
    int x, y;
};
HudPoint previewPlace(int anchorX, int aboveY, int gap, int w, int h, const int work[4]);

// Whether a chip ("speed", "ab", "sub", "aud") is drawn in its active colour.
bool hudChipActive(const HudModel& model, int element);

// What a screen reader is told about element `element` (0: the bar itself), from the same
// model and rectangles the painting and the mouse use. False for an unknown element.
bool hudAccessItem(const HudModel& model, int element, bool fullScreen, AccessItem& item);
