// The settings panel's rows, geometry, hit zones and what a click on a choice changes.
// No platform headers: the native tests drive it directly.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "osd/access_core.h"
#include "store/settings_core.h"

constexpr int kSettingsPanelWidth = 560;
constexpr int kSettingsRowHeight = 45;
constexpr int kSettingsHeaderHeight = 48;
// Chips of a row stay between these x; a row whose chips do not fit on one line gets more lines.
constexpr int kChipAreaLeft = 280, kChipAreaRight = 540;
constexpr int kChipMinWidth = 46, kChipTextPadding = 18, kChipGap = 6, kChipLineStep = 32;

struct SettingsOption {
    const wchar_t* text;  // Thai source text (or shown as is, see `translate`)
    int32_t value;
};

// One row; the language row (index 0) takes its chips from the language list at run time.
struct SettingsRowDef {
    const wchar_t* label;    // Thai source text
    const wchar_t* caption;  // fixed English caption, never translated
    const char* key;
    uint32_t Settings::*number;
    uint8_t Settings::*flag;  // a switch row
    const SettingsOption* options;
    int optionCount;
    bool translate;  // option texts go through tr
    bool buttons = false;  // the options are buttons that act, not choices to keep
};
constexpr int kSettingsRowCount = 9;
extern const SettingsRowDef kSettingsRows[kSettingsRowCount];

enum ZoneAction { kZoneChoose = 0, kZoneClose = 1, kZoneCaptureFolder = 2, kZoneDefaultApps = 3 };

struct HitZone {
    int left, top, right, bottom;  // unscaled panel pixels, right and bottom exclusive
    int row, option, action;
};

// What the layout needs to know of a row: a switch, or the text widths of its chips.
struct RowContent {
    bool isSwitch;
    std::vector<float> chipTextWidths;
};

struct SettingsLayout {
    int height = 0;
    int footer = 0;                   // y of the rule above the product line and the buttons
    std::vector<int> rowTop, rowLines;
    std::vector<HitZone> zones;       // close, then rows in order (chips right to left), then the buttons
};

SettingsLayout layoutSettingsPanel(const std::vector<RowContent>& rows);

// Index of the first zone holding the point, or -1.
int hitZoneAt(const std::vector<HitZone>& zones, int x, int y);

// Screen position of the panel (all values in real pixels): centred over the client between
// the title bar (`topOffset`) and the control bar (`bottomReserve`), never above topOffset + margin.
struct PanelPlace {
    int x, y;
};
PanelPlace settingsPanelPlace(int originX, int originY, int clientWidth, int clientHeight, int bottomReserve,
                              int topOffset, int scaledWidth, int scaledHeight, int scaledMargin);

// Position of `current` in the language codes, 0 when it is not there.
int languageIndex(const std::vector<std::string>& codes, const std::string& current);

// The value a chip row shows as selected.
int32_t rowValue(const Settings& s, int row, int languageIndexValue);

// Applies a click on chip `option` of `row` (ignored for a switch, which flips). False when the
// row does not exist; an option out of range changes nothing but still counts as a click.
bool chooseSettingsOption(Settings& s, int row, int option, const std::vector<std::string>& languageCodes);

// The Thai source text of a footer button (kZoneDefaultApps, kZoneCaptureFolder), or null.
const wchar_t* settingsButtonText(int action);

// What a screen reader is told about a zone: the close cross and the buttons as push buttons,
// a switch as a check button named by its row, a chip as a radio button with its shown text.
// `chosen` is the switch's state or whether the chip is the row's value.
void settingsZoneAccessItem(const HitZone& zone, const std::wstring& chipText, bool chosen, AccessItem& item);
