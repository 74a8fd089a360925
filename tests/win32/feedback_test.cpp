#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "input/feedback.h"
#include "input/feedback_core.h"
#include "osd/toast.h"
#include "toast_owner.h"

// Without an engine every property read fails, which is exactly the "no engine" case; the
// kinds that need no engine (aspect, resume, messages) show their text.
namespace {

class Feedback : public ::testing::Test {
protected:
    static void SetUpTestSuite() { toastTestOwner(); }
    void SetUp() override {
        feedbackKind = kFeedbackNone;
        ShowToast(L"", L"", 0);
        Sleep(40);
        ToastTick();
    }
    // The deadline is `ms` after the moment of the call, which came after `before` and before now;
    // a slow machine widens that window but never moves the deadline out of it.
    static void expectDeadline(uint32_t before, uint32_t ms) {
        uint32_t after = GetTickCount();
        EXPECT_GE(feedbackDeadline - before, ms);
        EXPECT_LE(feedbackDeadline - after, ms);
    }
};

TEST_F(Feedback, AspectDefaultAndOwnValues) {
    uint32_t before = GetTickCount();
    selectFeedbackForCommand("set video-aspect-override -1");
    EXPECT_EQ(feedbackKind, kFeedbackAspect);
    EXPECT_STREQ(aspectText, "-1");
    EXPECT_STREQ(ToastText(), L"DEFAULT");
    expectDeadline(before, 1300);
    selectFeedbackForCommand("set video-aspect-override 2.35:1");
    EXPECT_STREQ(ToastText(), L"2.35:1");
}

TEST_F(Feedback, UnmatchedCommandsLeaveTheLiveToastAlone) {
    selectFeedbackForCommand("set video-aspect-override 16:9");
    uint32_t deadline = feedbackDeadline;
    unsigned painted = ToastPaintCount();
    selectFeedbackForCommand("cycle sub-bold");
    selectFeedbackForCommand("set pause yes ; seek 0 absolute");
    EXPECT_EQ(feedbackKind, kFeedbackAspect);
    EXPECT_EQ(feedbackDeadline, deadline);
    EXPECT_STREQ(ToastText(), L"16:9");
    // The tick's refresh with the same text costs no repaint.
    refreshFeedback();
    refreshFeedback();
    EXPECT_EQ(ToastPaintCount(), painted);
}

TEST_F(Feedback, NoEngineNoToast) {
    selectFeedbackForCommand("add volume 5");
    EXPECT_EQ(feedbackKind, kFeedbackVolume);
    EXPECT_FALSE(ToastVisible());
    selectFeedbackForCommand("seek 5 relative+keyframes");
    EXPECT_EQ(feedbackKind, kFeedbackSeek);
    refreshFeedback();
    EXPECT_FALSE(ToastVisible());
}

TEST_F(Feedback, MessagesAreCutAndLastTheirTime) {
    uint32_t before = GetTickCount();
    showMessageToast(L"A LABEL LONGER THAN FIFTEEN", L"SAVED");
    EXPECT_EQ(feedbackKind, kFeedbackMessage);
    EXPECT_STREQ(ToastText(), L"SAVED");
    expectDeadline(before, 1500);
    std::wstring value(50, L'v');
    showMessageToast(L"COPY", value.c_str());
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(39, L'v'));
    // A caller keeps a message longer by moving the deadline; the next tick only prolongs.
    unsigned painted = ToastPaintCount();
    feedbackDeadline = uint32_t(GetTickCount()) + 2500;
    refreshFeedback();
    EXPECT_EQ(ToastPaintCount(), painted);
    EXPECT_TRUE(ToastVisible());
}

TEST_F(Feedback, ResumeNoticeShowsTheTruncatedTime) {
    uint32_t before = GetTickCount();
    showResumeNotice(3723.99);
    EXPECT_EQ(feedbackKind, kFeedbackResume);
    EXPECT_STREQ(aspectText, "1:02:03");
    EXPECT_STREQ(ToastText(), L"1:02:03");
    expectDeadline(before, 2200);
}

TEST_F(Feedback, AnExpiredKindGoesIdleOnTheNextRefresh) {
    showMessageToast(L"DONE", L"OK");
    feedbackDeadline = uint32_t(GetTickCount());
    refreshFeedback();
    EXPECT_EQ(feedbackKind, kFeedbackNone);
    refreshFeedback();  // idle: nothing happens
    EXPECT_EQ(feedbackKind, kFeedbackNone);
}

}  // namespace
