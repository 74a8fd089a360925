#include <gtest/gtest.h>

#include <string>

#include "osd/drawing_kit.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Raw premultiplied ARGB of one canvas pixel.
uint32_t at(const Canvas& canvas, int x, int y) {
    GdipFlush(canvas.graphics, FlushIntentionSync);
    Rect all(0, 0, canvas.width, canvas.height);
    BitmapData data = {};
    if (GdipBitmapLockBits(canvas.bitmap, &all, ImageLockModeRead, PixelFormat32bppPARGB, &data) != Ok) return 0xBAD;
    uint32_t value = static_cast<const uint32_t*>(data.Scan0)[y * (data.Stride / 4) + x];
    GdipBitmapUnlockBits(canvas.bitmap, &data);
    return value;
}

int covered(const Canvas& canvas, int fromX = 0) {
    int n = 0;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = fromX; x < canvas.width; ++x) n += at(canvas, x, y) != 0;
    return n;
}

class DrawingKit : public ::testing::Test {
protected:
    void SetUp() override {
        InitDrawingKit();
        SetUiScale(1.0f);
    }
    void TearDown() override { SetUiScale(1.0f); }
};

// The test program has no fonts folder beside it: the kit starts on its stand-ins (under
// Wine neither "Leelawadee UI" nor "Consolas" exists), and a second start changes nothing.
TEST_F(DrawingKit, StartsOnceAndDrawsTextWithoutTheFontFolder) {
    GpFont* fonts[] = {UiFont(), MonoFont(), MonoFontLarge(), MonoFontSmall()};
    InitDrawingKit();
    EXPECT_EQ(UiFont(), fonts[0]);
    EXPECT_EQ(MonoFontSmall(), fonts[3]);
    for (GpFont* font : fonts) {
        ASSERT_NE(font, nullptr);
        Canvas canvas(60, 20);
        DrawTextBox(canvas.graphics, L"VOL 95%", font, TextBright(255), 0, 0, 60, 20, kAlignNear);
        EXPECT_GT(covered(canvas), 10);
    }
    float size = 0;
    Unit unit = UnitWorld;
    GdipGetFontSize(MonoFontLarge(), &size);
    GdipGetFontUnit(MonoFontLarge(), &unit);
    EXPECT_EQ(size, 15.0f);
    EXPECT_EQ(unit, UnitPixel);
}

