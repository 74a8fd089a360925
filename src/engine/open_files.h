// Opening files: the first list starts the engine, later lists replace or queue.
#pragma once
#include <string>
#include <vector>

void startPlayback(const std::vector<std::wstring>& files);

// Adds the files behind the queue, as full paths, without a toast.
void queueFiles(const std::vector<std::wstring>& files);

// The open-file dialog; `append` queues the chosen files instead of replacing.
void openFileDialog(bool append);

// The engine thread's handle once it was started (also after a failed start).
void* engineThread();
