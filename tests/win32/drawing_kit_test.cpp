#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"
#include "osd/drawing_kit.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

// Raw premultiplied ARGB of one canvas pixel.
uint32_t at(const Canvas& canvas, int x, int y) {
    GdipFlush(canvas.graphics, FlushIntentionSync);
    return canvas.pixels ? canvas.pixels[y * canvas.width + x] : 0xBAD;
}

int covered(const Canvas& canvas, int fromX = 0) {
    int n = 0;
    for (int y = 0; y < canvas.height; ++y)
        for (int x = fromX; x < canvas.width; ++x) n += at(canvas, x, y) != 0;
    return n;
}

// The pixels of a text drawn in a font.
std::vector<uint32_t> drawn(const wchar_t* text, GpFont* font) {
    Canvas canvas(80, 20);
    DrawTextBox(canvas.graphics, text, font, TextBright(255), 0, 0, 80, 20, kAlignNear);
    GdipFlush(canvas.graphics, FlushIntentionSync);
    return std::vector<uint32_t>(canvas.pixels, canvas.pixels + 80 * 20);
}

class DrawingKit : public ::testing::Test {
protected:
    void SetUp() override { InitDrawingKit(); }
    void TearDown() override { SetUiScale(1.0f); }
};

// The test program has no fonts folder beside it: the kit starts on its stand-ins (under
// Wine neither "Leelawadee UI" nor "Consolas" exists), and a second start changes nothing.
TEST_F(DrawingKit, StartsOnceAndDrawsTextWithoutTheFontFolder) {
    GpFont* fonts[] = {UiFont(), MonoFont(), MonoFontLarge(), MonoFontSmall()};
    InitDrawingKit();
    EXPECT_TRUE(UiFont() == fonts[0] && MonoFontSmall() == fonts[3]);
    for (GpFont* font : fonts) {
        ASSERT_NE(font, nullptr);
        Canvas canvas(60, 20);
        DrawTextBox(canvas.graphics, L"VOL 95%", font, TextBright(255), 0, 0, 60, 20, kAlignNear);
        EXPECT_GT(covered(canvas), 10);
    }
    // A long text is cut inside its box.
    Canvas canvas(100, 20);
    DrawTextBox(canvas.graphics, L"a very long caption that cannot fit", MonoFont(), TextBright(255), 0, 0, 50, 20,
                kAlignNear);
    EXPECT_TRUE(covered(canvas) > 20 && covered(canvas, 50) == 0);
}

