#include "menu/menu.h"

void CloseMenu() {}
