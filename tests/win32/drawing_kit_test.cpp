#include <gtest/gtest.h>

#include <algorithm>
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

// The pixels of a text drawn in a font.
std::vector<uint32_t> drawn(const wchar_t* text, GpFont* font, float width = 80) {
    Canvas canvas(80, 20);
    DrawTextBox(canvas.graphics, text, font, TextBright(255), 0, 0, width, 20, kAlignNear);
    GdipFlush(canvas.graphics, FlushIntentionSync);
    return std::vector<uint32_t>(canvas.pixels, canvas.pixels + 80 * 20);
}

// With the program's own fonts: what the monospaced family cannot show is set in the UI family.
TEST(DrawingKitFonts, TextTheMonospacedFamilyCannotShowIsDrawnInTheUiFamily) {
    wchar_t path[MAX_PATH];
    std::wstring module(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    exeFolder = module.substr(0, module.rfind(L'\\')) + L"\\bin";
    InitDrawingKit();
    // A long text is cut inside its box.
    std::vector<uint32_t> cut = drawn(L"a very long caption that cannot fit", MonoFont(), 50);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(std::count(cut.begin() + y * 80 + 50, cut.begin() + y * 80 + 80, 0u), 30) << y;
    EXPECT_GT(80 * 20 - std::count(cut.begin(), cut.end(), 0u), 20);
    if (FontFamilyNameOf(MonoFont()) != L"Share Tech Mono") GTEST_SKIP() << "no fonts folder in the build";
    EXPECT_EQ(FontFamilyNameOf(UiFont()).substr(0, 12), L"Chakra Petch");
    EXPECT_NE(drawn(L"AB 12", MonoFont()), drawn(L"AB 12", UiFont()));
    for (const wchar_t* text : {L"คลิกซ้าย", L"◀◀  ▶▶", L"A ▶"})
        EXPECT_EQ(drawn(text, MonoFont()), drawn(text, UiFont())) << text;
}

TEST(DrawingKit, CanvasIsPremultipliedTransparentAndScaled) {
    InitDrawingKit();
    for (float scale : {1.0f, 2.0f}) {
        SetUiScale(scale);
        int s = ScalePx(1);
        Canvas canvas(ScalePx(40), ScalePx(20)), empty(0, 10);
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
        FillBox(empty.graphics, PanelNavy, 0, 0, 1, 1);  // a canvas of no size draws nothing, safely
        DrawTextBox(empty.graphics, L"x", MonoFont(), TextBright(255), 0, 0, 20, 20, kAlignFar);
    }
    SetUiScale(1.0f);
}

}  // namespace
