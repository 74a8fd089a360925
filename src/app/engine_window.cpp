#include "app/engine_window.h"

#include "app/mainwindow.h"

WNDPROC previousEngineWindowProc = nullptr;

LRESULT CALLBACK engineWindowForwardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_XBUTTONDOWN:
        case WM_XBUTTONUP:
        case WM_XBUTTONDBLCLK:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            PostMessageW(mainWindow, message, wParam, lParam);
            return 1;
        case WM_MBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_DROPFILES:
            PostMessageW(mainWindow, message, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
            PostMessageW(mainWindow, message, wParam, lParam);
            break;
    }
    return CallWindowProcW(previousEngineWindowProc, window, message, wParam, lParam);
}
