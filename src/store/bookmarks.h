// Per-file bookmarks kept in bookmarks.txt.
#pragma once
#include <string>

// Remembers the file (empty: nothing is stored) and loads it.
void setBookmarksPath(const std::wstring& path);
