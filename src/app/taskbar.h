// The taskbar button: playback progress, and previous / play-pause / next thumbnail buttons.
// Any failing call leaves the button as it is and the rest of the program untouched.
#pragma once
#include <windows.h>

// Lets the taskbar's messages through the message filter; call once for the main window.
void initTaskbar(HWND window);

// The taskbar made (or remade) the window's button: take hold of it and add the buttons.
// True when the message was that one.
bool onTaskbarMessage(HWND window, UINT message);

// Progress and the play-pause button from the engine's state; at most once a second.
void taskbarTick(HWND window);

// A thumbnail button's click runs its command; true when wParam was one of them.
bool onTaskbarButton(WPARAM wParam);
