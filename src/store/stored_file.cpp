#include "store/stored_file.h"

#include <windows.h>
#include <io.h>

#include <cstdio>

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
    if (ok) ok = MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}
