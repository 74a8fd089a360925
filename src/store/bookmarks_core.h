// Bookmarks as data: the stored lines of bookmarks.txt and the rules for adding, walking and
// deleting the bookmarks of one file. No platform headers.
#pragma once
#include <string>
#include <vector>

struct BookmarkEntry {
    std::string fileKey;  // the engine's "path" of the file, never empty
    double seconds;
};

constexpr int kMaxBookmarksPerFile = 200;
constexpr double kBookmarkMinGap = 1.0;       // two bookmarks of a file are never closer when added
constexpr double kPreviousBookmarkMargin = 0.8;  // a jump back from just after a bookmark skips it
constexpr double kNextBookmarkMargin = 0.5;

// A time that can be stored and shown as hours, minutes and seconds.
bool bookmarkTimeUsable(double seconds);

// The entries of a bookmarks file in file order; malformed lines and unusable times are left out.
std::vector<BookmarkEntry> parseBookmarks(const std::string& text);
// The whole file for a store: one "T<TAB>seconds<TAB>key" line per entry, LF endings.
std::string formatBookmarks(const std::vector<BookmarkEntry>& store);

// The times of one file, ascending.
std::vector<double> bookmarksOf(const std::vector<BookmarkEntry>& store, const std::string& key);

// Appends a bookmark at `seconds` and returns its index among the file's sorted times, or -1
// when refused (no key, a key that cannot be stored on one line, an unusable time, the file
// full, or a bookmark nearer than the minimum gap).
int addBookmark(std::vector<BookmarkEntry>& store, const std::string& key, double seconds);
// Index into `sorted` of the bookmark to jump to from `now`, or -1.
int previousBookmark(const std::vector<double>& sorted, double now);
int nextBookmark(const std::vector<double>& sorted, double now);
// Removes the file's bookmark with this index in its sorted list; false when out of range.
bool deleteBookmark(std::vector<BookmarkEntry>& store, const std::string& key, int index);
void clearBookmarks(std::vector<BookmarkEntry>& store, const std::string& key);
