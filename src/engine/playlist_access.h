// The playlist panel for a screen reader: its buttons and one list item per queued file.
#pragma once
#include "osd/accessible.h"

extern const AccessProvider kPlaylistAccess;
