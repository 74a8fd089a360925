#include "store/bookmarks_core.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kSameTime = 0.0005;  // times are stored with three decimals

// The time as the file keeps it, so that what is in memory reads back from the file unchanged.
double toMilliseconds(double seconds) {
    double rounded = std::round(seconds * 1000.0) / 1000.0;
    return rounded == 0 ? 0.0 : rounded;  // no "-0.000" in the file
}

// The time field as the C library's atof reads a decimal number, the same on every platform:
// an empty or non-numeric text is 0, but "nan" and "inf" (in any case) are not times at all.
double readSeconds(const std::string& field) {
    size_t i = field.find_first_not_of(" \t\r\v\f");
    if (i == std::string::npos) return 0;
    size_t start = i;
    if (field[i] == '+' || field[i] == '-') ++i;
    auto startsWith = [&](const char* word) {
        for (size_t k = 0; word[k]; ++k)
            if (i + k >= field.size() || (field[i + k] | 0x20) != word[k]) return false;
        return true;
    };
    if (startsWith("nan") || startsWith("inf")) return std::nan("");
    auto digits = [&] {
        size_t from = i;
        while (i < field.size() && field[i] >= '0' && field[i] <= '9') ++i;
        return i > from;
    };
    bool whole = digits();
    bool fraction = false;
    if (i < field.size() && field[i] == '.') {
        ++i;
        fraction = digits();
    }
    if (!whole && !fraction) return 0;
    size_t end = i;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        ++i;
        if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
        if (digits()) end = i;
    }
    return strtod(field.substr(start, end - start).c_str(), nullptr);
}

// "%.3f" of a stored time, written by hand: a file of 100,000 lines is rewritten on every
// change, and the C library's double formatting is most of that cost on some platforms.
void appendSeconds(std::string& text, double seconds) {
    if (!bookmarkTimeUsable(seconds)) {
        char number[32];
        snprintf(number, sizeof number, "%.3f", seconds);
        text += number;
        return;
    }
    long long ms = llround(seconds * 1000.0);
    char digits[24];
    int n = 0;
    for (int i = 0; i < 3 || ms > 0; ++i) {
        digits[n++] = char('0' + ms % 10);
        ms /= 10;
        if (i == 2) digits[n++] = '.';
    }
    if (digits[n - 1] == '.') digits[n++] = '0';
    while (n > 0) text += digits[--n];
}

}  // namespace

// Whole hours of anything at or above 2^31 seconds do not fit the labels' integers.
bool bookmarkTimeUsable(double seconds) { return std::isfinite(seconds) && seconds >= 0 && seconds < 2147483648.0; }

std::vector<BookmarkEntry> parseBookmarks(const std::string& text) {
    std::vector<BookmarkEntry> store;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() <= 3 || line[0] != 'T' || line[1] != '\t') continue;
        size_t tab = line.find('\t', 2);
        if (tab == std::string::npos || tab + 1 >= line.size()) continue;
        double seconds = toMilliseconds(readSeconds(line.substr(2, tab - 2)));
        if (!bookmarkTimeUsable(seconds)) continue;
        store.push_back({line.substr(tab + 1), seconds});
    }
    return store;
}

std::string formatBookmarks(const std::vector<BookmarkEntry>& store) {
    std::string text;
    text.reserve(store.size() * 64);
    for (const BookmarkEntry& entry : store) {
        text += "T\t";
        appendSeconds(text, entry.seconds);
        text += '\t';
        text += entry.fileKey;
        text += '\n';
    }
    return text;
}

std::vector<double> bookmarksOf(const std::vector<BookmarkEntry>& store, const std::string& key) {
    std::vector<double> times;
    for (const BookmarkEntry& entry : store)
        if (entry.fileKey == key) times.push_back(entry.seconds);
    std::sort(times.begin(), times.end());
    return times;
}

int addBookmark(std::vector<BookmarkEntry>& store, const std::string& key, double seconds) {
    // A line break in the key would split the line: the bookmark would come back under
    // another key, or not at all.
    seconds = toMilliseconds(seconds);
    if (key.empty() || key.find_first_of("\r\n") != std::string::npos || !bookmarkTimeUsable(seconds)) return -1;
    std::vector<double> times = bookmarksOf(store, key);
    if (int(times.size()) >= kMaxBookmarksPerFile) return -1;
    for (double t : times)
        if (std::fabs(t - seconds) < kBookmarkMinGap) return -1;
    store.push_back({key, seconds});
    times.insert(std::upper_bound(times.begin(), times.end(), seconds), seconds);
    for (size_t i = 0; i < times.size(); ++i)
        if (std::fabs(times[i] - seconds) < kSameTime) return int(i);
    return -1;
}

int previousBookmark(const std::vector<double>& sorted, double now) {
    for (int i = int(sorted.size()) - 1; i >= 0; --i)
        if (sorted[i] < now - kPreviousBookmarkMargin) return i;
    return -1;
}

int nextBookmark(const std::vector<double>& sorted, double now) {
    for (size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] > now + kNextBookmarkMargin) return int(i);
    return -1;
}

bool deleteBookmark(std::vector<BookmarkEntry>& store, const std::string& key, int index) {
    std::vector<double> times = bookmarksOf(store, key);
    if (index < 0 || index >= int(times.size())) return false;
    double target = times[index];
    for (auto it = store.begin(); it != store.end(); ++it) {
        if (it->fileKey == key && std::fabs(it->seconds - target) < kSameTime) {
            store.erase(it);
            return true;
        }
    }
    return false;
}

void clearBookmarks(std::vector<BookmarkEntry>& store, const std::string& key) {
    store.erase(std::remove_if(store.begin(), store.end(), [&](const BookmarkEntry& e) { return e.fileKey == key; }),
                store.end());
}
