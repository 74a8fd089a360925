#include "store/bookmarks.h"

#include <windows.h>

#include <cstdio>

#include "app/diaglog.h"
#include "app/startup.h"
#include "osd/hud.h"
#include "store/bookmarks_core.h"
#include "store/stored_file.h"

namespace {

std::wstring bookmarksPath;
std::vector<BookmarkEntry> bookmarkStore;
std::string currentFileKey;
std::vector<double> currentBookmarks;

void rebuildCurrent() { currentBookmarks = bookmarksOf(bookmarkStore, currentFileKey); }

// After every change: the list, the file and the seek bar follow the store.
void storeChanged() {
    DWORD start = GetTickCount();
    rebuildCurrent();
    bool saved = bookmarksPath.empty() || writeStoredFile(bookmarksPath, formatBookmarks(bookmarkStore));
    if (!saved) diagLog("bookmarks: saving failed, the old file is kept");
    else if (testMode) diagLog("bookmarks saved entries=%d ms=%lu", int(bookmarkStore.size()), GetTickCount() - start);
    SetHudMarkers(currentBookmarks);
}

}  // namespace

void setBookmarksPath(const std::wstring& path) {
    bookmarksPath = path;
    std::string text;
    bookmarkStore = path.empty() || !readStoredFile(path, text) ? std::vector<BookmarkEntry>() : parseBookmarks(text);
    rebuildCurrent();
}

bool setCurrentBookmarkFile(const char* path) {
    std::string key = path ? path : "";
    if (key == currentFileKey) return false;
    bool replaced = !currentFileKey.empty();
    currentFileKey = key;
    rebuildCurrent();
    if (testMode) diagLog("bookmarks file=%s count=%d", key.c_str(), int(currentBookmarks.size()));
    return replaced;
}

const std::vector<double>& currentBookmarkList() { return currentBookmarks; }

void refreshBookmarkMarkers() { SetHudMarkers(currentBookmarks); }

int addCurrentBookmark(double seconds) {
    int index = addBookmark(bookmarkStore, currentFileKey, seconds);
    if (index >= 0) storeChanged();
    return index;
}

bool deleteCurrentBookmark(int index) {
    if (!deleteBookmark(bookmarkStore, currentFileKey, index)) return false;
    storeChanged();
    return true;
}

void clearCurrentBookmarks() {
    clearBookmarks(bookmarkStore, currentFileKey);
    storeChanged();
}
