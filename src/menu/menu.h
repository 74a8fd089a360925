// The right-click menu window.
#pragma once

void CloseMenu();
bool IsMenuOpen();
// Gives an open menu the first chance at a key; true when it took the key.
bool MenuKey(unsigned virtualKey);
// The context menu for the picture at the cursor.
void showContextMenu();
// The bookmarks menu of the current file ("@bmmenu").
void showBookmarksMenu();
