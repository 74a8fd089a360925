// Window modes (full screen, maximised, always on top, sized to the picture) and the picture
// window that the engine draws into.
#pragma once
#include <cstdint>

// Shared by the main window's and the picture window's mouse handling.
struct PointerState {
    bool pendingClick = false;     // a single left click waits for its button-up
    uint32_t previousPressTick = 0;  // 0: no press to pair a double click with
    int previousPressX = 0, previousPressY = 0;  // main-window client coordinates
    bool cursorHidden = false;
    uint32_t lastRealMove = 0;
};
extern PointerState pointer;
extern bool alwaysOnTop;

bool isFullScreen();
// With the left button held since a press on the picture, moving past the drag distance
// hands the window to the system's move loop; true when it did. Main-window coordinates
// (or any coordinates the press was recorded in).
bool dragWindowIfMoved(int x, int y, unsigned long long keys);
// A real mouse move over the picture: the cursor shows again and the idle time restarts.
void noteRealPictureMove();
// Fits the picture window between the title bar and the docked control bar.
void layoutVideo();
// Enters or leaves full screen; with `leaveOnly` it only ever leaves.
void toggleFullscreen(bool leaveOnly);
void sizeToPicture(double factor);
void toggleMaximize();
void toggleAlwaysOnTop();

// Window procedure of the picture window class.
long long __stdcall videoWindowProc(struct HWND__* window, unsigned message, unsigned long long wParam,
                                    long long lParam);
