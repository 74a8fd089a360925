#include <gtest/gtest.h>

#include <cstdlib>

#include "panels/language.h"
#include "store/stored_file.h"
#include "test_paths.h"

namespace {

// A folder prepared by full-disk.sh, as the Windows side sees it (Z: is the Unix root), or
// empty when the file it should hold is missing.
std::wstring preparedFolder(const wchar_t* sub, const wchar_t* mustHold) {
    const char* dir = getenv("KIVO_FULL_DIR");
    std::wstring path = L"Z:";
    for (const char* p = dir ? dir : ""; *p; ++p) path += *p == '/' ? L'\\' : wchar_t(*p);
    path += std::wstring(L"\\") + sub;
    return dir && fileExists(path + L"\\" + mustHold) ? path : std::wstring();
}

// A write that fails keeps the old file whole and reports the failure. The language template
// goes through the same writer: refused, and nothing half written.
TEST(StoredFile, FullAndReadOnlyFileSystemsKeepTheOldFile) {
    for (const wchar_t* sub : {L"tmpfs", L"readonly"}) {
        std::wstring folder = preparedFolder(sub, L"settings.ini");
        if (folder.empty()) GTEST_SKIP() << "no small file system could be mounted here";
        std::wstring path = folder + L"\\settings.ini", pack = folder + L"\\template.ini";
        EXPECT_FALSE(writeStoredFile(path, "seek=5\nvolume=5\nhide=2500\nsublang=0\n"));
        EXPECT_EQ(readWholeFile(path), "seek=30\n");
        EXPECT_FALSE(writePackTemplate(pack));
        for (const std::wstring& gone : {path + L".tmp", pack, pack + L".tmp"}) EXPECT_FALSE(fileExists(gone));
    }
}

TEST(StoredFile, ReplacesTheOldFileWholeAndUnwritablePlacesChangeNothing) {
    ScratchFolder dir(L"kivo-stored");
    std::wstring path = dir.file(L"settings.ini"), blocked = dir.file(L"blocked.ini");
    writeWholeFile(path, "seek=20\nvolume=10\nhide=2500\n");
    ASSERT_TRUE(writeStoredFile(path, "seek=30\n"));
    EXPECT_TRUE(readWholeFile(path) == "seek=30\n" && !fileExists(path + L".tmp"));
    CreateDirectoryW((path + L".tmp").c_str(), nullptr);  // nothing can be opened as the temporary file
    EXPECT_FALSE(writeStoredFile(path, "seek=5\n"));
    EXPECT_EQ(readWholeFile(path), "seek=30\n");
    CreateDirectoryW(blocked.c_str(), nullptr);  // the move fails: the written temporary file goes
    EXPECT_FALSE(writeStoredFile(blocked, "seek=5\n"));
    EXPECT_FALSE(fileExists(blocked + L".tmp"));
    EXPECT_FALSE(writeStoredFile(dir.file(L"missing\\settings.ini"), "seek=5\n") || writeStoredFile(L"", "x"));
}

}  // namespace
