// bookmarks.txt comes from disk and may hold anything: every time read is storable, every key
// is one non-empty line, and what is written reads back unchanged.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/bookmarks_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::vector<BookmarkEntry> store = parseBookmarks(std::string(reinterpret_cast<const char*>(data), size));
    bool carriageReturn = false;
    for (const BookmarkEntry& e : store) {
        if (!bookmarkTimeUsable(e.seconds) || e.fileKey.empty() || e.fileKey.find('\n') != std::string::npos) abort();
        carriageReturn |= e.fileKey.find('\r') != std::string::npos;
    }
    std::string text = formatBookmarks(store);
    // The hand-written number is exactly what "%.3f" gives.
    std::string expected;
    char number[32];
    for (const BookmarkEntry& e : store) {
        snprintf(number, sizeof number, "%.3f", e.seconds);
        expected += std::string("T\t") + number + "\t" + e.fileKey + "\n";
    }
    if (text != expected) abort();
    std::vector<BookmarkEntry> again = parseBookmarks(text);
    // A key ending in CR loses it, as a CR LF line does; every other key survives whole.
    if (!carriageReturn) {
        if (again.size() != store.size()) abort();
        for (size_t i = 0; i < store.size(); ++i)
            if (again[i].fileKey != store[i].fileKey || again[i].seconds != store[i].seconds) abort();
    }
    if (!store.empty()) {
        std::string key = store.front().fileKey;
        std::vector<double> times = bookmarksOf(store, key);
        int index = addBookmark(store, key, times.empty() ? 0 : times.back() + 1.0);
        if (index >= 0 && !deleteBookmark(store, key, index)) abort();
    }
    return 0;
}
