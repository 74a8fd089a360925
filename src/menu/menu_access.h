// The menu's level windows for a screen reader, each a pop-up menu of its rows, and what the
// menu hands its provider.
#pragma once
#include "menu/menu_core.h"
#include "osd/accessible.h"

extern const AccessProvider kMenuAccess;

// The rows a level window shows, their layout and the highlighted row (-1 none); null when the
// window is no open level. A press acts as a click on the row.
const MenuItems* OpenMenuLevel(HWND levelWindow, const LevelLayout** layout, int* hover);
bool PressMenuRow(HWND levelWindow, int row);
// The row a level window's sub-menu was opened from, or null for the menu itself.
const MenuItem* MenuLevelParentRow(HWND levelWindow);
