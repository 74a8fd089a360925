// The toast window: a short label and value near the picture's top right corner.
#pragma once

struct HWND__;
struct HINSTANCE__;

void CreateToastWindow(HWND__* owner, HINSTANCE__* instance);
// Shows or updates the toast for `durationMs`; an unchanged text only moves the deadline.
void ShowToast(const wchar_t* label, const wchar_t* value, unsigned durationMs);
// Hides the toast once its deadline has passed; on every timer tick.
void ToastTick();
