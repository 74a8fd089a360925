// Toasts that answer commands: which command shows which value, kept live from the engine's
// properties until the toast's deadline.
#pragma once
#include <cstdint>

extern uint32_t feedbackKind;      // 0 = no live toast
extern uint32_t feedbackDeadline;  // tick count until which the live toast is refreshed
extern char aspectText[24];

// After an engine command was sent: picks the toast for it, if any.
void selectFeedbackForCommand(const char* command);
// Recomputes and shows the live toast; on every timer tick.
void refreshFeedback();
// A fixed message toast for 1500 ms.
void showMessageToast(const wchar_t* label, const wchar_t* value);
// The "RESUME" notice at the first picture of a file that continues where it was left.
void showResumeNotice(double timePos);
