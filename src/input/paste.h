// Paste to play: files copied in Explorer, or text naming files and streams.
#pragma once
#include <string>
#include <vector>

// Plays what the clipboard holds; with `queue` and a file playing, adds it to the queue instead.
// Nothing usable: a toast says so and the queue is left alone.
void pasteFromClipboard(bool queue);

// Adds the files behind the queue and says how many with the "PLAYLIST" toast.
void queueFilesWithToast(const std::vector<std::wstring>& files);
