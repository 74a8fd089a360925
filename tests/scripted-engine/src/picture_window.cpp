#include "picture_window.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "playback.h"
#include "test_pattern.h"
#include "text_convert.h"

namespace {

const wchar_t kClassName[] = L"mpv";
const wchar_t kEngineProperty[] = L"ScriptedEngine.Engine";
const UINT_PTR kRefreshTimer = 1;
const UINT kRefreshMilliseconds = 200;

// What one repaint shows, copied out under the engine's lock.
struct PictureSnapshot {
    bool loaded = false;
    bool hasVideo = false;
    bool paused = false;
    bool shuttingDown = false;
    double position = 0;
    double duration = 0;
    std::string fileName;
};

PictureSnapshot takeSnapshot(Engine &engine) {
    std::lock_guard<std::mutex> hold(engine.mutex);
    PictureSnapshot snapshot;
    snapshot.loaded = engine.loaded;
    snapshot.hasVideo = engine.loaded && engine.videoTrack > 0;
    snapshot.paused = optionFlag(engine, "pause");
    snapshot.shuttingDown = engine.shuttingDown;
    if (engine.loaded) {
        snapshot.position = positionNow(engine);
        snapshot.duration = engine.file.duration;
        snapshot.fileName = baseNameOf(engine.playlist[engine.current].path);
    }
    return snapshot;
}

std::wstring clockText(double seconds) {
    long long milliseconds = (long long)(seconds * 1000 + 0.5);
    wchar_t buffer[48];
    swprintf(buffer, 48, L"%02lld:%02lld:%02lld.%03lld", milliseconds / 3600000,
             (milliseconds / 60000) % 60, (milliseconds / 1000) % 60, milliseconds % 1000);
    return buffer;
}

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    RECT box = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &box, brush);
    DeleteObject(brush);
}

void paintPicture(HDC dc, int width, int height, const PictureSnapshot &snapshot) {
    fill(dc, 0, 0, width, height, RGB(0, 0, 0));
    if (!snapshot.hasVideo || snapshot.shuttingDown) return;  // idle or audio only: black
    int barsBottom = (int)(height * kBarsHeightFraction);
    for (int i = 0; i < 7; i++) {
        const BarColour &bar = kTestPatternBars[i];
        fill(dc, width * i / 7, 0, width * (i + 1) / 7, barsBottom,
             RGB(bar.red, bar.green, bar.blue));
    }
    fill(dc, 0, barsBottom, width, height, RGB(16, 16, 24));
    double progress = snapshot.duration > 0 ? snapshot.position / snapshot.duration : 0;
    int stripTop = barsBottom + (height - barsBottom) / 3;
    int stripBottom = height - (height - barsBottom) / 3;
    fill(dc, 0, stripTop, width, stripBottom, RGB(48, 48, 56));
    fill(dc, 0, stripTop, (int)(width * progress), stripBottom, RGB(235, 235, 235));

    std::wstring caption = clockText(snapshot.position) + L" / " + clockText(snapshot.duration) +
                           (snapshot.paused ? L"  PAUSED  " : L"  PLAYING  ") +
                           utf8ToWide(snapshot.fileName);
    // The caption shrinks until it fits, and sits on a light box of its own width.
    int fontHeight = height / 14 < 12 ? 12 : height / 14;
    HFONT font = nullptr;
    SIZE extent = {0, 0};
    HGDIOBJ previous = nullptr;
    for (;;) {
        font = CreateFontW(-fontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                           DEFAULT_PITCH, L"Tahoma");
        HGDIOBJ old = SelectObject(dc, font);
        if (!previous) previous = old;
        GetTextExtentPoint32W(dc, caption.c_str(), (int)caption.size(), &extent);
        if (extent.cx + fontHeight <= width || fontHeight <= 8) break;
        SelectObject(dc, previous);
        DeleteObject(font);
        fontHeight = fontHeight * 3 / 4;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    int boxWidth = extent.cx + fontHeight;
    RECT textBox = {(width - boxWidth) / 2, barsBottom / 2 - fontHeight, (width + boxWidth) / 2,
                    barsBottom / 2 + fontHeight};
    fill(dc, textBox.left, textBox.top, textBox.right, textBox.bottom, RGB(235, 235, 235));
    DrawTextW(dc, caption.c_str(), -1, &textBox, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, previous);
    DeleteObject(font);
}

void paintBuffered(HWND window, HDC dc, Engine &engine) {
    RECT box;
    GetClientRect(window, &box);
    if (box.right <= 0 || box.bottom <= 0) return;
    // Drawn off screen first so the repaints do not flicker in screenshots.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, box.right, box.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    paintPicture(memory, box.right, box.bottom, takeSnapshot(engine));
    BitBlt(dc, 0, 0, box.right, box.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

void followParentSize(HWND window) {
    HWND parent = GetParent(window);
    RECT parentBox, ownBox;
    if (!parent || !GetClientRect(parent, &parentBox) || !GetClientRect(window, &ownBox)) return;
    if (parentBox.right != ownBox.right || parentBox.bottom != ownBox.bottom)
        SetWindowPos(window, nullptr, 0, 0, parentBox.right, parentBox.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK pictureWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Engine *engine = (Engine *)GetPropW(window, kEngineProperty);
    switch (message) {
        case WM_TIMER:
            if (wParam == kRefreshTimer) {
                followParentSize(window);
                InvalidateRect(window, nullptr, FALSE);
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (engine) paintBuffered(window, dc, *engine);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            // Lets tests (and PrintWindow) capture the picture without reading the screen.
            if (engine) paintBuffered(window, (HDC)wParam, *engine);
            return 0;
        case WM_NCDESTROY:
            RemovePropW(window, kEngineProperty);
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HINSTANCE thisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        (LPCWSTR)&pictureWindowProcedure, &module);
    return module;
}

void windowThread(Engine *engine, HWND parent) {
    HINSTANCE instance = thisModule();
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = pictureWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);  // a second engine finds it registered already

    RECT box = {0, 0, 0, 0};
    GetClientRect(parent, &box);
    // No parent notification: the parent belongs to another thread, which may be
    // busy waiting for this engine.
    HWND window = CreateWindowExW(WS_EX_NOPARENTNOTIFY, kClassName, L"mpv",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, box.right,
                                  box.bottom, parent, nullptr, instance, nullptr);
    if (!window) return;
    SetPropW(window, kEngineProperty, engine);
    {
        std::lock_guard<std::mutex> hold(engine->mutex);
        engine->pictureWindow = window;
    }
    SetTimer(window, kRefreshTimer, kRefreshMilliseconds, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

void startPictureWindow(Engine &engine) {
    long long handle = engine.options["wid"].integer;
    if (handle == -1 || !IsWindow((HWND)(intptr_t)handle)) return;
    std::thread(windowThread, &engine, (HWND)(intptr_t)handle).detach();
}
