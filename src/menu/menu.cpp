#include "menu/menu.h"

void CloseMenu() {}
bool IsMenuOpen() { return false; }
bool MenuKey(unsigned) { return false; }
void showContextMenu() {}
void showBookmarksMenu() {}
