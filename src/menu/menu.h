// The right-click menu window.
#pragma once
#include <windows.h>

#include "menu/menu_core.h"

// Opens a menu of `items` at a screen point, closing one that is still open. A pick closes
// the menu first and then hands the row's command to `pick` (rows without a command do not).
void ShowMenu(HWND owner, POINT at, const MenuItems& items, void (*pick)(const char* command));
void CloseMenu();
bool IsMenuOpen();
// Gives an open menu the first chance at a key; true when it took the key.
bool MenuKey(unsigned virtualKey);
// The context menu for the picture at the cursor.
void showContextMenu();
// The bookmarks menu of the current file ("@bmmenu").
void showBookmarksMenu();
