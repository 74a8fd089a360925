#include "app/window_modes.h"

#include <windows.h>

#include "app/mainwindow.h"
#include "osd/hud.h"
#include "panels/titlebar.h"

namespace {
bool fullScreen = false;
}

bool isFullScreen() { return fullScreen; }

void layoutVideo() {
    if (!videoWindow) return;
    RECT client;
    GetClientRect(mainWindow, &client);
    int top = titleBarHeight();
    int height = client.bottom - top - HudBottomReserve();
    MoveWindow(videoWindow, 0, top, client.right, height > 0 ? height : 0, TRUE);
}
