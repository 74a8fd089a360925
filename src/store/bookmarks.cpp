#include "store/bookmarks.h"

#include <windows.h>

#include <cstdio>

#include "app/diaglog.h"
#include "app/startup.h"
#include "engine/engine.h"
#include "input/commands.h"
#include "input/feedback.h"
#include "menu/menu.h"
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

void jumpToBookmark(int direction) {
    double now = 0;
    if (!engineGetDouble("time-pos", now)) return;
    int i = direction < 0 ? previousBookmark(currentBookmarks, now) : nextBookmark(currentBookmarks, now);
    if (i < 0) {
        showMessageToast(L"BOOKMARK", L"NONE");
        return;
    }
    char seek[64];
    snprintf(seek, sizeof seek, "seek %.3f absolute+exact", currentBookmarks[i]);
    // Quiet, so that no SEEK toast covers the bookmark's number.
    executeCommandQuiet(seek);
    wchar_t text[32];
    swprintf(text, 32, L"%d/%d", i + 1, int(currentBookmarks.size()));
    showMessageToast(L"BOOKMARK", text);
}

}  // namespace

void setBookmarksPath(const std::wstring& path) {
    bookmarksPath = path;
    std::string text;
    bookmarkStore = path.empty() || !readStoredFile(path, text) ? std::vector<BookmarkEntry>() : parseBookmarks(text);
    rebuildCurrent();
}

void setCurrentBookmarkFile(const char* path) {
    std::string key = path ? path : "";
    if (key == currentFileKey) return;
    // An open bookmarks menu lists the old file's rows; a click there must not act on this one.
    // The first file's key arrives a tick after its first picture: a menu opened in between
    // was already made for that file.
    if (!currentFileKey.empty()) CloseMenu();
    currentFileKey = key;
    rebuildCurrent();
    if (testMode) diagLog("bookmarks file=%s count=%d", key.c_str(), int(currentBookmarks.size()));
}

const std::vector<double>& currentBookmarkList() { return currentBookmarks; }

void refreshBookmarkMarkers() { SetHudMarkers(currentBookmarks); }

int addCurrentBookmark(double seconds) {
    int index = addBookmark(bookmarkStore, currentFileKey, seconds);
    if (index >= 0) storeChanged();
    return index;
}

void bookmarkAdd() {
    double now = 0;
    if (!engineGetDouble("time-pos", now)) return;
    int index = addCurrentBookmark(now);
    if (index < 0) {
        showMessageToast(L"BOOKMARK", L"EXISTS");
        return;
    }
    int whole = int(now);
    wchar_t text[48];
    swprintf(text, 48, L"%d:%02d:%02d  %d/%d", whole / 3600, whole / 60 % 60, whole % 60, index + 1,
             int(currentBookmarks.size()));
    showMessageToast(L"BOOKMARK", text);
}

void bookmarkPrev() { jumpToBookmark(-1); }

void bookmarkNext() { jumpToBookmark(+1); }

void bookmarkDelete(int index) {
    if (!deleteBookmark(bookmarkStore, currentFileKey, index)) return;
    storeChanged();
    showMessageToast(L"BOOKMARK", L"REMOVED");
}

void bookmarkClear() {
    clearBookmarks(bookmarkStore, currentFileKey);
    storeChanged();
    showMessageToast(L"BOOKMARK", L"CLEARED");
}
