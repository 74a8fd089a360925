// The control bar over the picture.
#pragma once
#include <string>

void SetHideDelay(unsigned ms);
void SetHudTopOffset(int pixels);
void SetHudFileName(const std::wstring& name);
void SetStartScreen(bool shown);
// Pixels kept free for the docked control bar below the picture.
int HudBottomReserve();
void SetHudFullScreen(bool fullScreen);
void RelayoutHud();
// False when the cursor's screen position did not change since the last check (Wine and
// Windows send moves without movement); one last position is shared with the picture window.
bool IsRealMouseMove();
// Any mouse activity over the picture or the control bar.
void MarkMouseActivity();
void HudTick();
bool HudExists();
