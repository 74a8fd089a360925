// The forwarding procedure put on the engine's own picture window. It runs on the engine's
// thread, so it only posts to the main window.
#pragma once
#include <windows.h>

extern WNDPROC previousEngineWindowProc;
LRESULT CALLBACK engineWindowForwardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
