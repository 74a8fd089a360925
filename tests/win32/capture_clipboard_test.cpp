#include <gtest/gtest.h>

#include <cstdio>

#include "input/capture.h"
#include "test_paths.h"

namespace {

// A 7 × 5 RGB PNG.
const unsigned char kSmallPng[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00,
    0x07, 0x00, 0x00, 0x00, 0x05, 0x08, 0x02, 0x00, 0x00, 0x00, 0x06, 0xF8, 0x61, 0x8F, 0x00, 0x00, 0x00, 0x11, 0x49,
    0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x38, 0x21, 0x17, 0x85, 0x89, 0x18, 0x68, 0x24, 0x0A, 0x00, 0x76, 0x3F, 0x2B,
    0xC1, 0x5A, 0xE5, 0x30, 0xBD, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

TEST(CaptureClipboard, PngBecomesABitmapOfItsSizeOnlyWhenAskedTo) {
    ScratchFolder folder(L"kivo-capture-test");
    std::wstring png = folder.file(L"frame.png");
    FILE* f = _wfopen(png.c_str(), L"wb");
    ASSERT_TRUE(f);
    fwrite(kSmallPng, 1, sizeof kSmallPng, f);
    fclose(f);

    int w = 0, h = 0;
    DWORD before = GetClipboardSequenceNumber();
    ASSERT_TRUE(copyImageToClipboard(png, nullptr, w, h, false));
    EXPECT_EQ(w * 100 + h, 705);
    EXPECT_EQ(GetClipboardSequenceNumber(), before);  // size only: the clipboard is left alone

    w = h = 0;
    ASSERT_TRUE(copyImageToClipboard(png, nullptr, w, h, true));
    ASSERT_TRUE(OpenClipboard(nullptr));
    BITMAP info = {};
    HANDLE bitmap = GetClipboardData(CF_BITMAP);
    bool read = bitmap && GetObjectW(bitmap, sizeof info, &info);
    CloseClipboard();
    ASSERT_TRUE(read);
    EXPECT_EQ(info.bmWidth * 100 + info.bmHeight, 705);

    EXPECT_FALSE(copyImageToClipboard(folder.file(L"missing.png"), nullptr, w, h, true));
}

}  // namespace
