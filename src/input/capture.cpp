#include "input/capture.h"

#include "app/startup.h"

void copyFrameToClipboard() {}
void saveFrameToFile() {}
void pickCaptureFolder() {}
const wchar_t* captureFolderName() { return defaultCaptureFolder.c_str(); }
