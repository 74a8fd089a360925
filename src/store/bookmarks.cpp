#include "store/bookmarks.h"

namespace {
std::wstring bookmarksPath;
}

void setBookmarksPath(const std::wstring& path) { bookmarksPath = path; }
