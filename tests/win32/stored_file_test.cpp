#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "panels/language.h"
#include "store/settings.h"
#include "store/stored_file.h"
#include "test_paths.h"

std::string readWholeFile(const std::wstring& path) {
    std::string bytes;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char chunk[4096];
        size_t n;
        while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
        fclose(f);
    }
    return bytes;
}

void writeWholeFile(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// By directory entry: a link to a device has a name but no attributes under Wine.
bool fileExists(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW(path.c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return false;
    FindClose(h);
    return true;
}

namespace {

// The fixture script's folder, as the Windows side sees it (Z: is the Unix root).
std::wstring fullDiskFolder(const wchar_t* sub) {
    const char* dir = getenv("KIVO_FULL_DIR");
    if (!dir) return {};
    std::wstring path = L"Z:";
    for (const char* p = dir; *p; ++p) path += *p == '/' ? L'\\' : wchar_t(*p);
    return path + L"\\" + sub;
}

TEST(StoredFile, ReplacesTheOldFileWholeAndLeavesNoTemporary) {
    ScratchFolder dir(L"kivo-stored-1");
    std::wstring path = dir.file(L"settings.ini");
    writeWholeFile(path, "seek=30\nvolume=10\nhide=2500\n");
    ASSERT_TRUE(writeStoredFile(path, "seek=5\n"));
    EXPECT_EQ(readWholeFile(path), "seek=5\n");
    EXPECT_FALSE(fileExists(path + L".tmp"));
}

TEST(StoredFile, FullDeviceKeepsTheOldFile) {
    std::wstring folder = fullDiskFolder(L"devfull");
    if (folder.empty() || !fileExists(folder + L"\\big.ini.tmp") || !fileExists(folder + L"\\small.ini.tmp"))
        GTEST_SKIP() << "the full-disk fixture did not run";
    // Larger than any buffer, so a write call itself fails.
    std::wstring big = folder + L"\\big.ini";
    EXPECT_FALSE(writeStoredFile(big, std::string(64 * 1024, 'x')));
    EXPECT_EQ(readWholeFile(big), "seek=30\n");
    // A short text is only refused when the buffer is flushed.
    std::wstring small = folder + L"\\small.ini";
    EXPECT_FALSE(writeStoredFile(small, "seek=5\n"));
    EXPECT_EQ(readWholeFile(small), "seek=30\n");
    // Wine will not delete a name that leads to a device, so the temporary link stays here;
    // the full file system below shows the temporary file removed.
}

TEST(StoredFile, FullFileSystemKeepsTheOldFile) {
    std::wstring folder = fullDiskFolder(L"tmpfs");
    if (folder.empty() || !fileExists(folder + L"\\filler"))
        GTEST_SKIP() << "no small file system could be mounted here";
    std::wstring path = folder + L"\\settings.ini";
    EXPECT_FALSE(writeStoredFile(path, "seek=5\nvolume=5\nhide=2500\nsublang=0\n"));
    EXPECT_EQ(readWholeFile(path), "seek=30\n");
    EXPECT_FALSE(fileExists(path + L".tmp"));
    // The language template goes through the same writer: refused, and nothing half written.
    std::wstring pack = folder + L"\\template.ini";
    EXPECT_FALSE(writePackTemplate(pack));
    EXPECT_FALSE(fileExists(pack));
    EXPECT_FALSE(fileExists(pack + L".tmp"));
}

TEST(StoredFile, ReadOnlyFolderKeepsTheOldFile) {
    std::wstring folder = fullDiskFolder(L"readonly");
    if (folder.empty() || !fileExists(folder + L"\\settings.ini"))
        GTEST_SKIP() << "no read-only file system could be mounted here";
    std::wstring path = folder + L"\\settings.ini";
    EXPECT_FALSE(writeStoredFile(path, "seek=5\n"));
    EXPECT_EQ(readWholeFile(path), "seek=30\n");
    EXPECT_FALSE(writePackTemplate(folder + L"\\template.ini"));
}

TEST(StoredFile, UnwritablePlacesChangeNothing) {
    ScratchFolder dir(L"kivo-stored-2");
    // The temporary name is taken by a folder: nothing can be opened there.
    std::wstring path = dir.file(L"settings.ini");
    writeWholeFile(path, "seek=30\n");
    CreateDirectoryW((path + L".tmp").c_str(), nullptr);
    EXPECT_FALSE(writeStoredFile(path, "seek=5\n"));
    EXPECT_EQ(readWholeFile(path), "seek=30\n");
    RemoveDirectoryW((path + L".tmp").c_str());
    // The target is a folder: the move fails, and the written temporary file is removed.
    std::wstring blocked = dir.file(L"blocked.ini");
    CreateDirectoryW(blocked.c_str(), nullptr);
    EXPECT_FALSE(writeStoredFile(blocked, "seek=5\n"));
    EXPECT_FALSE(fileExists(blocked + L".tmp"));
    // A folder that does not exist.
    EXPECT_FALSE(writeStoredFile(dir.file(L"missing\\settings.ini"), "seek=5\n"));
    EXPECT_FALSE(writeStoredFile(L"", "seek=5\n"));
}

TEST(SettingsStore, LoadSaveRoundTripThroughTheFile) {
    ScratchFolder dir(L"kivo-settings");
    std::wstring path = dir.file(L"settings.ini");
    writeWholeFile(path, "seek=700\r\nvolume=10\r\nresume=2\r\nlang=th\r\nSeek=9\r\n");
    loadSettings(path.c_str());
    EXPECT_EQ(appSettings().seek, 5u);
    EXPECT_EQ(appSettings().volume, 10u);
    EXPECT_STREQ(appSettings().lang, "th");
    ASSERT_TRUE(saveSettings());
    EXPECT_EQ(readWholeFile(path),
              "seek=5\nvolume=10\nhide=2500\nsublang=0\nresume=1\nautoqueue=0\nsingle=1\nhwdec=1\n"
              "boost=1\nlang=th\nshotdir=\n");
    // A missing file gives the defaults; no path means nothing is ever written.
    loadSettings(dir.file(L"none.ini").c_str());
    EXPECT_EQ(appSettings().volume, 5u);
    loadSettings(nullptr);
    EXPECT_FALSE(saveSettings());
}

}  // namespace
