// The help panel: every mouse action and key.
#pragma once

struct HWND__;

// Hands the panel the window it opens over; called once, before the first toggle.
void initHelpWindow(HWND__* owner);
void toggleHelpWindow();
bool isHelpWindowOpen();
void closeHelpWindow();
// Keeps the panel beside the main window after it moved or changed size.
void repositionHelpWindow();
// Scrolls the list to a logical pixel offset, kept within the content.
void setHelpScroll(int offset);
