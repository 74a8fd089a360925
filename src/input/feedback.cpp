#include "input/feedback.h"

uint32_t feedbackKind = 0;
uint32_t feedbackDeadline = 0;
char aspectText[24] = {};

void selectFeedbackForCommand(const char*) {}
void refreshFeedback() {}
void showMessageToast(const wchar_t*, const wchar_t*) {}
void showResumeNotice(double) {}