TEST_F(DrawingKit, PrivateFontFilesGiveTheirFamilies) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder = folder.substr(0, folder.rfind(L'\\')) + L"\\bin\\fonts\\";
    if (GetFileAttributesW((folder + L"ChakraPetch-Medium.ttf").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no fonts folder in the build";
    FontFamilies own = LoadFontFamilies(folder);
    EXPECT_EQ(FamilyName(own.ui).substr(0, 12), L"Chakra Petch");
    EXPECT_EQ(FamilyName(own.mono), L"Share Tech Mono");
}

TEST_F(DrawingKit, CanvasIsPremultipliedTransparentAndScaled) {
    for (float scale : {1.0f, 2.0f}) {
        SetUiScale(scale);
        int s = ScalePx(1);
        Canvas canvas(ScalePx(40), ScalePx(20));
        EXPECT_EQ(at(canvas, 5, 5), 0u);
        FillBox(canvas.graphics, PanelNavy, 0, 0, 10, 10);
        uint32_t navy = at(canvas, 10 * s - 1, 10 * s - 1);
        EXPECT_EQ(navy >> 24, 0xE2u);
        EXPECT_NEAR(int(navy & 0xFF), 0x1F * 0xE2 / 255, 1);  // premultiplied blue
        EXPECT_EQ(at(canvas, 10 * s, 5), 0u);
        // The outline lies inside the box, one unscaled pixel wide on all four sides.
        OutlineBox(canvas.graphics, AccentCyan(255), 10, 0, 30, 20);
        for (int i = 0; i < s; ++i) {
            EXPECT_EQ(at(canvas, 25 * s, i), 0xFF00E5FFu);
            EXPECT_EQ(at(canvas, 25 * s, canvas.height - 1 - i), 0xFF00E5FFu);
            EXPECT_EQ(at(canvas, 10 * s + i, 15 * s), 0xFF00E5FFu);
            EXPECT_EQ(at(canvas, canvas.width - 1 - i, 15 * s), 0xFF00E5FFu);
        }
        EXPECT_EQ(at(canvas, 25 * s, s), 0u);
        EXPECT_EQ(at(canvas, canvas.width - 1 - s, 15 * s), 0u);
    }
}

TEST_F(DrawingKit, GlowGradientAndEmptyInput) {
    Canvas canvas(40, 40);
    const PointF corner[3] = {PointF(1, 9), PointF(1, 1), PointF(9, 1)};
    GlowPolyline(canvas.graphics, AccentCyan(255), corner);
    EXPECT_EQ(at(canvas, 1, 5) >> 24, 0xFFu);  // the bright core
    uint32_t halo = at(canvas, 4, 5) >> 24;    // only the wide, faint passes reach here
    EXPECT_GT(halo, 0u);
    EXPECT_LT(halo, 0xFFu);

    Canvas gradient(10, 100);
    GradientFill(gradient.graphics, 0, 0, 10, 100, PointF(0, 0), PointF(0, 100));
    EXPECT_NEAR(int(at(gradient, 5, 0) >> 16 & 0xFF), 0x3F, 3);
    EXPECT_NEAR(int(at(gradient, 5, 99) >> 8 & 0xFF), 0xB8, 3);

    SizeF one = MeasureText(L"SPEED", MonoFontSmall());
    SetUiScale(2.0f);
    EXPECT_GT(one.Width, 10.0f);
    EXPECT_FLOAT_EQ(MeasureText(L"SPEED", MonoFontSmall()).Width, one.Width);  // unscaled units
    EXPECT_EQ(MeasureText(L"", MonoFont()).Width, 0.0f);
    EXPECT_EQ(MeasureText(L"x", nullptr).Width, 0.0f);
    Canvas empty(0, 10);
    EXPECT_EQ(empty.graphics, nullptr);
    FillBox(empty.graphics, PanelNavy, 0, 0, 1, 1);
    DrawTextBox(empty.graphics, L"x", MonoFont(), TextBright(255), 0, 0, 20, 20, kAlignFar);
}

TEST_F(DrawingKit, LongTextIsCutInsideItsBox) {
    Canvas canvas(100, 20);
    DrawTextBox(canvas.graphics, L"a very long caption that cannot fit", MonoFont(), TextBright(255), 0, 0, 50, 20,
                kAlignNear);
    EXPECT_GT(covered(canvas), 20);
    EXPECT_EQ(covered(canvas, 50), 0);
}

HWND plainWindow(DWORD exStyle, DWORD style, HWND owner) {
    return CreateWindowExW(exStyle, L"STATIC", L"", style, 100, 100, 300, 200, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST_F(DrawingKit, PresentsInPlaceAndShowsInTheOwnersBand) {
    for (DWORD band : {DWORD(0), DWORD(WS_EX_TOPMOST)}) {
        HWND owner = plainWindow(band, WS_POPUP | WS_VISIBLE, nullptr);
        HWND popup = plainWindow(WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, WS_POPUP, owner);
        Canvas canvas(50, 30);
        FillBox(canvas.graphics, PanelNavy, 0, 0, 50, 30);
        EXPECT_TRUE(PresentLayered(popup, canvas, 210, 120, 50, 30));
        HWND active = GetForegroundWindow();
        ShowAboveOwner(popup);
        RECT r;
        GetWindowRect(popup, &r);
        EXPECT_EQ(r.left, 210);
        EXPECT_EQ(r.top, 120);
        EXPECT_EQ(r.right - r.left, 50);
        EXPECT_EQ(r.bottom - r.top, 30);
        EXPECT_TRUE(IsWindowVisible(popup));
        EXPECT_EQ(GetForegroundWindow(), active);
        EXPECT_EQ((GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, band != 0);
        Canvas broken(0, 0);
        EXPECT_FALSE(PresentLayered(popup, broken, 0, 0, 10, 10));
        DestroyWindow(popup);
        DestroyWindow(owner);
    }
}

}  // namespace
