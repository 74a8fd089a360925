// bookmarks.txt comes from disk and may hold anything: every time read is storable, every key
// is one non-empty line, and what is written reads back unchanged.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/bookmarks_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::vector<BookmarkEntry> store = parseBookmarks(std::string(reinterpret_cast<const char*>(data), size));
    std::string expected;  // the hand-written numbers are exactly what "%.3f" gives
    bool carriageReturn = false;
    char number[32];
    for (const BookmarkEntry& e : store) {
        if (!bookmarkTimeUsable(e.seconds) || e.fileKey.empty() || e.fileKey.find('\n') != std::string::npos) abort();
        carriageReturn |= e.fileKey.find('\r') != std::string::npos;
        snprintf(number, sizeof number, "%.3f", e.seconds);
        expected += std::string("T\t") + number + "\t" + e.fileKey + "\n";
    }
    std::string text = formatBookmarks(store);
    if (text != expected) abort();
    // A key ending in CR loses it on reading, as a CR LF line does; everything else reads back whole.
    if (!carriageReturn && formatBookmarks(parseBookmarks(text)) != text) abort();
    return 0;
}
