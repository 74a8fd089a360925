// The file information panel for a screen reader: its two buttons, then its rows.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kInfoAccess;
