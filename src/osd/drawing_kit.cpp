#include "osd/drawing_kit.h"

#include "app/diaglog.h"
#include "app/startup.h"
#include "app/textconv.h"

#include <map>
#include <tuple>
#include <unordered_map>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

bool kitStarted = false;
GpFont* uiFont = nullptr;
GpFont* monoFont = nullptr;
GpFont* monoFontLarge = nullptr;
GpFont* monoFontSmall = nullptr;
GpFontFamily* uiFamily = nullptr;

// The program's folder: the start-up record when it is known, else the module's own path.
std::wstring programFolder() {
    if (!exeFolder.empty()) return exeFolder;
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return L".";
    std::wstring folder(path, n);
    size_t cut = folder.rfind(L'\\');
    return cut == std::wstring::npos ? L"." : folder.substr(0, cut);
}

GpFontFamily* privateFamily(GpFontCollection* collection, const FontFamilyWish& wish) {
    GpFontFamily* listed[8] = {};
    INT found = 0;
    if (GdipGetFontCollectionFamilyList(collection, 8, listed, &found) != Ok) return nullptr;
    WCHAR names[8][LF_FACESIZE] = {};
    const char16_t* namePointers[8] = {};
    for (INT i = 0; i < found && i < 8; ++i) {
        if (GdipGetFamilyName(listed[i], names[i], LANG_NEUTRAL) == Ok)
            namePointers[i] = reinterpret_cast<const char16_t*>(names[i]);
    }
    int match = matchingFamily(namePointers, found, wish);
    GpFontFamily* copy = nullptr;
    if (match >= 0 && GdipCloneFontFamily(listed[match], &copy) != Ok) copy = nullptr;
    return copy;
}

GpFontFamily* firstInstalledFamily() {
    GpFontCollection* installed = nullptr;
    GpFontFamily* first = nullptr;
    INT found = 0;
    if (GdipNewInstalledFontCollection(&installed) != Ok ||
        GdipGetFontCollectionFamilyList(installed, 1, &first, &found) != Ok || found < 1)
        return nullptr;
    GpFontFamily* copy = nullptr;
    return GdipCloneFontFamily(first, &copy) == Ok ? copy : nullptr;
}

// The wanted family, or the installed one named as its stand-in. Where even that is missing
// (Windows before 8.1 has no "Leelawadee UI", Wine has neither stand-in) the system's generic
// family, or failing that any installed one, keeps text readable instead of dropping every
// caption.
GpFontFamily* chosenFamily(GpFontCollection* collection, const FontFamilyWish& wish, bool mono) {
    if (GpFontFamily* own = privateFamily(collection, wish)) return own;
    GpFontFamily* family = nullptr;
    if (GdipCreateFontFamilyFromName(reinterpret_cast<const WCHAR*>(wish.installedFallback), nullptr,
                                     &family) == Ok)
        return family;
    family = nullptr;
    GpStatus generic = mono ? GdipGetGenericFontFamilyMonospace(&family)
                            : GdipGetGenericFontFamilySansSerif(&family);
    if (generic == Ok && family) return family;
    return firstInstalledFamily();
}

GpFont* makeFont(GpFontFamily* family, float size) {
    GpFont* font = nullptr;
    if (!family || GdipCreateFont(family, size, FontStyleRegular, UnitPixel, &font) != Ok) return nullptr;
    return font;
}

// Brushes, pens and string formats are made once per colour (and width, alignment) and kept:
// a panel repaint draws dozens of boxes and lines, and making each tool anew cost more than
// the drawing. All drawing happens on the user-interface thread.
GpSolidFill* solidBrush(Argb colour) {
    static std::unordered_map<Argb, GpSolidFill*> brushes;
    GpSolidFill*& brush = brushes[colour];
    if (!brush && GdipCreateSolidFill(colour, &brush) != Ok) brush = nullptr;
    return brush;
}

GpPen* pen(Argb colour, float width, bool mitred) {
    static std::map<std::tuple<Argb, float, bool>, GpPen*> pens;
    GpPen*& made = pens[std::make_tuple(colour, width, mitred)];
    if (!made) {
        if (GdipCreatePen1(colour, width, UnitWorld, &made) != Ok) return made = nullptr;
        if (mitred) GdipSetPenLineJoin(made, LineJoinMiter);
    }
    return made;
}

GpStringFormat* boxFormat(int align) {
    static GpStringFormat* formats[3] = {};
    int i = align == kAlignCentre ? 1 : align == kAlignFar ? 2 : 0;
    if (formats[i]) return formats[i];
    GpStringFormat* format = nullptr;
    if (GdipCreateStringFormat(StringFormatFlagsNoWrap, LANG_NEUTRAL, &format) != Ok) return nullptr;
    const StringAlignment horizontal[3] = {StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar};
    GdipSetStringFormatAlign(format, horizontal[i]);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
    GdipSetStringFormatTrimming(format, StringTrimmingEllipsisCharacter);
    return formats[i] = format;
}

