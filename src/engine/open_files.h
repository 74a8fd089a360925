// Opening files: starts the engine on the first open, replaces or appends later.
#pragma once
#include <string>
#include <vector>

void startPlayback(const std::vector<std::wstring>& files);

// The engine thread's handle once it was started (also after a failed start).
void* engineThread();

// The open-file dialog; `append` queues the chosen files instead of replacing.
void openFileDialog(bool append);
