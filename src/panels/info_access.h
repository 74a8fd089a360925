// The file information panel for a screen reader: its two buttons, then its rows; and what
// the panel hands its provider.
#pragma once
#include <vector>

#include "osd/accessible.h"
#include "panels/info_core.h"

extern const AccessProvider kInfoAccess;

// The rows, scroll offset, height and whether the copy button reads "Copied" (false while
// closed); the close cross and the copy button as clicked.
bool infoAccessView(const std::vector<InfoRow>*& rows, int& scroll, int& height, bool& copied);
void pressInfoClose();
void pressInfoCopy();
