// Window modes and the picture window's place in the main window.
#pragma once

// Fits the picture window between the title bar and the docked control bar.
void layoutVideo();

// True while the main window covers its monitor.
bool isFullScreen();
