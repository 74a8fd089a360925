#include "app/mainwindow_input.h"

#include <windowsx.h>

#include "app/window_modes.h"
#include "engine/playlist_window.h"
#include "input/commands.h"
#include "input/keymap_core.h"
#include "input/keys.h"
#include "menu/menu.h"
#include "osd/hud.h"
#include "panels/help_window.h"
#include "panels/info_window.h"
#include "panels/titlebar.h"
#include "store/settings_window.h"

namespace {

uint32_t currentModifiers() {
    uint32_t mods = 0;
    if (GetKeyState(VK_CONTROL) < 0) mods |= 1;
    if (GetKeyState(VK_SHIFT) < 0) mods |= 2;
    if (GetKeyState(VK_MENU) < 0) mods |= 4;
    return mods;
}

// Esc closes the first open panel before it may leave full screen.
bool closeFirstOpenPanel() {
    if (isSettingsWindowOpen()) closeSettingsWindow();
    else if (isHelpWindowOpen()) closeHelpWindow();
    else if (isInfoWindowOpen()) closeInfoWindow();
    else if (isPlaylistOpen()) closePlaylist();
    else return false;
    return true;
}

bool onKeyDown(WPARAM key, LPARAM lParam) {
    if (IsMenuOpen() && MenuKey(unsigned(key))) return true;
    if (key == VK_ESCAPE && closeFirstOpenPanel()) return true;
    return handleKey(uint32_t(key), currentModifiers(), (lParam & (1 << 30)) != 0);
}

// The window classes have no double-click style: a second press close enough in time and
// place is the double click, and it undoes the pause change of the first click.
void onLeftPress(int x, int y) {
    DWORD now = GetTickCount();
    bool doubleClick = pointer.previousPressTick != 0 && now - pointer.previousPressTick <= GetDoubleClickTime() &&
                       abs(x - pointer.previousPressX) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                       abs(y - pointer.previousPressY) <= GetSystemMetrics(SM_CYDOUBLECLK);
    pointer.previousPressTick = doubleClick ? 0 : now;
    pointer.previousPressX = x;
    pointer.previousPressY = y;
    pointer.pendingClick = !doubleClick;
    if (doubleClick) {
        executeCommand("cycle pause");
        toggleFullscreen(false);
    }
}

}  // namespace

bool handleMainWindowInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    bool startScreen = startScreenShown();
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
        case WM_KEYDOWN:
            return onKeyDown(wParam, lParam);
        case WM_SYSKEYDOWN:
            return handleKey(uint32_t(wParam), currentModifiers(), (lParam & (1 << 30)) != 0);
        case WM_MOUSEMOVE:
            if (startScreen) {
                startScreenMouseMove(window, x, y);
            } else {
                // Moves over the engine's own picture window arrive here unfiltered (the engine
                // window forwards every move, also those the system makes up when a window
                // changes under a resting cursor); the picture window's moves were counted
                // before they were forwarded.
                if (IsRealMouseMove()) {
                    MarkMouseActivity();
                    noteRealPictureMove();
                }
                dragWindowIfMoved(x, y, wParam);
            }
            return true;
        case WM_LBUTTONDOWN:
            if (startScreen) startScreenClick(window, x, y);
            else onLeftPress(x, y);
            return true;
        case WM_LBUTTONUP:
            if (pointer.pendingClick) {
                pointer.pendingClick = false;
                executeCommand("cycle pause");
            }
            return true;
        case WM_RBUTTONUP:
            showContextMenu();
            return true;
        case WM_MBUTTONDOWN:
            togglePlaylist();
            if (!startScreen && isPlaylistOpen()) dispatchAppCommand("whatnext");
            return true;
        case WM_MOUSEWHEEL:
            executeCommand(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? "@vol 1" : "@vol -1");
            return true;
        case WM_XBUTTONDOWN:
        case WM_XBUTTONDBLCLK:
            if (!startScreen) executeCommand(GET_XBUTTON_WPARAM(wParam) == XBUTTON1 ? "@step -1" : "@step 1");
            result = TRUE;
            return true;
        case WM_XBUTTONUP:
            result = TRUE;
            return true;
        case WM_APPCOMMAND: {
            const char* command = appCommandAction(GET_APPCOMMAND_LPARAM(lParam));
            if (!command) return false;
            if (!startScreen) executeCommand(command);
            result = 1;
            return true;
        }
    }
    return false;
}
