#include <gtest/gtest.h>

#include <string>

#include "input/feedback.h"
#include "input/feedback_core.h"
#include "toast_owner.h"

// Without an engine every property read fails, which is exactly the "no engine" case; the
// kinds that need no engine (aspect, resume, messages) show their text.
namespace {

class Feedback : public ::testing::Test {
protected:
    static void SetUpTestSuite() { toastTestOwner(); }
    void SetUp() override {
        feedbackKind = kFeedbackNone;
        hideToast();
    }
    // The deadline is `ms` after the call, which came after `before` and before now.
    static void expectDeadline(uint32_t before, uint32_t ms) {
        EXPECT_GE(feedbackDeadline - before, ms);
        EXPECT_LE(feedbackDeadline - uint32_t(GetTickCount()), ms);
    }
};

TEST_F(Feedback, AspectResumeAndMessagesShowAtOnceForTheirTime) {
    uint32_t before = GetTickCount();
    selectFeedbackForCommand("set video-aspect-override -1");
    EXPECT_EQ(std::string(aspectText) + "|" + std::to_string(feedbackKind), "-1|" + std::to_string(kFeedbackAspect));
    EXPECT_STREQ(ToastText(), L"DEFAULT");
    expectDeadline(before, 1300);
    showResumeNotice(3723.99);
    EXPECT_STREQ(ToastText(), L"1:02:03");  // truncated
    expectDeadline(before, 2200);
    showMessageToast(L"A LABEL LONGER THAN FIFTEEN", L"SAVED");
    EXPECT_EQ(feedbackKind, kFeedbackMessage);
    expectDeadline(before, 1500);
    showMessageToast(L"COPY", std::wstring(50, L'v').c_str());
    EXPECT_EQ(std::wstring(ToastText()), std::wstring(39, L'v'));
    // A caller keeps a message longer by moving the deadline; the next tick only prolongs.
    unsigned painted = ToastPaintCount();
    feedbackDeadline = uint32_t(GetTickCount()) + 2500;
    refreshFeedback();
    EXPECT_TRUE(ToastPaintCount() == painted && ToastVisible());
    feedbackDeadline = uint32_t(GetTickCount());  // expired: idle on the next refresh, and it stays idle
    refreshFeedback();
    refreshFeedback();
    EXPECT_EQ(feedbackKind, kFeedbackNone);
}

TEST_F(Feedback, UnmatchedCommandsLeaveTheLiveToastAlone) {
    selectFeedbackForCommand("set video-aspect-override 16:9");
    uint32_t deadline = feedbackDeadline;
    unsigned painted = ToastPaintCount();
    selectFeedbackForCommand("cycle sub-bold");
    selectFeedbackForCommand("set pause yes ; seek 0 absolute");
    EXPECT_TRUE(feedbackKind == kFeedbackAspect && feedbackDeadline == deadline);
    EXPECT_STREQ(ToastText(), L"16:9");
    refreshFeedback();  // the same text again costs no repaint
    refreshFeedback();
    EXPECT_EQ(ToastPaintCount(), painted);
}

TEST_F(Feedback, NoEngineNoToast) {
    for (const char* command : {"add volume 5", "seek 5 relative+keyframes"}) {
        selectFeedbackForCommand(command);
        EXPECT_NE(feedbackKind, kFeedbackNone);
        refreshFeedback();
        EXPECT_FALSE(ToastVisible()) << command;
    }
}

}  // namespace
