#include <gtest/gtest.h>

#include <string>

#include "osd/drawing_kit.h"
#include "panels/titlebar.h"
#include "toast_owner.h"

namespace {

HWND owner = nullptr;

// This thread's toast: another program's toast may be on the same desktop.
HWND toastWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM out) {
        wchar_t name[32];
        GetClassNameW(w, name, 32);
        return std::wstring(name) == L"KivoToast" ? (*reinterpret_cast<HWND*>(out) = w, FALSE) : TRUE;
    }, LPARAM(&found));
    return found;
}

RECT toastRect() {
    RECT r = {};
    GetWindowRect(toastWindow(), &r);
    return r;
}

// The owner's client area on the screen.
RECT clientOnScreen() {
    RECT c;
    GetClientRect(owner, &c);
    MapWindowPoints(owner, nullptr, reinterpret_cast<POINT*>(&c), 2);
    return c;
}

// Waits up to a second, handling messages, until `done` holds.
template <class Done> bool pumpUntil(Done done) {
    for (int i = 0; i < 100 && !done(); ++i) {
        Sleep(10);
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
    }
    return done();
}

class Toast : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ShowToast(L"EARLY", L"ignored", 1000);  // harmless before the window exists
        owner = toastTestOwner();
        CreateToastWindow(owner, GetModuleHandleW(nullptr));  // only one toast per process
    }
    void SetUp() override { hideToast(); }
    void TearDown() override {
        hideToast();
        SetUiScale(1.0f);
    }
};

TEST_F(Toast, ClickThroughToolWindowOwnedByTheMainWindow) {
    HWND toast = toastWindow();
    ASSERT_NE(toast, nullptr);
    LONG_PTR wanted = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
    EXPECT_EQ(GetWindowLongPtrW(toast, GWL_EXSTYLE) & wanted, wanted);
    EXPECT_EQ(GetWindow(toast, GW_OWNER), owner);
}

TEST_F(Toast, SitsUnderTheTitleBarWithItsRightEdgeInAtEveryScale) {
    ShowToast(L"VOL", L"95%", 1000);
    ASSERT_TRUE(IsWindowVisible(toastWindow()));
    RECT r = toastRect(), client = clientOnScreen();
    EXPECT_EQ((std::vector<long>{r.right, r.top, r.bottom - r.top}),
              (std::vector<long>{client.right - 18, client.top + titleBarHeight() + 18, 34}));
    // Another text repaints in place: the width follows, the right edge stays.
    unsigned painted = ToastPaintCount();
    ShowToast(L"PLAYLIST", L"12/340 AND A MUCH LONGER VALUE", 1000);
    RECT wider = toastRect();
    EXPECT_EQ(ToastPaintCount(), painted + 1);
    EXPECT_TRUE(wider.right - wider.left > r.right - r.left && wider.right == r.right && wider.top == r.top);
    ShowToast(nullptr, L"", 1000);  // empty texts: the smallest toast, with only the corner mark
    EXPECT_EQ(toastRect().right - toastRect().left, 96);
    SetWindowPos(owner, nullptr, 100, 60, 700, 450, SWP_NOZORDER | SWP_NOACTIVATE);  // a repaint follows the owner
    RepaintToast();
    EXPECT_EQ(toastRect().right, clientOnScreen().right - 18);
    SetWindowPos(owner, nullptr, 150, 90, 800, 450, SWP_NOZORDER | SWP_NOACTIVATE);
    // Twice the scale is exactly twice the size and the margins.
    ShowToast(L"AUDIO SYNC", L"+0.1s", 1000);
    RECT one = toastRect();
    hideToast();
    SetUiScale(2.0f);
    ShowToast(L"AUDIO SYNC", L"+0.1s", 1000);
    RECT two = toastRect();
    EXPECT_EQ((std::vector<long>{two.right - two.left, two.bottom - two.top, two.right, two.top}),
              (std::vector<long>{2 * (one.right - one.left), 68, client.right - 36, client.top + titleBarHeight() + 36}));
}

TEST_F(Toast, TheSameTextOnlyProlongsAndTheNewDeadlineAlwaysWins) {
    unsigned painted = ToastPaintCount();
    ShowToast(L"SPEED", L"0.9x", 1000);
    ShowToast(L"SPEED", L"0.9x", 1000);
    ShowToast(L"SPEED", L"0.9x", 60);  // shorter than before, and it replaces the longer one
    ToastTick();
    EXPECT_TRUE(ToastPaintCount() == painted + 1 && ToastVisible());
    Sleep(100);
    ToastTick();
    EXPECT_FALSE(ToastVisible() || IsWindowVisible(toastWindow()));
    EXPECT_STREQ(ToastText(), L"");
    ShowToast(L"SPEED", L"0.9x", 1000);  // the same text after hiding is painted again
    EXPECT_TRUE(ToastPaintCount() == painted + 2 && IsWindowVisible(toastWindow()));
}

TEST_F(Toast, LongTextsAreCutAndARepeatedLongTextIsNotANewOne) {
    std::wstring label(30, L'L'), value(60, L'V');
    unsigned painted = ToastPaintCount();
    ShowToast(label.c_str(), value.c_str(), 1000);
    ShowToast(label.c_str(), value.c_str(), 1000);
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(47, L'V'));
    EXPECT_EQ(ToastPaintCount(), painted + 1);
    // A cut never leaves half of a surrogate pair: 46 units and an emoji keep 46.
    ShowToast(L"X", (std::wstring(46, L'V') + L"\U0001F600").c_str(), 1000);
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(46, L'V'));
}

TEST_F(Toast, ClicksFallThroughToTheWindowBelow) {
    ShowToast(L"SEEK", L"42%", 5000);
    RECT r = toastRect();
    POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // A window of a test process that ran just before may still be going away.
    ASSERT_TRUE(pumpUntil([&] { return WindowFromPoint(centre) == owner; }));
    ownerClicks = 0;
    SetCursorPos(centre.x, centre.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
    EXPECT_TRUE(pumpUntil([] { return ownerClicks > 0; }));
    EXPECT_TRUE(ownerClicks == 1 && ToastVisible());
}

}  // namespace
