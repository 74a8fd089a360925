// Real files for tests under Wine.
#pragma once
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A fresh folder under the temporary folder, removed with its files by the destructor.
struct ScratchFolder {
    std::wstring path;
    std::error_code ignored;
    explicit ScratchFolder(const wchar_t* name) : path((std::filesystem::temp_directory_path() / name).wstring()) {
        std::filesystem::remove_all(path, ignored);
        std::filesystem::create_directory(path, ignored);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path, ignored); }
    std::wstring file(const wchar_t* name) const { return path + L"\\" + name; }
};

inline std::string readWholeFile(const std::wstring& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(std::filesystem::path(path), std::ios::binary).rdbuf();
    return bytes.str();
}

inline void writeWholeFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

inline bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