// GDI+ does not fall back to another font on its own: a text the monospaced family cannot show
// would come out as boxes. Such a text is set in the UI family, which has Thai, at the same size.
GpFont* fontWithGlyphsFor(const wchar_t* text, GpFont* font) {
    if (font == uiFont || !uiFamily || monoFamilyCovers(text)) return font;
    static std::unordered_map<GpFont*, GpFont*> thaiStandIns;
    GpFont*& standIn = thaiStandIns[font];
    REAL size = 0;
    if (!standIn && GdipGetFontSize(font, &size) == Ok) standIn = makeFont(uiFamily, size);
    return standIn ? standIn : font;
}

}  // namespace

FontFamilies LoadFontFamilies(const std::wstring& fontFolder) {
    // The collection stays alive: the families copied from it refer to its font data.
    GpFontCollection* collection = nullptr;
    if (GdipNewPrivateFontCollection(&collection) != Ok) collection = nullptr;
    if (collection) {
        // A missing or unreadable file simply adds nothing.
        GdipPrivateAddFontFile(collection, (fontFolder + L"ChakraPetch-Medium.ttf").c_str());
        GdipPrivateAddFontFile(collection, (fontFolder + L"ShareTechMono-Regular.ttf").c_str());
    }
    return {chosenFamily(collection, kUiFamilyWish, false), chosenFamily(collection, kMonoFamilyWish, true)};
}

std::wstring FamilyName(GpFontFamily* family) {
    WCHAR name[LF_FACESIZE] = {};
    if (!family || GdipGetFamilyName(family, name, LANG_NEUTRAL) != Ok) return std::wstring();
    return name;
}

std::wstring FontFamilyNameOf(GpFont* font) {
    GpFontFamily* family = nullptr;
    if (!font || GdipGetFamily(font, &family) != Ok) return std::wstring();
    std::wstring name = FamilyName(family);
    GdipDeleteFontFamily(family);
    return name;
}

void InitDrawingKit() {
    if (kitStarted) return;
    kitStarted = true;
    double t0 = processMs();
    GdiplusStartupInput input;  // version 1, no debug callback, background thread, codecs
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) != Ok) {
        diagLog("drawing_kit gdiplus failed");
        return;
    }
    FontFamilies families = LoadFontFamilies(programFolder() + L"\\fonts\\");
    uiFamily = families.ui;
    uiFont = makeFont(families.ui, kUiFontSize);
    monoFont = makeFont(families.mono, kMonoFontSize);
    monoFontLarge = makeFont(families.mono, kMonoFontLargeSize);
    monoFontSmall = makeFont(families.mono, kMonoFontSmallSize);
    diagLog("drawing_kit ui=%s mono=%s ms=%.1f", toUtf8(FamilyName(families.ui)).c_str(),
            toUtf8(FamilyName(families.mono)).c_str(), processMs() - t0);
}

GpFont* UiFont() { return uiFont; }
GpFont* MonoFont() { return monoFont; }
GpFont* MonoFontLarge() { return monoFontLarge; }
GpFont* MonoFontSmall() { return monoFontSmall; }

namespace {
int liveCanvases = 0;
}

int LiveCanvasCount() { return liveCanvases; }

Canvas::Canvas(int w, int h, bool scaled) : width(w), height(h) {
    ++liveCanvases;
    if (w < 1 || h < 1) return;
    // The pixels live in a top-down DIB section that GDI+ draws into directly, so presenting
    // needs no conversion to a GDI bitmap: that copy was most of the cost of a repaint.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Status made = dib ? GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits), &bitmap)
                      : GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppPARGB, nullptr, &bitmap);
    if (made != Ok) {
        bitmap = nullptr;
        return;
    }
    if (dib) pixels = static_cast<uint32_t*>(bits);
    if (GdipGetImageGraphicsContext(bitmap, &graphics) != Ok) {
        graphics = nullptr;
        return;
    }
    if (scaled) GdipScaleWorldTransform(graphics, UiScale(), UiScale(), MatrixOrderPrepend);
    GdipSetSmoothingMode(graphics, SmoothingModeAntiAlias);
    GdipSetTextRenderingHint(graphics, TextRenderingHintAntiAlias);
    GdipGraphicsClear(graphics, 0x00000000);
}

Canvas::~Canvas() {
    --liveCanvases;
    if (graphics) GdipDeleteGraphics(graphics);
    if (bitmap) GdipDisposeImage(bitmap);
    if (dib) DeleteObject(dib);
}

