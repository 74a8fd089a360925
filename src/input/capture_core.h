// Names of saved frames, made from the media's file name and the position. No platform headers.
#pragma once
#include <string>

// The media name with every character Windows refuses in a file name (the nine reserved
// punctuation marks and the control characters) replaced by an underscore.
std::wstring captureBaseName(const std::wstring& mediaName);

// " h-mm-ss" for the position; a position that is not a finite number of seconds in range is 0.
std::wstring captureStamp(double seconds);

// folder\name stamp.png for n < 2, else folder\name stamp (n).png.
std::wstring capturePath(const std::wstring& folder, const std::wstring& name, const std::wstring& stamp, int n);

// A text longer than 36 characters becomes "…" and its last 35.
std::wstring shortenForToast(const std::wstring& text);
// The text after the last backslash, shortened for a toast.
std::wstring shortCaptureName(const std::wstring& path);

// Longest full path the program hands to the file system for a saved frame (MAX_PATH less the
// terminating NUL): a longer one is refused rather than written somewhere else.
constexpr size_t kMaxCapturePath = 259;
