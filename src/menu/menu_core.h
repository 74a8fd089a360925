// What the context menu shows and how its rows are laid out and walked, without any window:
// the row tables, the rules that check and enable rows from the engine state, the track and
// bookmark rows, the level geometry and the keyboard walk.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "osd/access_core.h"
#include "store/settings_core.h"

struct MenuItem {
    std::wstring label;     // already translated
    std::wstring shortcut;  // display text only; may be empty
    std::string command;    // handed to the pick callback; may be empty
    bool checked = false;
    bool enabled = true;
    bool separator = false;
    std::vector<MenuItem> children;  // non-empty: a sub-menu row
};
using MenuItems = std::vector<MenuItem>;
bool operator==(const MenuItem& a, const MenuItem& b);

// The engine reads the menu is built from; each may fail.
struct MenuEngineReads {
    bool (*getDouble)(const char* property, double& value);
    bool (*getFlag)(const char* property, bool& value);
    bool (*getText)(const char* property, char* buffer, size_t size);
};

// Everything else a right-click menu reflects.
struct MenuContext {
    bool fullScreen = false;
    bool alwaysOnTop = false;
    const Settings* settings = nullptr;
    int panScanPreset = -1;                           // the preset matching the engine's scale, or -1
    const wchar_t* (*translate)(const wchar_t* thai) = nullptr;  // the UI text for a Thai source text
    // A count pattern ("Back %d seconds") translated and filled in; a pack's pattern that would
    // read another argument is never used. Null: the translation when it is such a safe pattern,
    // else the Thai source.
    std::wstring (*countText)(const wchar_t* thaiPattern, int count) = nullptr;
};

MenuItems BuildContextMenu(const MenuEngineReads& engine, const MenuContext& context);
// Appends one row per track of `type` ("audio", "sub") selecting it through `property`
// ("aid", "sid"); returns how many were added.
int AddTrackRows(const MenuEngineReads& engine, MenuItems& list, const char* type, const char* property);
MenuItems BuildBookmarksMenu(const std::vector<double>& positions, const wchar_t* (*translate)(const wchar_t*));

// Text from a media file, made fit for one menu row: invalid UTF-8 becomes U+FFFD, control
// characters become blanks and a text longer than `maxChars` is cut with an ellipsis.
std::wstring rowTextFromUtf8(const char* text, size_t maxChars);

// Geometry of one level, unscaled pixels.
constexpr int kSeparatorHeight = 9, kRowHeight = 28, kLevelPadding = 6, kMinLevelWidth = 210;
constexpr int kMaxLevelWidth = 640;  // longer texts are cut with an ellipsis when drawn
constexpr int kMaxLevels = 4;
struct LevelLayout {
    std::vector<int> rowTops, rowHeights;
    int width = 0, height = 0;
};
// `labelMax` and `shortcutMax` are the widest label and shortcut of the items.
LevelLayout layoutLevel(const MenuItems& items, float labelMax, float shortcutMax);
// The row under an unscaled y inside the level, or -1 (padding).
int rowAtY(const LevelLayout& layout, int y);

struct ScreenRect {
    int left, top, right, bottom;
};
// Top-left corner in real pixels of a level of W × H real pixels opened at `at`; a sub-menu that
// would cross the right edge opens left of its parent (whose x is `parentX`) instead.
void placeLevel(int atX, int atY, int width, int height, const ScreenRect& work, bool subMenu, int parentX,
                int overlap, int& x, int& y);

// A row that hover, keys and clicks may land on.
bool isSelectable(const MenuItem& item);
// The next selectable row after `from` in `step` direction (+1, -1), wrapping; from -1, +1 gives
// the first and -1 the last. -1 when the items hold none.
int nextSelectableRow(const MenuItems& items, int from, int step);

// What a screen reader is told about row `row` of a level laid out as `layout`; `hovered` is
// the keyboard or mouse highlight. False when there is no such row.
bool menuRowAccessItem(const MenuItems& items, const LevelLayout& layout, int row, bool hovered, AccessItem& item);
