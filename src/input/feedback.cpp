#include "input/feedback.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "app/diaglog.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "engine/engine.h"
#include "input/feedback_core.h"
#include "osd/toast.h"
#include "osd/toast_core.h"

uint32_t feedbackKind = kFeedbackNone;
uint32_t feedbackDeadline = 0;
char aspectText[24] = {};

namespace {

wchar_t messageLabel[kMessageLabelMax + 1] = {};
wchar_t messageValue[kMessageValueMax + 1] = {};

// The toast a command or a message brings up is told to screen readers; the live updates of its
// value that follow on the ticks are not, or a seek would be spoken twice.
bool announceNext = false;

const PropertyReaders engineReaders = {engineGetDouble, engineGetFlag, engineGetText};

uint32_t tickNow() { return uint32_t(GetTickCount()); }

void copyClipped(wchar_t* field, size_t maxUnits, const wchar_t* text) {
    size_t n = clippedLength(text, maxUnits);
    if (n) wmemcpy(field, text, n);
    field[n] = L'\0';
}

}  // namespace

void selectFeedbackForCommand(const char* command) {
    uint32_t kind = feedbackKindFor(command);
    // Anything else leaves a live toast of an earlier command running to its own deadline.
    if (kind == kFeedbackNone) return;
    if (kind == kFeedbackAspect) aspectValueOf(command, aspectText, sizeof aspectText);
    feedbackKind = kind;
    feedbackDeadline = tickNow() + kFeedbackLiveMs;
    announceNext = true;
    if (feedbackShownAtOnce(kind)) refreshFeedback();
}

void refreshFeedback() {
    if (feedbackKind == kFeedbackNone) return;
    uint32_t now = tickNow();
    if (feedbackExpired(feedbackDeadline, now)) {
        feedbackKind = kFeedbackNone;  // the toast hides itself by its own deadline
        return;
    }
    if (feedbackKind == kFeedbackMessage) {
        ShowToast(messageLabel, messageValue, feedbackDeadline - now, announceNext);
        announceNext = false;
        return;
    }
    std::string label, value;
    if (!buildFeedbackText(feedbackKind, engineReaders, aspectText, label, value)) return;
    ShowToast(toWide(label).c_str(), toWide(value).c_str(), feedbackDeadline - now, announceNext);
    announceNext = false;
}

void showMessageToast(const wchar_t* label, const wchar_t* value) {
    copyClipped(messageLabel, kMessageLabelMax, label);
    copyClipped(messageValue, kMessageValueMax, value);
    feedbackKind = kFeedbackMessage;
    feedbackDeadline = tickNow() + kMessageToastMs;
    announceNext = true;
    refreshFeedback();
    if (testMode) diagLog("toast %s %s", toUtf8(messageLabel).c_str(), toUtf8(messageValue).c_str());
}

void showResumeNotice(double timePos) {
    std::string text = resumeTimeText(timePos);
    snprintf(aspectText, sizeof aspectText, "%s", text.c_str());
    feedbackKind = kFeedbackResume;
    feedbackDeadline = tickNow() + kResumeNoticeMs;
    announceNext = true;
    refreshFeedback();
}
