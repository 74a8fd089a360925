// The main window: the hub that receives the engine's messages, hand-overs, input,
// the periodic timer and the close request.
#pragma once

struct HWND__;

// Messages between the threads and windows of the program (WM_APP is 0x8000).
enum : unsigned {
    WM_APP_FIRST_FRAME = 0x8000 + 1,
    WM_APP_ENGINE_FAILED = 0x8000 + 2,
    WM_APP_KEY = 0x8000 + 3,
    WM_APP_TEST_CONTROL = 0x8000 + 4,
    WM_APP_RESUMED_SHOWN = 0x8000 + 5,
    WM_APP_OPEN_CAPTURE_FOLDER = 0x8000 + 9,
    WM_APP_AFTER_SHOW = 0x8000 + 10,
    WM_APP_OPEN_DEFAULT_APPS = 0x8000 + 11,
    WM_APP_FILE_LOADED = 0x8000 + 12,
    WM_APP_REGISTER = 0x8000 + 13,  // wParam 0 registers the file types, 1 removes them
};

// Selectors of WM_APP_TEST_CONTROL (test modes only).
enum : unsigned { kTestLogState = 1, kTestAddMarker = 2, kTestLogUiCpu = 3, kTestLogResources = 4 };
// WM_COPYDATA code of a test driver's command string (UTF-8), test modes only.
constexpr unsigned long kTestCommandCode = 0x4B56434D;  // "KVCM"
// WM_COPYDATA code of a test driver's dropped files (the hand-over payload), test modes only.
constexpr unsigned long kTestDropCode = 0x4B564452;  // "KVDR"

extern HWND__* mainWindow;
extern HWND__* videoWindow;

// Keeps the new main window and hands it, with the engine access and the callbacks they call,
// to the panels, the toasts' placement and the command router; once, right after creating it.
void handDownMainWindow(HWND__* window);

// Registers "KivoPlayerWnd" (or its test name) and "KivoPlayerVideo".
bool registerWindowClasses();

// Every text is drawn again after the UI language changed.
void redrawForLanguageChange();

// A closed file's name is forgotten, so that opening the same file again names it in the title.
void forgetPlayingFileName();
