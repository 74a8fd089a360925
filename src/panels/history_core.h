// Reading the engine's resume files for the watch history; no platform headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Resume files larger than this are not history entries; at most one byte less is read.
constexpr size_t kResumeFileMaxBytes = 8192;
// Entries shown on the start screen.
constexpr size_t kHistoryMaxEntries = 4;
// Positions below this many seconds are not worth resuming.
constexpr double kHistoryMinSeconds = 5.0;

// What one resume file says: the media path (UTF-8, as written on its first line) and the
// position to resume at.
struct ResumeFileEntry {
    std::string mediaPath;
    double seconds = 0;
};

// Parses the first bytes of a resume file (up to a NUL or `size`). False when the file is not
// a listable entry: no "# <path>" first line, a redirect entry, no position line, or a
// position below five seconds, not finite, or too large to show as hours:minutes:seconds.
bool parseResumeFile(const char* data, size_t size, ResumeFileEntry& entry);

// Indexes of the newest `limit` of these last-write times, newest first; equal times keep
// their listing order.
std::vector<size_t> newestFirst(const std::vector<uint64_t>& writeTimes, size_t limit);

// The part of a path after its last backslash, or the whole path.
std::wstring displayNameOfPath(const std::wstring& path);


// A resume position as "1:02:03" (negative and not-a-number times as 0, at most 99,999 hours),
// for the history rows and the resume toast.
std::string resumeTimeText(double seconds);
