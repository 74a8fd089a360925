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

// For a level window's accessible object: the rows it shows, their layout and the highlighted
// row (-1 none); null when the window is no open level. A press acts as a click on the row.
const MenuItems* OpenMenuLevel(HWND levelWindow, const LevelLayout** layout, int* hover);
bool PressMenuRow(HWND levelWindow, int row);
// The row a level window's sub-menu was opened from, or null for the menu itself.
const MenuItem* MenuLevelParentRow(HWND levelWindow);
