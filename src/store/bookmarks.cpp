#include "store/bookmarks.h"

namespace {
std::wstring bookmarksPath;
std::vector<double> currentBookmarks;
}

void setBookmarksPath(const std::wstring& path) { bookmarksPath = path; }

void bookmarkAdd() {}
void bookmarkPrev() {}
void bookmarkNext() {}
void bookmarkDelete(int) {}
void bookmarkClear() {}
void setCurrentBookmarkFile(const char*) {}
void refreshBookmarkMarkers() {}
const std::vector<double>& currentBookmarkList() { return currentBookmarks; }
