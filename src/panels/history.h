// The watch history shown on the start screen, read from the engine's resume folder.
#pragma once
#include <string>

struct HistoryEntry {
    std::wstring path;  // the media file's full path
    std::wstring name;  // the part after its last backslash
    double seconds = 0; // the resume position
};

// Replaces the history with the newest resume entries of `folder`. An empty folder name
// clears the history.
void readWatchHistory(const std::wstring& folder);

// Deletes every file directly in the last folder read (sub-folders stay) and reads it again.
void clearWatchHistory();

int historyCount();
const HistoryEntry& historyEntry(int index);
