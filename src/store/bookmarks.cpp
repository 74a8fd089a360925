#include "store/bookmarks.h"

namespace {
std::wstring bookmarksPath;
}

void setBookmarksPath(const std::wstring& path) { bookmarksPath = path; }

void bookmarkAdd() {}
void bookmarkPrev() {}
void bookmarkNext() {}
void bookmarkDelete(int) {}
void bookmarkClear() {}
void showBookmarksMenu() {}
void setCurrentBookmarkFile(const char*) {}
void refreshBookmarkMarkers() {}
