// The control bar's elements for a screen reader.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kHudAccess;
