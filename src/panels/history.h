// The watch history shown on the start screen, read from the engine's resume folder.
#pragma once
#include <string>

// An empty folder name clears the history.
void readWatchHistory(const std::wstring& folder);
