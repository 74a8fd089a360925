// What the title bar and the start screen share inside the panels module.
#pragma once
#include <functional>
#include <string>

#include "osd/drawing_kit.h"
#include "panels/titlebar_core.h"

// False until initStartScreen has run: the main window is then painted in plain colours.
bool startScreenReady();

// The start screen's text font (13 px), also the title bar's; null before initStartScreen.
GpFont* StartTextFont();

// The program's mark: a hexagon with a corner at the top, drawn three times for its glow,
// around a triangle pointing right.
void drawHexLogo(GpGraphics* g, float x, float y, float radius, float lineWidth);

// The start screen over a client of W × H logical pixels under a title bar T high.
void paintStartScreen(GpGraphics* g, float W, float H, float T);

// The actions for the open button and the history rows, handed over by the title bar.
struct StartScreenCallbacks {
    std::function<void()> onOpenFile;
    std::function<void(const std::wstring&)> onPlayHistoryEntry;
};
void setStartScreenCallbacks(const StartScreenCallbacks& callbacks);

// The start screen's part of the main window's accessible view, as last painted.
void fillStartScreenAccessView(MainAccessView& view);
// What a click on a start-screen item (kItemOpen, kItemClear, a history row) does.
void startScreenActivate(HWND__* window, int item);
// What a click on a caption button (a hit-test code) does.
void pressCaptionButton(HWND__* window, long long hitCode);
