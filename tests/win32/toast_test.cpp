#include <gtest/gtest.h>

#include <string>

#include "osd/drawing_kit.h"
#include "osd/toast.h"
#include "panels/titlebar.h"
#include "toast_owner.h"

namespace {

HWND toastOwner = nullptr;

BOOL CALLBACK findToast(HWND window, LPARAM found) {
    wchar_t name[32];
    GetClassNameW(window, name, 32);
    if (std::wstring(name) != L"KivoToast") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// This thread's toast: another program's toast may be on the same desktop.
HWND toastWindow() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findToast, LPARAM(&found));
    return found;
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

RECT toastRect() {
    RECT r = {};
    GetWindowRect(toastWindow(), &r);
    return r;
}

// The owner's client area on the screen.
RECT clientOnScreen() {
    RECT c;
    GetClientRect(toastOwner, &c);
    POINT origin = {0, 0};
    ClientToScreen(toastOwner, &origin);
    return {origin.x, origin.y, origin.x + c.right, origin.y + c.bottom};
}

class Toast : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ShowToast(L"EARLY", L"ignored", 1000);  // harmless before the window exists
        toastOwner = toastTestOwner();
        CreateToastWindow(toastOwner, GetModuleHandleW(nullptr));  // only one toast per process
    }
    void SetUp() override {
        SetUiScale(1.0f);
        hide();
    }
    void TearDown() override {
        hide();
        SetUiScale(1.0f);
    }
    // Lets the toast expire now. Wine's tick count moves in steps of about 16 ms.
    static void hide() {
        ShowToast(L"", L"", 0);
        Sleep(40);
        ToastTick();
        ASSERT_FALSE(ToastVisible());
    }
};

TEST_F(Toast, OneClickThroughToolWindowOwnedByTheMainWindow) {
    HWND toast = toastWindow();
    ASSERT_NE(toast, nullptr);
    LONG_PTR ex = GetWindowLongPtrW(toast, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
    EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongPtrW(toast, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(GetWindow(toast, GW_OWNER), toastOwner);
    EXPECT_EQ(GetWindowTextLengthW(toast), 0);
    EXPECT_STREQ(ToastText(), L"");
}

TEST_F(Toast, SitsUnderTheTitleBarWithItsRightEdge18PixelsIn) {
    ShowToast(L"VOL", L"95%", 1000);
    ASSERT_TRUE(IsWindowVisible(toastWindow()));
    EXPECT_STREQ(ToastText(), L"95%");
    RECT r = toastRect(), client = clientOnScreen();
    EXPECT_EQ(r.right, client.right - 18);
    EXPECT_EQ(r.top, client.top + titleBarHeight() + 18);
    EXPECT_EQ(r.bottom - r.top, 34);
    EXPECT_GE(r.right - r.left, 96);

    // Another text repaints in place: the width follows, the right edge stays.
    unsigned painted = ToastPaintCount();
    ShowToast(L"PLAYLIST", L"12/340 AND A MUCH LONGER VALUE", 1000);
    EXPECT_EQ(ToastPaintCount(), painted + 1);
    RECT wider = toastRect();
    EXPECT_GT(wider.right - wider.left, r.right - r.left);
    EXPECT_EQ(wider.right, r.right);
    EXPECT_EQ(wider.top, r.top);
    // Empty texts give the smallest toast, with only the corner mark.
    ShowToast(nullptr, L"", 1000);
    EXPECT_EQ(toastRect().right - toastRect().left, 96);
    // The owner moved: a repaint follows it.
    SetWindowPos(toastOwner, nullptr, 100, 60, 700, 450, SWP_NOZORDER | SWP_NOACTIVATE);
    RepaintToast();
    EXPECT_EQ(toastRect().right, clientOnScreen().right - 18);
    SetWindowPos(toastOwner, nullptr, 150, 90, 800, 450, SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(Toast, TheSameTextOnlyProlongsAndTheNewDeadlineAlwaysWins) {
    unsigned painted = ToastPaintCount();
    ShowToast(L"SPEED", L"0.9x", 1000);
    EXPECT_EQ(ToastPaintCount(), painted + 1);
    ShowToast(L"SPEED", L"0.9x", 1000);
    ShowToast(L"SPEED", L"0.9x", 60);
    EXPECT_EQ(ToastPaintCount(), painted + 1);
    ToastTick();
    EXPECT_TRUE(ToastVisible());
    // The shorter deadline replaced the longer one.
    Sleep(100);
    ToastTick();
    EXPECT_FALSE(ToastVisible());
    EXPECT_FALSE(IsWindowVisible(toastWindow()));
    EXPECT_STREQ(ToastText(), L"");
    // Shown again with the same text after hiding: painted again.
    ShowToast(L"SPEED", L"0.9x", 1000);
    EXPECT_EQ(ToastPaintCount(), painted + 2);
    EXPECT_TRUE(IsWindowVisible(toastWindow()));
}

TEST_F(Toast, DurationZeroHidesOnTheNextTick) {
    ShowToast(L"VOL", L"MUTE", 0);
    EXPECT_TRUE(ToastVisible());
    Sleep(40);
    ToastTick();
    EXPECT_FALSE(ToastVisible());
    ToastTick();  // a tick with nothing to hide
    EXPECT_FALSE(ToastVisible());
}

TEST_F(Toast, LongTextsAreCutAndARepeatedLongTextIsNotANewOne) {
    std::wstring label(30, L'L'), value(60, L'V');
    unsigned painted = ToastPaintCount();
    ShowToast(label.c_str(), value.c_str(), 1000);
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(47, L'V'));
    ShowToast(label.c_str(), value.c_str(), 1000);
    EXPECT_EQ(ToastPaintCount(), painted + 1);
    // A cut never leaves half of a surrogate pair: 46 units and an emoji keep 46.
    std::wstring emoji = std::wstring(46, L'V') + L"\U0001F600";
    ShowToast(L"X", emoji.c_str(), 1000);
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(46, L'V'));
}

TEST_F(Toast, TwiceTheScaleIsExactlyTwiceTheSize) {
    ShowToast(L"AUDIO SYNC", L"+0.1s", 1000);
    RECT one = toastRect();
    hide();
    SetUiScale(2.0f);
    ShowToast(L"AUDIO SYNC", L"+0.1s", 1000);
    RECT two = toastRect(), client = clientOnScreen();
    EXPECT_EQ(two.right - two.left, 2 * (one.right - one.left));
    EXPECT_EQ(two.bottom - two.top, 68);
    EXPECT_EQ(two.right, client.right - 36);
    EXPECT_EQ(two.top, client.top + titleBarHeight() + 36);
}

TEST_F(Toast, ClicksFallThroughToTheWindowBelow) {
    ShowToast(L"SEEK", L"42%", 5000);
    RECT r = toastRect();
    POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    // A window of the test process that ran just before may still be going away on a busy
    // machine: give the desktop a moment to show the owner under the toast.
    for (int i = 0; i < 100 && WindowFromPoint(centre) != toastOwner; ++i) {
        Sleep(10);
        pump();
    }
    ASSERT_EQ(WindowFromPoint(centre), toastOwner);
    pump();
    ownerClicks = 0;
    SetCursorPos(centre.x, centre.y);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(SendInput(2, clicks, sizeof(INPUT)), 2u);
    for (int i = 0; i < 50 && ownerClicks == 0; ++i) {
        Sleep(10);
        pump();
    }
    EXPECT_EQ(ownerClicks, 1);
    EXPECT_TRUE(ToastVisible());
}

}  // namespace
