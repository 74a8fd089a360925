// The control bar over the picture.
#pragma once
#include <string>

void SetHideDelay(unsigned ms);
void SetHudTopOffset(int pixels);
void SetHudFileName(const std::wstring& name);
void SetStartScreen(bool shown);
// Pixels kept free for the docked control bar below the picture.
int HudBottomReserve();