// With the program's own fonts: what the monospaced family cannot show is set in the UI family.
TEST(DrawingKitFonts, TextTheMonospacedFamilyCannotShowIsDrawnInTheUiFamily) {
    wchar_t path[MAX_PATH];
    std::wstring module(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    exeFolder = module.substr(0, module.rfind(L'\\')) + L"\\bin";
    InitDrawingKit();
    if (FontFamilyNameOf(MonoFont()) != L"Share Tech Mono") GTEST_SKIP() << "no fonts folder in the build";
    EXPECT_EQ(FontFamilyNameOf(UiFont()).substr(0, 12), L"Chakra Petch");
    EXPECT_NE(drawn(L"AB 12", MonoFont()), drawn(L"AB 12", UiFont()));
    for (const wchar_t* text : {L"คลิกซ้าย", L"◀◀  ▶▶", L"A ▶"})
        EXPECT_EQ(drawn(text, MonoFont()), drawn(text, UiFont())) << text;
}

TEST_F(DrawingKit, CanvasIsPremultipliedTransparentAndScaled) {
    for (float scale : {1.0f, 2.0f}) {
        SetUiScale(scale);
        int s = ScalePx(1);
        Canvas canvas(ScalePx(40), ScalePx(20));
        FillBox(canvas.graphics, PanelNavy, 0, 0, 10, 10);
        uint32_t navy = at(canvas, 10 * s - 1, 10 * s - 1);
        EXPECT_EQ(navy >> 24, 0xE2u);
        EXPECT_NEAR(int(navy & 0xFF), 0x1F * 0xE2 / 255, 1);  // premultiplied blue
        EXPECT_EQ(at(canvas, 10 * s, 5) | at(canvas, 5, 15 * s), 0u);
        // The outline lies inside the box, one unscaled pixel wide on all four sides.
        OutlineBox(canvas.graphics, AccentCyan(255), 10, 0, 30, 20);
        for (int i = 0; i < s; ++i)
            EXPECT_EQ(at(canvas, 25 * s, i) & at(canvas, 25 * s, canvas.height - 1 - i) & at(canvas, 10 * s + i, 15 * s) &
                          at(canvas, canvas.width - 1 - i, 15 * s), 0xFF00E5FFu);
        EXPECT_EQ(at(canvas, 25 * s, s) | at(canvas, canvas.width - 1 - s, 15 * s), 0u);
    }
}

TEST_F(DrawingKit, GlowGradientAndEmptyInput) {
    Canvas canvas(40, 40);
    const PointF corner[3] = {PointF(1, 9), PointF(1, 1), PointF(9, 1)};
    GlowPolyline(canvas.graphics, AccentCyan(255), corner);
    uint32_t core = at(canvas, 1, 5) >> 24, halo = at(canvas, 4, 5) >> 24;  // only faint passes reach the halo
    EXPECT_TRUE(core == 0xFF && halo > 0 && halo < 0xFF) << core << " " << halo;
    Canvas gradient(10, 100);
    GradientFill(gradient.graphics, 0, 0, 10, 100, PointF(0, 0), PointF(0, 100));
    EXPECT_NEAR(int(at(gradient, 5, 0) >> 16 & 0xFF), 0x3F, 3);
    EXPECT_NEAR(int(at(gradient, 5, 99) >> 8 & 0xFF), 0xB8, 3);
    SizeF one = MeasureText(L"SPEED", MonoFontSmall());
    SetUiScale(2.0f);
    EXPECT_GT(one.Width, 10.0f);
    EXPECT_FLOAT_EQ(MeasureText(L"SPEED", MonoFontSmall()).Width, one.Width);  // unscaled units
    EXPECT_EQ(MeasureText(L"", MonoFont()).Width + MeasureText(L"x", nullptr).Width, 0.0f);
    Canvas empty(0, 10);
    EXPECT_EQ(empty.graphics, nullptr);
    FillBox(empty.graphics, PanelNavy, 0, 0, 1, 1);
    DrawTextBox(empty.graphics, L"x", MonoFont(), TextBright(255), 0, 0, 20, 20, kAlignFar);
}

TEST_F(DrawingKit, PresentsInPlaceAndShowsInTheOwnersBand) {
    for (DWORD band : {DWORD(0), DWORD(WS_EX_TOPMOST)}) {
        HWND owner = CreateWindowExW(band, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                     nullptr, nullptr);
        HWND popup = CreateWindowExW(WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP,
                                     0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
        Canvas canvas(50, 30), broken(0, 0);
        FillBox(canvas.graphics, PanelNavy, 0, 0, 50, 30);
        EXPECT_TRUE(PresentLayered(popup, canvas, 210, 120, 50, 30));
        EXPECT_FALSE(PresentLayered(popup, broken, 0, 0, 10, 10));
        HWND active = GetForegroundWindow();
        ShowAboveOwner(popup);
        RECT r;
        GetWindowRect(popup, &r);
        EXPECT_EQ((std::vector<long>{r.left, r.top, r.right, r.bottom}), (std::vector<long>{210, 120, 260, 150}));
        EXPECT_TRUE(IsWindowVisible(popup) && GetForegroundWindow() == active);
        EXPECT_EQ((GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, band != 0);
        DestroyWindow(popup);
        DestroyWindow(owner);
    }
}

}  // namespace
