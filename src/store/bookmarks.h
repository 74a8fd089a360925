// Per-file bookmarks kept in bookmarks.txt.
#pragma once
#include <string>
#include <vector>

// Remembers the file (empty: nothing is stored) and loads it.
void setBookmarksPath(const std::wstring& path);

// The file whose bookmarks the verbs and the seek bar use (the engine's "path"). True when it
// replaced an earlier file: a bookmarks menu made for that one must close.
bool setCurrentBookmarkFile(const char* path);
// The current file's bookmark positions in seconds, ascending.
const std::vector<double>& currentBookmarkList();
// Hands the current file's bookmarks to the seek bar.
void refreshBookmarkMarkers();
// Adds a bookmark of the current file at `seconds` and stores the file; the index in the
// current list, or -1 when refused. The "@bmadd" verb without its toast.
int addCurrentBookmark(double seconds);
// Deletes the current file's bookmark at `index` and stores the file; false when there is none.
bool deleteCurrentBookmark(int index);
// Deletes every bookmark of the current file and stores the file.
void clearCurrentBookmarks();
