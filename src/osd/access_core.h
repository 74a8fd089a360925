// What the accessibility layer tells a screen reader about one element of a drawn window, in
// platform-free terms: the roles and states carry the numbers Active Accessibility gives them.
#pragma once
#include <string>

enum AccessRole : int {
    kRoleTitleBar = 0x01,
    kRoleAlert = 0x08,
    kRoleClient = 0x0A,
    kRoleMenuPopup = 0x0B,
    kRoleMenuItem = 0x0C,
    kRoleDialog = 0x12,
    kRoleSeparator = 0x15,
    kRoleToolBar = 0x16,
    kRoleList = 0x21,
    kRoleListItem = 0x22,
    kRoleStaticText = 0x29,
    kRolePushButton = 0x2B,
    kRoleCheckButton = 0x2C,
    kRoleRadioButton = 0x2D,
    kRoleSlider = 0x33,
};

enum AccessState : unsigned {
    kStateUnavailable = 0x1,
    kStateSelected = 0x2,
    kStateFocused = 0x4,
    kStatePressed = 0x8,
    kStateChecked = 0x10,
    kStateReadOnly = 0x40,
    kStateHotTracked = 0x80,
    kStateInvisible = 0x8000,
    kStateOffscreen = 0x10000,
    kStateFocusable = 0x100000,
    kStateSelectable = 0x200000,
    kStateHasPopup = 0x40000000,
};

// One element, or the window itself. The box is in unscaled client pixels; an element with
// no place (w or h 0) has no location and cannot be hit.
struct AccessItem {
    std::wstring name, value, description, shortcut, action;
    int role = kRoleClient;
    unsigned state = 0;
    float x = 0, y = 0, w = 0, h = 0;
    bool contains(float px, float py) const { return w > 0 && h > 0 && px >= x && py >= y && px < x + w && py < y + h; }
};

// Texts the elements are named with, handed in by the program: the UI text for a Thai source
// text, a count pattern filled in, and the seek step the step buttons use.
struct AccessTexts {
    const wchar_t* (*translate)(const wchar_t* thai) = nullptr;
    std::wstring (*countText)(const wchar_t* thaiPattern, int count) = nullptr;
    int (*seekStep)() = nullptr;
};
const AccessTexts& accessTexts();
void setAccessTexts(const AccessTexts& texts);
// The UI text of a Thai source text (the source itself before texts were handed in).
std::wstring accessText(const wchar_t* thai);
// The default action's name of a button, a menu row and the like.
std::wstring accessPressAction();
// "12:34 of 1:02:05": a position and a duration as a slider's value, both in the form the
// control bar shows them (hours when the duration reaches an hour).
std::wstring accessTimeValue(const std::string& position, const std::string& duration);
std::wstring accessWide(const std::string& ascii);
