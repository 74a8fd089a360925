// The help panel for a screen reader: its close cross, then every row of the table; and what
// the panel hands its provider.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kHelpAccess;

// The scroll offset and height (false while closed), and the close cross as clicked.
bool helpAccessView(int& scroll, int& height);
void pressHelpClose();
