#include "panels/history.h"

#include <windows.h>

#include <vector>

#include "app/diaglog.h"
#include "app/mainwindow.h"
#include "app/textconv.h"
#include "panels/history_core.h"

namespace {

std::vector<HistoryEntry> watchHistory;
std::wstring historyFolder;

// Room for a media path in UTF-16 units, the terminating NUL included.
constexpr int kMediaPathRoom = 1024;

bool readSmallFile(const std::wstring& path, std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.resize(kResumeFileMaxBytes - 1);
    DWORD got = 0;
    bool ok = ReadFile(file, &bytes[0], DWORD(bytes.size()), &got, nullptr) != 0;
    CloseHandle(file);
    bytes.resize(ok ? got : 0);
    return ok;
}

// The media path of a resume file as UTF-16, when it converts and fits.
bool widePath(const std::string& utf8, std::wstring& wide) {
    if (utf8.empty()) return false;
    wchar_t buffer[kMediaPathRoom];
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), int(utf8.size()), buffer,
                                     kMediaPathRoom - 1);
    if (length <= 0) return false;
    wide.assign(buffer, length);
    return true;
}

uint64_t fileTimeValue(const FILETIME& t) { return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime; }

}  // namespace

void readWatchHistory(const std::wstring& folder) {
    watchHistory.clear();
    historyFolder = folder;
    if (folder.empty()) return;
    double t0 = processMs();
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE) return;
    // Only the newest entries are shown: the listing gives every file's time, so files are
    // opened newest first and the reading stops at the fourth entry taken.
    std::vector<std::wstring> names;
    std::vector<uint64_t> writeTimes;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (found.nFileSizeHigh || found.nFileSizeLow > kResumeFileMaxBytes) continue;
        names.emplace_back(found.cFileName);
        writeTimes.push_back(fileTimeValue(found.ftLastWriteTime));
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    std::string bytes;
    int opened = 0;
    for (size_t index : newestFirst(writeTimes, writeTimes.size())) {
        if (watchHistory.size() == kHistoryMaxEntries) break;
        ++opened;
        if (!readSmallFile(folder + L"\\" + names[index], bytes)) continue;
        ResumeFileEntry parsed;
        HistoryEntry entry;
        if (!parseResumeFile(bytes.data(), bytes.size(), parsed) || !widePath(parsed.mediaPath, entry.path)) continue;
        // Streams and media files moved or deleted since they were watched are left out.
        if (GetFileAttributesW(entry.path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        entry.name = displayNameOfPath(entry.path);
        entry.seconds = parsed.seconds;
        watchHistory.push_back(std::move(entry));
    }
    for (const HistoryEntry& entry : watchHistory)
        diagLog("history_entry name=%s seconds=%.1f", toUtf8(entry.name).c_str(), entry.seconds);
    diagLog("history_read entries=%d files=%d opened=%d ms=%.2f", int(watchHistory.size()), int(names.size()), opened,
            processMs() - t0);
    if (mainWindow) InvalidateRect(mainWindow, nullptr, FALSE);
}

void clearWatchHistory() {
    if (historyFolder.empty()) return;
    std::wstring folder = historyFolder;
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(listing, &found));
        FindClose(listing);
    }
    readWatchHistory(folder);
}

int historyCount() { return int(watchHistory.size()); }

const HistoryEntry& historyEntry(int index) { return watchHistory[size_t(index)]; }
