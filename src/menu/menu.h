// The right-click menu window.
#pragma once

void CloseMenu();
