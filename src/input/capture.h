// Saving the current frame as a PNG file or copying it to the clipboard, and the capture folder.
#pragma once

void copyFrameToClipboard();
void saveFrameToFile();
void pickCaptureFolder();
// The folder frames are saved in (the setting, or the default capture folder).
const wchar_t* captureFolderName();
