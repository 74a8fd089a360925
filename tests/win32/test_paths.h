// Helpers for tests that need real files under Wine.
#pragma once
#include <windows.h>

#include <string>

// A fresh folder under the temporary folder, removed with its files by the destructor.
struct ScratchFolder {
    std::wstring path;
    explicit ScratchFolder(const wchar_t* name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path = std::wstring(temp) + name;
        clear();
        CreateDirectoryW(path.c_str(), nullptr);
    }
    ~ScratchFolder() { clear(); }
    std::wstring file(const wchar_t* name) const { return path + L"\\" + name; }
    void clear() {
        WIN32_FIND_DATAW found;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring item = path + L"\\" + found.cFileName;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveDirectoryW(item.c_str());
                else DeleteFileW(item.c_str());
            } while (FindNextFileW(h, &found));
            FindClose(h);
        }
        RemoveDirectoryW(path.c_str());
    }
};

std::string readWholeFile(const std::wstring& path);
void writeWholeFile(const std::wstring& path, const std::string& bytes);
bool fileExists(const std::wstring& path);
