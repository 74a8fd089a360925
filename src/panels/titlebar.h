// The program's own title bar, drawn in the client area, and the main window's painting.
#pragma once
#include <functional>
#include <string>

struct HWND__;
struct HDC__;
struct tagRECT;

struct TitleBarCallbacks {
    std::function<void()> onOpenFile;
    std::function<void(const std::wstring&)> onPlayHistoryEntry;
};

void initTitleBar(HWND__* window, const TitleBarCallbacks& callbacks);
int titleBarHeight();
void paintMainWindow(HDC__* dc, int width, int height);
long long frameCalcSize(HWND__* window, tagRECT* proposed);
long long titleBarHitTest(HWND__* window, long long lParam);
bool titleBarMouse(HWND__* window, unsigned message, long long hitCode);
void windowSizeForClient(int clientWidth, int clientHeight, int& width, int& height);
void setTitleText(const std::wstring& text);
void setStartScreenShown(bool shown);
bool startScreenShown();
void setTitleBarHidden(bool hidden);
void startScreenMouseMove(HWND__* window, int x, int y);
void startScreenClick(HWND__* window, int x, int y);
void initStartScreen();
// WM_NCPAINT, WM_NCACTIVATE and WM_SETTEXT outside full screen: the frame edges in the
// window's colour.
long long paintFrameEdges(HWND__* window, unsigned message, unsigned long long wParam, long long lParam);
// Repaints the title bar strip only.
void invalidateTitleBar();

