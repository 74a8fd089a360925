// The control bar over the picture: its window, mouse handling and auto-hide.
#pragma once
#include <string>
#include <vector>

#include "osd/engine_access.h"

struct HWND__;
struct HINSTANCE__;

// Creates the control bar and the toast window once, after the first picture.
void CreateHud(HWND__* owner, HINSTANCE__* instance, const EngineAccess& access);
bool HudExists();
HWND__* HudWindow();
bool IsHudVisible();

// The 100 ms tick: toast expiry, model refresh, showing and hiding.
void HudTick();
// Lays out and repaints after the main window moved, changed size, mode or dpi.
void RelayoutHud();

void SetHideDelay(unsigned ms);
void SetHudTopOffset(int pixels);
int HudTopOffset();
void SetHudFileName(const std::wstring& name);
void SetStartScreen(bool shown);
void SetHudFullScreen(bool fullScreen);
void SetHudMarkers(const std::vector<double>& seconds);

// Pixels kept free for the docked control bar below the picture.
int HudBottomReserve();

// False when the cursor's screen position did not change since the last check (systems send
// moves without movement); one last position is shared with the picture window.
bool IsRealMouseMove();
// Any mouse activity over the picture or the control bar.
void MarkMouseActivity();
// "want=%d hover=%d drag=%d paused=%d recent=%d sinceMove=%lu full=%d" of the last tick.
const char* HudStateLine();
