#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>

#include "input/feedback.h"
#include "input/feedback_core.h"
#include "osd/toast.h"

namespace {

// The toast's owner, made once per process: there is only one toast.
HWND owner() {
    static HWND window = [] {
        ShowToast(L"EARLY", L"ignored", 1000);  // harmless before the toast exists
        HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 150, 90, 800, 450, nullptr, nullptr,
                                 nullptr, nullptr);
        CreateToastWindow(w, GetModuleHandleW(nullptr));
        return w;
    }();
    return window;
}

// Lets the toast expire now. Wine's tick count moves in steps of about 16 ms.
void hideToast() {
    ShowToast(L"", L"", 0);
    Sleep(40);
    ToastTick();
    ASSERT_FALSE(ToastVisible());
}

// This thread's toast: another program's toast may be on the same desktop.
RECT toastRect() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND w, LPARAM out) {
        wchar_t name[16];
        return GetClassNameW(w, name, 16) && !wcscmp(name, L"KivoToast") ? (*reinterpret_cast<HWND*>(out) = w, FALSE) : TRUE;
    }, LPARAM(&found));
    RECT r = {};
    GetWindowRect(found, &r);
    return r;
}

class Toast : public ::testing::Test {
protected:
    void SetUp() override { owner(), hideToast(), feedbackKind = kFeedbackNone; }
};

// A wider text keeps the right edge in place, and a repaint follows the owner.
TEST_F(Toast, KeepsItsRightEdgeAndFollowsTheOwner) {
    ShowToast(L"VOL", L"95%", 1000);
    RECT one = toastRect();
    ShowToast(L"PLAYLIST", L"12/340 AND A MUCH LONGER VALUE", 1000);
    EXPECT_TRUE(toastRect().right == one.right && toastRect().left < one.left);
    SetWindowPos(owner(), nullptr, 100, 60, 800, 450, SWP_NOZORDER | SWP_NOACTIVATE);
    RepaintToast();
    EXPECT_EQ(toastRect().right * 1000 + toastRect().top, (one.right - 50) * 1000 + one.top - 30);
    SetWindowPos(owner(), nullptr, 150, 90, 800, 450, SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST_F(Toast, LongTextsAreCutAndARepeatedLongTextIsNotANewOne) {
    std::wstring label(30, L'L'), value(60, L'V');
    unsigned painted = ToastPaintCount();
    ShowToast(label.c_str(), value.c_str(), 1000);
    ShowToast(label.c_str(), value.c_str(), 60);  // only prolongs, and the shorter deadline wins
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(47, L'V'));
    EXPECT_EQ(ToastPaintCount(), painted + 1);
    Sleep(100);
    ToastTick();
    EXPECT_FALSE(ToastVisible());
    // A cut never leaves half of a surrogate pair: 46 units and an emoji keep 46.
    ShowToast(L"X", (std::wstring(46, L'V') + L"\U0001F600").c_str(), 1000);
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(46, L'V'));
}

// Without an engine every property read fails, which is exactly the "no engine" case; the
// kinds that need no engine (aspect, resume, messages) show their text for their time.
TEST_F(Toast, FeedbackShowsOnlyWhatItCanReadAndKeepsItsDeadline) {
    uint32_t before = GetTickCount();
    selectFeedbackForCommand("set video-aspect-override 16:9");
    EXPECT_STREQ(ToastText(), L"16:9");
    EXPECT_GE(feedbackDeadline - before, kFeedbackLiveMs);
    uint32_t deadline = feedbackDeadline;
    unsigned painted = ToastPaintCount();
    selectFeedbackForCommand("cycle sub-bold");  // unmatched: the live toast stays as it was
    refreshFeedback();                           // and the same text again costs no repaint
    EXPECT_TRUE(feedbackKind == kFeedbackAspect && feedbackDeadline == deadline && ToastPaintCount() == painted);
    showMessageToast(L"COPY", std::wstring(50, L'v').c_str());
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(kMessageValueMax, L'v'));
    feedbackDeadline = uint32_t(GetTickCount()) + 2500;  // a caller keeps a message longer; a tick only prolongs
    refreshFeedback();
    EXPECT_TRUE(ToastPaintCount() == painted + 1 && ToastVisible());
    feedbackDeadline = uint32_t(GetTickCount());  // expired: idle on the next refresh, and it stays idle
    refreshFeedback();
    refreshFeedback();
    EXPECT_EQ(feedbackKind, kFeedbackNone);
    hideToast();
    selectFeedbackForCommand("add volume 5");  // nothing can be read: no toast
    refreshFeedback();
    EXPECT_FALSE(ToastVisible());
}

}  // namespace
