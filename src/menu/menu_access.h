// The menu's level windows for a screen reader: each level a pop-up menu of its rows.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kMenuAccess;
