// The help panel for a screen reader: its close cross, then every row of the table.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kHelpAccess;
