#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/diaglog.h"
#include "app/textconv.h"
#include "test_paths.h"

namespace {

TEST(TextAndPaths, Utf8RoundTripUrlsStayAndRelativePathsBecomeAbsolute) {
    const wchar_t* thai = L"\u0e40\u0e1b\u0e34\u0e14\u0e44\u0e1f\u0e25\u0e4c.mkv";
    EXPECT_EQ(toUtf8(thai).size(), 8u * 3 + 4);
    EXPECT_EQ(toWide(toUtf8(thai)), thai);
    EXPECT_EQ(toUtf8(static_cast<const wchar_t*>(nullptr)) + toUtf8(std::wstring(L"x") + wchar_t(0xD800)).substr(0, 1), "x");
    std::wstring longPath = L"C:\\" + std::wstring(600, L'a');  // too long for the buffer: as given
    for (const std::wstring& kept : {std::wstring(L"https://example.com/a b.mkv"), std::wstring(L"rtsp://cam/1"), longPath})
        EXPECT_EQ(fullPathOf(kept), kept);
    EXPECT_EQ(fullPathOf(L"C:\\a\\..\\b\\c.mp4"), L"C:\\b\\c.mp4");
    std::wstring cwd = std::filesystem::current_path().wstring();
    EXPECT_EQ(fullPathOf(L"clip.mkv"), cwd + (cwd.back() == L'\\' ? L"" : L"\\") + L"clip.mkv");
}

TEST(DiagnosticsLog, WritesOnlyWhenSwitchedOnOneLinePerCall) {
    std::wstring log = (std::filesystem::temp_directory_path() / L"kivoplayer-play.txt").wstring();
    DeleteFileW(log.c_str());
    diagLog("never %d", 1);
    EXPECT_FALSE(fileExists(log));
    logEnabled = true;
    diagLog("first_paint_ms=%.1f", 12.34);
    diagLog("path=%ls %s", L"C:\\a.mkv", "\xe0\xb8\x81");
    diagLog("%s", std::string(5000, 'z').c_str());  // longer than a line: cut, still one line
    logEnabled = false;
    std::string text = readWholeFile(log);
    DeleteFileW(log.c_str());
    EXPECT_EQ(text.substr(0, 42), "first_paint_ms=12.3\npath=C:\\a.mkv \xe0\xb8\x81\nzzzz");
    EXPECT_TRUE(std::count(text.begin(), text.end(), '\n') == 3 && text.back() == '\n');
}

TEST(DiagnosticsLog, ProcessClockStartsAtProcessCreationAndAdvances) {
    double start = processMs();
    Sleep(30);
    EXPECT_TRUE(start > 0.0 && start < 120000.0 && processMs() - start >= 20.0) << start;
}

}  // namespace
