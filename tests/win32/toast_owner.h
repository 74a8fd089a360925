// The one window that owns the toast in the Win32 tests: every suite that needs the toast
// creates it through here, so it has the same owner whichever suite runs first.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include "osd/toast.h"

inline int ownerClicks = 0;

inline LRESULT CALLBACK toastOwnerProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_LBUTTONDOWN) ++ownerClicks;
    if (m == WM_NCCALCSIZE) return 0;  // the whole window is client area, like the main window
    return DefWindowProcW(w, m, wp, lp);
}

inline HWND toastTestOwner() {
    static HWND owner = nullptr;
    if (owner) return owner;
    WNDCLASSW c = {};
    c.lpfnWndProc = toastOwnerProc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hbrBackground = CreateSolidBrush(RGB(200, 30, 30));
    c.lpszClassName = L"KivoToastTestOwner";
    RegisterClassW(&c);
    owner = CreateWindowExW(0, c.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 150, 90, 800, 450, nullptr, nullptr,
                            c.hInstance, nullptr);
    CreateToastWindow(owner, c.hInstance);
    return owner;
}

// Lets the toast expire now. Wine's tick count moves in steps of about 16 ms.
inline void hideToast() {
    ShowToast(L"", L"", 0);
    Sleep(40);
    ToastTick();
    ASSERT_FALSE(ToastVisible());
}
