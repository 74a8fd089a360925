// Pictures for the seek bar's preview from a second engine instance of our own: created on first
// use, fed the playing file's path, run on its own thread. The main thread only hands it the
// latest wanted time and takes finished pictures; it never waits for it, and neither does the
// close sequence.
#pragma once
#include "osd/preview_window.h"

// The picture for `seconds` of the playing file when it is in the cache; otherwise the wish goes
// to the preview thread, which posts kPreviewReadyMessage to `notify` when it is done. False
// when the playing file gets no previews (setting off, no render API, audio only, shorter than
// 2 s, a network stream, or the preview engine failed on it: logged once per file).
bool previewWant(HWND__* notify, double seconds, PreviewAnswer& answer);
// Drops a wish the thread has not started on.
void previewForget();