bool PresentLayered(HWND window, const Canvas& canvas, int x, int y, int width, int height) {
    HBITMAP picture = canvas.dib;
    HBITMAP converted = nullptr;
    if (picture) {
        if (canvas.graphics) GdipFlush(canvas.graphics, FlushIntentionSync);
    } else if (!canvas.bitmap || GdipCreateHBITMAPFromBitmap(canvas.bitmap, &converted, 0) != Ok || !converted) {
        return false;
    } else {
        picture = converted;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, picture);
    POINT destination = {x, y};
    SIZE size = {width, height};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, screen, &destination, &size, memory, &source, 0, &blend, ULW_ALPHA);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (converted) DeleteObject(converted);
    return true;
}

void ShowAboveOwner(HWND popup) {
    HWND owner = GetWindow(popup, GW_OWNER);
    bool ownerTopmost = owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(popup, ownerTopmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void FillBox(GpGraphics* g, Argb colour, float x, float y, float w, float h) {
    GpSolidFill* brush = solidBrush(colour);
    if (g && brush) GdipFillRectangle(g, brush, x, y, w, h);
}

void OutlineBox(GpGraphics* g, Argb colour, float x, float y, float w, float h) {
    // Four one-pixel strips rather than a pen stroked along x + 0.5: a stroke is rounded to
    // whole pixels where shapes are not anti-aliased (Wine), which moves it one pixel inwards
    // and loses the right and bottom sides. Strips cover the same pixels everywhere, and do
    // not overlap, so translucent corners are not drawn twice.
    if (w <= 0 || h <= 0) return;
    FillBox(g, colour, x, y, w, 1);
    if (h > 1) FillBox(g, colour, x, y + h - 1, w, 1);
    if (h > 2) {
        FillBox(g, colour, x, y + 1, 1, h - 2);
        if (w > 1) FillBox(g, colour, x + w - 1, y + 1, 1, h - 2);
    }
}

void FillPolygonSolid(GpGraphics* g, Argb colour, const PointF* points, int count) {
    GpSolidFill* brush = solidBrush(colour);
    if (g && brush && points && count > 2) GdipFillPolygon(g, brush, points, count, FillModeAlternate);
}

void DrawPolyline(GpGraphics* g, Argb colour, float width, const PointF* points, int count) {
    GpPen* line = pen(colour, width, false);
    if (g && line && points && count > 1) GdipDrawLines(g, line, points, count);
}

void GradientPolygon(GpGraphics* g, const PointF* points, int count, float top, float bottom, WrapMode wrap) {
    PointF from(0, top), to(0, bottom);
    GpLineGradient* brush = nullptr;
    if (GdipCreateLineBrush(&from, &to, GradientTop, GradientBottom, wrap, &brush) != Ok) return;
    GdipFillPolygon(g, brush, points, count, FillModeAlternate);
    GdipDeleteBrush(brush);
}

void GlowPolyline(GpGraphics* g, Argb colour, const PointF points[3]) {
    const struct {
        float width;
        unsigned alpha;
    } passes[] = {{8.0f, 26}, {5.0f, 55}, {2.0f, 255}};
    for (const auto& pass : passes) {
        GpPen* line = pen(withAlpha(colour, pass.alpha), pass.width, true);
        if (g && line) GdipDrawLines(g, line, points, 3);
    }
}

void DrawTextBox(GpGraphics* g, const wchar_t* text, GpFont* font, Argb colour, float x, float y, float w,
                 float h, int align) {
    if (!g || !text || !font) return;
    GpStringFormat* format = boxFormat(align);
    GpSolidFill* brush = solidBrush(colour);
    RectF box(x, y, w, h);
    if (format && brush) GdipDrawString(g, text, -1, fontWithGlyphsFor(text, font), &box, format, brush);
}

SizeF MeasureText(const wchar_t* text, GpFont* font) {
    if (!text || !*text || !font) return SizeF(0.0f, 0.0f);
    Canvas canvas(1, 1, false);
    RectF layout(0.0f, 0.0f, 0.0f, 0.0f), bounds;
    if (!canvas.graphics ||
        GdipMeasureString(canvas.graphics, text, -1, fontWithGlyphsFor(text, font), &layout, nullptr, &bounds,
                          nullptr, nullptr) != Ok)
        return SizeF(0.0f, 0.0f);
    return SizeF(bounds.Width, bounds.Height);
}

void GradientFill(GpGraphics* g, float x, float y, float w, float h, PointF from, PointF to) {
    GpLineGradient* brush = nullptr;
    if (!g || GdipCreateLineBrush(&from, &to, GradientTop, GradientBottom, WrapModeTile, &brush) != Ok) return;
    GdipFillRectangle(g, brush, x, y, w, h);
    GdipDeleteBrush(brush);
}
