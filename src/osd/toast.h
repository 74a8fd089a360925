// The toast window: a short label and value near the picture's top right corner.
#pragma once

struct HWND__;
struct HINSTANCE__;

// Creates the one toast window, owned by `owner` (the main window); later calls do nothing.
void CreateToastWindow(HWND__* owner, HINSTANCE__* instance);
// Shows or updates the toast for `durationMs`; an unchanged text only moves the deadline. A new
// text is raised as an alert for screen readers when `announce` is set.
void ShowToast(const wchar_t* label, const wchar_t* value, unsigned durationMs, bool announce = true);
// Hides the toast once its deadline has passed; on every timer tick.
void ToastTick();
// Paints the visible toast again at the owner's current place, size and scale.
void RepaintToast();
// The value while the toast is visible, else an empty text.
const wchar_t* ToastText();

// How often the toast was painted since the process started; test mode also logs each paint.
unsigned ToastPaintCount();
bool ToastVisible();
