#include "osd/toast.h"

void CreateToastWindow(HWND__*, HINSTANCE__*) {}
void ShowToast(const wchar_t*, const wchar_t*, unsigned) {}
void ToastTick() {}
