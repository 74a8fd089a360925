// The main window for a screen reader: the title bar's caption buttons and the start screen.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kMainWindowAccess;
