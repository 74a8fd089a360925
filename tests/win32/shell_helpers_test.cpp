#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/diaglog.h"
#include "app/textconv.h"
#include "test_paths.h"

namespace {

TEST(TextConversion, Utf8RoundTripAndEmptyCases) {
    const wchar_t* thai = L"\u0e40\u0e1b\u0e34\u0e14\u0e44\u0e1f\u0e25\u0e4c.mkv";
    std::string utf8 = toUtf8(thai);
    EXPECT_EQ(utf8.size(), 8u * 3 + 4);
    EXPECT_EQ(toWide(utf8), thai);
    EXPECT_EQ(toUtf8(L""), "");
    EXPECT_EQ(toUtf8(static_cast<const wchar_t*>(nullptr)), "");
    EXPECT_EQ(toWide(""), L"");
    EXPECT_EQ(toWide("a"), L"a");
    // A lone surrogate does not crash the conversion.
    std::wstring broken = L"x";
    broken += wchar_t(0xD800);
    EXPECT_FALSE(toUtf8(broken).empty());
}

TEST(FullPath, UrlsStayAndRelativePathsBecomeAbsolute) {
    EXPECT_EQ(fullPathOf(L"https://example.com/a b.mkv"), L"https://example.com/a b.mkv");
    EXPECT_EQ(fullPathOf(L"rtsp://cam/1"), L"rtsp://cam/1");
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    std::wstring expected = cwd;
    if (expected.back() != L'\\') expected += L'\\';
    EXPECT_EQ(fullPathOf(L"clip.mkv"), expected + L"clip.mkv");
    EXPECT_EQ(fullPathOf(L"C:\\a\\..\\b\\c.mp4"), L"C:\\b\\c.mp4");
    // Too long for the 520-character buffer: the path as given.
    std::wstring longPath = L"C:\\" + std::wstring(600, L'a');
    EXPECT_EQ(fullPathOf(longPath), longPath);
}

std::wstring logPath() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"kivoplayer-play.txt";
}

TEST(DiagnosticsLog, WritesOnlyWhenSwitchedOnOneLinePerCall) {
    DeleteFileW(logPath().c_str());
    logEnabled = false;
    diagLog("never %d", 1);
    EXPECT_FALSE(fileExists(logPath()));
    logEnabled = true;
    diagLog("first_paint_ms=%.1f", 12.34);
    diagLog("path=%ls %s", L"C:\\a.mkv", "\xe0\xb8\x81");
    diagLog("%s", std::string(5000, 'z').c_str());  // longer than a line: cut, still one line
    logEnabled = false;
    std::string text = readWholeFile(logPath());
    DeleteFileW(logPath().c_str());
    ASSERT_GE(text.size(), 40u);
    EXPECT_EQ(text.substr(0, 42), "first_paint_ms=12.3\npath=C:\\a.mkv \xe0\xb8\x81\nzzzz");
    EXPECT_EQ(text.back(), '\n');
    int lines = 0;
    for (char c : text) lines += c == '\n';
    EXPECT_EQ(lines, 3);
}

TEST(DiagnosticsLog, ProcessClockStartsAtProcessCreationAndAdvances) {
    double a = processMs();
    Sleep(30);
    double b = processMs();
    EXPECT_GT(a, 0.0);
    EXPECT_LT(a, 120000.0);
    EXPECT_GE(b - a, 20.0);
}

}  // namespace
