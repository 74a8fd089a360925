#include "store/stored_file.h"

#include <windows.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

#include "app/diaglog.h"
#include "app/startup.h"

namespace {

// Development aid: tests kill the process while the new text waits in the temporary file, and
// check that the old file is still whole.
void pauseBeforeReplacing(const std::wstring& temp) {
    if (!testMode) return;
    char text[16];
    DWORD n = GetEnvironmentVariableA("KIVOPLAYER_SAVE_PAUSE", text, sizeof text);
    if (n == 0 || n >= sizeof text) return;
    diagLog("stored_file_paused %ls", temp.c_str());
    Sleep(DWORD(atoi(text)));
}

}  // namespace

bool readStoredFile(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return false;
    char block[4096];
    size_t got;
    while ((got = fread(block, 1, sizeof block, f)) > 0) bytes.append(block, got);
    fclose(f);
    return true;
}

bool writeStoredFile(const std::wstring& path, const std::string& bytes) {
    if (path.empty()) return false;
    std::wstring temp = path + L".tmp";
    FILE* f = _wfopen(temp.c_str(), L"wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = fflush(f) == 0 && ok;
    // On the disk before the move: a power cut just after a save must not leave the new name on
    // an empty file. Devices (a test's /dev/full) cannot be flushed and have failed already.
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(f)));
    if (ok && handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK)
        ok = FlushFileBuffers(handle) != 0;
    ok = fclose(f) == 0 && ok;
    pauseBeforeReplacing(temp);
    if (ok) ok = MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}
