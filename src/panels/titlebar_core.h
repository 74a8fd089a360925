// Arithmetic of the title bar and the start screen: hit-testing, the two-click clear action,
// the layout of the start screen's list and its background pattern. No platform headers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "osd/access_core.h"

// Hit-test codes as the system numbers them.
enum CaptionHit : int {
    kHitClient = 1,
    kHitCaption = 2,
    kHitMinimize = 8,
    kHitMaximize = 9,
    kHitTop = 12,
    kHitTopLeft = 13,
    kHitTopRight = 14,
    kHitClose = 20,
};

// Logical sizes of the title bar.
constexpr float kTitleBarLogicalHeight = 36;
constexpr float kCaptionButtonWidth = 46;

// The answer for a client point (device pixels) of a window `width` pixels wide whose title
// bar is `titleHeight` high (0 when hidden), at the UI scale. A restored window resizes from
// its top 5 logical pixels, above everything else in the bar.
int captionHitCode(int x, int y, int width, int titleHeight, bool maximized, float scale);

bool isCaptionButton(long long hitCode);

// The clear action is armed for four seconds after its first click. `armedUntil` is a tick
// count, 0 when not armed; the difference is taken as signed so the 32-bit tick count may wrap.
constexpr uint32_t kClearArmedMs = 4000;
bool clearArmed(uint32_t armedUntil, uint32_t now);
// A click on the clear action: arms it and returns false, or, when armed, disarms it and
// returns true (the history is to be deleted).
bool clearActionClick(uint32_t& armedUntil, uint32_t now);

// A box in logical pixels.
struct FloatBox {
    float x = 0, y = 0, w = 0, h = 0;
    bool contains(float px, float py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// Where the start screen puts its parts in a client of W × H logical pixels under a title bar
// T high, with `entries` history entries.
struct StartLayout {
    float cx = 0, cy = 0;  // centre of the logo block
    FloatBox openButton;
    float listTop = 0;     // the heading's top
    int rows = 0;          // history rows that fit; the heading and clear action show only with one
    FloatBox clearAction;
};
StartLayout startScreenLayout(float W, float H, float T, int entries);
constexpr float kHistoryRowHeight = 32;

// Alpha of the honeycomb cell centred at (x, y), brightest in the middle of the area under
// the title bar; 0 when the area has no height.
int honeycombAlpha(float x, float y, float W, float H, float T);

// Start screen items: the open button, the clear action, a history row (0 and up), nothing.
enum StartItem : int { kItemNothing = -2, kItemOpen = -1, kItemClear = -3 };
int startScreenItemAt(float x, float y, const StartLayout& layout, const std::vector<FloatBox>& rowBoxes);

// The room left for the file name in the title bar after the product label `labelWidth`
// wide; the name is shown only when this is above 60.
float titleTextRoom(float W, float labelWidth);

// The main window's elements for a screen reader: the three caption buttons, then, while the
// start screen shows, its open button, the clear action and one element per history row.
enum MainAccessChild : int { kAccessMinimize = 1, kAccessMaximize, kAccessClose, kAccessOpen, kAccessClear, kAccessFirstRow };
struct MainAccessView {
    float width = 0;        // client width, logical pixels
    float titleHeight = 0;  // logical; 0 when the title bar is hidden
    bool maximized = false, startScreen = false, clearArmed = false;
    StartLayout layout;     // as last painted
    std::vector<FloatBox> rows;
    std::vector<std::wstring> rowNames, rowTimes;
};
int mainAccessCount(const MainAccessView& view);
bool mainAccessItem(const MainAccessView& view, int child, AccessItem& item);
