// Saving the current frame as a PNG file or copying it to the clipboard, and the capture folder.
#pragma once
#include <string>

struct HWND__;

void copyFrameToClipboard();
void saveFrameToFile();
void pickCaptureFolder();
// The folder frames are saved in (the setting, or the default capture folder), created when
// missing; empty when no folder is known.
const wchar_t* captureFolderName();

// Loads a PNG file, reports its size and, when `place` is set, puts it on the clipboard as a
// bitmap owned by `owner`. False when the file could not be read or the clipboard refused it.
bool copyImageToClipboard(const std::wstring& pngPath, HWND__* owner, int& width, int& height, bool place);
