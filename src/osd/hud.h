// The control bar over the picture.
#pragma once

void SetHideDelay(unsigned ms);
void SetHudTopOffset(int pixels);
