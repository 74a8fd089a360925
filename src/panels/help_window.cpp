#include "panels/help_window.h"

void toggleHelpWindow() {}
bool isHelpWindowOpen() { return false; }
void closeHelpWindow() {}
void repositionHelpWindow() {}
