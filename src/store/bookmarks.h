// Per-file bookmarks kept in bookmarks.txt.
#pragma once
#include <string>
#include <vector>

// Remembers the file (empty: nothing is stored) and loads it.
void setBookmarksPath(const std::wstring& path);

// The bookmark verbs; each shows its own toast.
void bookmarkAdd();
void bookmarkPrev();
void bookmarkNext();
void bookmarkDelete(int index);
void bookmarkClear();
// The file whose bookmarks the verbs and the seek bar use (the engine's "path").
void setCurrentBookmarkFile(const char* path);
// The current file's bookmark positions in seconds, ascending.
const std::vector<double>& currentBookmarkList();
// Hands the current file's bookmarks to the seek bar.
void refreshBookmarkMarkers();
// Adds a bookmark of the current file at `seconds` and stores the file; the index in the
// current list, or -1 when refused. The "@bmadd" verb without its toast.
int addCurrentBookmark(double seconds);
