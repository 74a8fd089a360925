// The main window's keyboard and mouse: its own and those forwarded from the picture windows.
#pragma once
#include <windows.h>

// Handles an input message; false when it should go on to the default procedure.
bool handleMainWindowInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
