// The file information panel.
#pragma once
#include <string>

struct HWND__;
struct EngineAccess;

// Hands the panel the window it opens over, the engine reads it shows and the message toast it
// reports a failed copy with; called once, before the first toggle.
void initInfoWindow(HWND__* owner, const EngineAccess& engine,
                    void (*showMessageToast)(const wchar_t* label, const wchar_t* value));
void toggleInfoWindow();
bool isInfoWindowOpen();
void closeInfoWindow();
// Keeps the panel beside the main window after it moved or changed size.
void repositionInfoWindow();
// Every 100 ms: refreshes the figures while the panel is open.
void infoWindowTick();
// Scrolls the rows to a logical pixel offset, kept within the content.
void setInfoScroll(int offset);
// Puts the text on the clipboard as Unicode text; false, with the clipboard left as it was,
// when it could not.
bool copyTextToClipboard(HWND__* owner, const std::wstring& text);
