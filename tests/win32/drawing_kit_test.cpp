#include <gtest/gtest.h>

#include <string>

#include "osd/drawing_kit.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

// Raw premultiplied ARGB of one canvas pixel.
uint32_t canvasPixel(const Canvas& canvas, int x, int y) {
    if (canvas.graphics) GdipFlush(canvas.graphics, FlushIntentionSync);
    Rect all(0, 0, canvas.width, canvas.height);
    BitmapData data = {};
    if (GdipBitmapLockBits(canvas.bitmap, &all, ImageLockModeRead, PixelFormat32bppPARGB, &data) != Ok) return 0xDEADBEEF;
    uint32_t value = static_cast<const uint32_t*>(data.Scan0)[y * (data.Stride / 4) + x];
    GdipBitmapUnlockBits(canvas.bitmap, &data);
    return value;
}

// Pixels of the canvas with any alpha at all.
int coveredPixels(const Canvas& canvas) {
    int n = 0;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x) n += (canvasPixel(canvas, x, y) >> 24) != 0;
    return n;
}

namespace {

class DrawingKit : public ::testing::Test {
protected:
    void SetUp() override {
        InitDrawingKit();
        SetUiScale(1.0f);
    }
    void TearDown() override { SetUiScale(1.0f); }
};

// The test program has no fonts folder beside it: the kit starts on its stand-ins, and a
// second start changes nothing.
TEST_F(DrawingKit, StartsOnceAndDrawsTextWithoutTheFontFolder) {
    GpFont* fonts[] = {UiFont(), MonoFont(), MonoFontLarge(), MonoFontSmall()};
    InitDrawingKit();
    EXPECT_EQ(UiFont(), fonts[0]);
    EXPECT_EQ(MonoFont(), fonts[1]);
    EXPECT_EQ(MonoFontLarge(), fonts[2]);
    EXPECT_EQ(MonoFontSmall(), fonts[3]);
    for (GpFont* font : fonts) {
        ASSERT_NE(font, nullptr);
        EXPECT_FALSE(FontFamilyNameOf(font).empty());
        Canvas canvas(60, 20);
        DrawTextBox(canvas.graphics, L"VOL 95%", font, TextBright(255), 0, 0, 60, 20, kAlignNear);
        EXPECT_GT(coveredPixels(canvas), 10) << std::string(FontFamilyNameOf(font).begin(), FontFamilyNameOf(font).end());
    }
    float size = 0;
    GdipGetFontSize(MonoFontLarge(), &size);
    EXPECT_EQ(size, 15.0f);
    Unit unit = UnitWorld;
    GdipGetFontUnit(MonoFontSmall(), &unit);
    EXPECT_EQ(unit, UnitPixel);
}

TEST_F(DrawingKit, PrivateFontFilesGiveTheirFamiliesAndAMissingFolderTheStandIns) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder = folder.substr(0, folder.rfind(L'\\')) + L"\\bin\\fonts\\";
    if (GetFileAttributesW((folder + L"ChakraPetch-Medium.ttf").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no fonts folder in the build";
    FontFamilies own = LoadFontFamilies(folder);
    EXPECT_EQ(FamilyName(own.ui).substr(0, 12), L"Chakra Petch");
    EXPECT_EQ(FamilyName(own.mono), L"Share Tech Mono");

    FontFamilies standIns = LoadFontFamilies(L"C:\\no such folder\\fonts\\");
    ASSERT_NE(standIns.ui, nullptr);
    ASSERT_NE(standIns.mono, nullptr);
    EXPECT_NE(FamilyName(standIns.ui).substr(0, 12), L"Chakra Petch");
    EXPECT_NE(FamilyName(standIns.mono), L"Share Tech Mono");
}

TEST_F(DrawingKit, CanvasIsPremultipliedTransparentAndScaled) {
    Canvas canvas(ScalePx(40), ScalePx(20));
    ASSERT_NE(canvas.graphics, nullptr);
    EXPECT_EQ(canvasPixel(canvas, 5, 5), 0u);
    FillBox(canvas.graphics, PanelNavy, 0, 0, 10, 10);
    uint32_t navy = canvasPixel(canvas, 5, 5);
    EXPECT_EQ(navy >> 24, 0xE2u);
    // Premultiplied: each colour channel is the straight value times 0xE2 / 255.
    EXPECT_NEAR(int(navy >> 16 & 0xFF), 0x05 * 0xE2 / 255, 1);
    EXPECT_NEAR(int(navy >> 8 & 0xFF), 0x14 * 0xE2 / 255, 1);
    EXPECT_NEAR(int(navy & 0xFF), 0x1F * 0xE2 / 255, 1);
    EXPECT_EQ(canvasPixel(canvas, 10, 5), 0u);

    SetUiScale(2.0f);
    Canvas twice(ScalePx(40), ScalePx(20));
    EXPECT_EQ(twice.width, 80);
    FillBox(twice.graphics, PanelNavy, 0, 0, 10, 10);
    EXPECT_EQ(canvasPixel(twice, 19, 19) >> 24, 0xE2u);
    EXPECT_EQ(canvasPixel(twice, 20, 19), 0u);
    EXPECT_EQ(canvasPixel(twice, 19, 20), 0u);
}

TEST_F(DrawingKit, OutlineLiesInsideTheBoxOnWholePixels) {
    for (float scale : {1.0f, 2.0f}) {
        SetUiScale(scale);
        int line = ScalePx(1);
        Canvas canvas(ScalePx(30), ScalePx(20));
        OutlineBox(canvas.graphics, AccentCyan(255), 0, 0, 30, 20);
        for (int i = 0; i < line; ++i) {
            EXPECT_EQ(canvasPixel(canvas, 15 * line, i), 0xFF00E5FFu) << scale;            // top
            EXPECT_EQ(canvasPixel(canvas, i, 10 * line), 0xFF00E5FFu) << scale;            // left
            EXPECT_EQ(canvasPixel(canvas, canvas.width - 1 - i, 10 * line), 0xFF00E5FFu);  // right
            EXPECT_EQ(canvasPixel(canvas, 15 * line, canvas.height - 1 - i), 0xFF00E5FFu); // bottom
        }
        EXPECT_EQ(canvasPixel(canvas, 15 * line, line), 0u) << scale;
        EXPECT_EQ(canvasPixel(canvas, line, 10 * line), 0u) << scale;
    }
}

TEST_F(DrawingKit, GlowAndGradientAndShapes) {
    Canvas canvas(40, 40);
    const PointF corner[3] = {PointF(1, 9), PointF(1, 1), PointF(9, 1)};
    GlowPolyline(canvas.graphics, AccentCyan(255), corner);
    EXPECT_EQ(canvasPixel(canvas, 1, 5) >> 24, 0xFFu);  // the bright core
    uint32_t halo = canvasPixel(canvas, 4, 5) >> 24;   // only the wide, faint passes reach here
    EXPECT_GT(halo, 0u);
    EXPECT_LT(halo, 0xFFu);
    EXPECT_EQ(canvasPixel(canvas, 20, 20), 0u);

    Canvas gradient(10, 100);
    GradientFill(gradient.graphics, 0, 0, 10, 100, PointF(0, 0), PointF(0, 100));
    uint32_t top = canvasPixel(gradient, 5, 0), bottom = canvasPixel(gradient, 5, 99);
    EXPECT_EQ(top >> 24, 0xFFu);
    EXPECT_NEAR(int(top >> 16 & 0xFF), 0x3F, 3);
    EXPECT_NEAR(int(bottom >> 16 & 0xFF), 0x00, 3);
    EXPECT_NEAR(int(bottom >> 8 & 0xFF), 0xB8, 3);

    Canvas shapes(20, 20);
    const PointF triangle[3] = {PointF(0, 0), PointF(20, 0), PointF(0, 20)};
    FillPolygonSolid(shapes.graphics, GlyphNavy, triangle, 3);
    EXPECT_EQ(canvasPixel(shapes, 3, 3), GlyphNavy);
    EXPECT_EQ(canvasPixel(shapes, 17, 17), 0u);
    // Where a one-pixel line lands exactly depends on anti-aliasing (Wine rounds it to a whole
    // pixel row); it must be there, opaque, and nowhere else.
    const PointF line[2] = {PointF(0, 15.5f), PointF(20, 15.5f)};
    DrawPolyline(shapes.graphics, AmberWarn(255), 1, line, 2);
    int rows = 0;
    for (int y = 14; y <= 16; ++y) rows += canvasPixel(shapes, 10, y) == AmberWarn(255);
    EXPECT_GE(rows, 1);
    EXPECT_EQ(canvasPixel(shapes, 10, 12), 0u);
    EXPECT_EQ(canvasPixel(shapes, 10, 19), 0u);
}

TEST_F(DrawingKit, TextIsMeasuredUnscaledAndNothingFailsOnEmptyInput) {
    SizeF one = MeasureText(L"SPEED", MonoFontSmall());
    EXPECT_GT(one.Width, 10.0f);
    SetUiScale(2.0f);
    SizeF two = MeasureText(L"SPEED", MonoFontSmall());
    EXPECT_FLOAT_EQ(one.Width, two.Width);
    EXPECT_EQ(MeasureText(L"", MonoFont()).Width, 0.0f);
    EXPECT_EQ(MeasureText(nullptr, MonoFont()).Width, 0.0f);
    EXPECT_EQ(MeasureText(L"x", nullptr).Width, 0.0f);
    Canvas canvas(20, 20);
    DrawTextBox(canvas.graphics, L"x", nullptr, TextBright(255), 0, 0, 20, 20, kAlignFar);
    DrawTextBox(nullptr, L"x", MonoFont(), TextBright(255), 0, 0, 20, 20, kAlignFar);
    FillBox(nullptr, PanelNavy, 0, 0, 1, 1);
    EXPECT_EQ(coveredPixels(canvas), 0);
    Canvas empty(0, 10);
    EXPECT_EQ(empty.graphics, nullptr);
    FillBox(empty.graphics, PanelNavy, 0, 0, 1, 1);
}

TEST_F(DrawingKit, LongTextIsCutWithAnEllipsisInsideItsBox) {
    Canvas canvas(100, 20);
    DrawTextBox(canvas.graphics, L"a very long caption that cannot fit", MonoFont(), TextBright(255), 0, 0, 50, 20,
                kAlignNear);
    int outside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 50; x < 100; ++x) outside += canvasPixel(canvas, x, y) != 0;
    EXPECT_EQ(outside, 0);
    EXPECT_GT(coveredPixels(canvas), 20);
}

LRESULT CALLBACK plainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

HWND plainWindow(DWORD exStyle, DWORD style, HWND owner) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW c = {};
        c.lpfnWndProc = plainProc;
        c.hInstance = GetModuleHandleW(nullptr);
        c.lpszClassName = L"KivoKitTestWindow";
        RegisterClassW(&c);
        registered = true;
    }
    return CreateWindowExW(exStyle, L"KivoKitTestWindow", L"", style, 100, 100, 300, 200, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST_F(DrawingKit, PresentsAtThePlaceAndFollowsTheOwnersBand) {
    HWND owner = plainWindow(0, WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
    HWND popup = plainWindow(WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, WS_POPUP, owner);
    Canvas canvas(50, 30);
    FillBox(canvas.graphics, PanelNavy, 0, 0, 50, 30);
    EXPECT_TRUE(PresentLayered(popup, canvas, 210, 120, 50, 30));
    RECT r;
    GetWindowRect(popup, &r);
    EXPECT_EQ(r.left, 210);
    EXPECT_EQ(r.top, 120);
    EXPECT_EQ(r.right - r.left, 50);
    EXPECT_EQ(r.bottom - r.top, 30);

    HWND active = GetForegroundWindow();
    ShowAboveOwner(popup);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(GetForegroundWindow(), active);
    EXPECT_FALSE(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    GetWindowRect(popup, &r);
    EXPECT_EQ(r.left, 210);  // neither moved nor sized
    EXPECT_EQ(r.right - r.left, 50);

    // An owner in the topmost band (full screen, always on top) takes the popup with it.
    HWND topOwner = plainWindow(WS_EX_TOPMOST, WS_OVERLAPPEDWINDOW | WS_VISIBLE, nullptr);
    HWND topPopup = plainWindow(WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, WS_POPUP, topOwner);
    PresentLayered(topPopup, canvas, 210, 120, 50, 30);
    ShowAboveOwner(topPopup);
    EXPECT_TRUE(GetWindowLongPtrW(topPopup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    DestroyWindow(topPopup);
    DestroyWindow(topOwner);
    Canvas broken(0, 0);
    EXPECT_FALSE(PresentLayered(popup, broken, 0, 0, 10, 10));
    DestroyWindow(popup);
    DestroyWindow(owner);
}

}  // namespace
