#include "store/settings_window.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/diaglog.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "osd/hud.h"
#include "osd/panel_kit.h"
#include "panels/language.h"
#include "store/settings.h"
#include "store/settings_access.h"
#include "store/settings_window_core.h"

namespace {

constexpr wchar_t kClassName[] = L"KivoSettings";
constexpr float kChipTextMax = float(kChipAreaRight - kChipAreaLeft - kChipTextPadding);

PanelHandle panel;
void (*applyChanges)() = nullptr;
int hover = -1;
bool trackingLeave = false;
POINT place = {};
// The zones of the picture on screen: the mouse is matched against what the user sees.
std::vector<HitZone> paintedZones;
// The chips' texts and the chosen language as painted, for the accessible object.
std::vector<std::vector<std::wstring>> paintedChips;
int paintedLanguage = 0;

// Everything one paint or click needs, built afresh from the record and the language list.
struct PanelModel {
    std::vector<std::vector<std::wstring>> chipTexts;  // per row, already translated
    std::vector<std::string> languageCodes;
    int languageSelected = 0;
    SettingsLayout layout;
};

// Cuts a chip text with an ellipsis until it fits the chip area.
std::wstring fitChipText(std::wstring text) {
    if (MeasureText(text.c_str(), UiFont()).Width <= kChipTextMax) return text;
    while (!text.empty() && MeasureText((text + L"\u2026").c_str(), UiFont()).Width > kChipTextMax) text.pop_back();
    return text + L"\u2026";
}

PanelModel buildModel() {
    PanelModel model;
    std::vector<RowContent> contents;
    for (int r = 0; r < kSettingsRowCount; ++r) {
        const SettingsRowDef& rowDef = kSettingsRows[r];
        std::vector<std::wstring> texts;
        if (r == 0) {
            for (const LanguageChoice& choice : listLanguages()) {
                model.languageCodes.push_back(choice.code);
                texts.push_back(fitChipText(choice.displayName));
            }
        } else {
            for (int k = 0; k < rowDef.optionCount; ++k)
                texts.push_back(fitChipText(rowDef.translate ? tr(rowDef.options[k].text) : rowDef.options[k].text));
        }
        RowContent content = {rowDef.flag != nullptr, {}};
        for (const std::wstring& t : texts) content.chipTextWidths.push_back(MeasureText(t.c_str(), UiFont()).Width);
        contents.push_back(content);
        model.chipTexts.push_back(texts);
    }
    model.languageSelected = languageIndex(model.languageCodes, currentLanguage());
    model.layout = layoutSettingsPanel(contents);
    return model;
}

// "KivoPlayer 0.1.0" from the program's own version resource.
std::wstring productLine() {
    std::wstring line = L"KivoPlayer";
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const BYTE* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    DWORD size = found ? SizeofResource(nullptr, found) : 0;
    for (DWORD i = 0; bytes && i + sizeof(VS_FIXEDFILEINFO) <= size; i += 4) {
        const auto* info = reinterpret_cast<const VS_FIXEDFILEINFO*>(bytes + i);
        if (info->dwSignature != 0xFEEF04BD) continue;
        wchar_t version[48];
        swprintf(version, 48, L" %u.%u.%u", HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                 HIWORD(info->dwFileVersionLS));
        return line + version;
    }
    return line;
}

// Whether a zone shows its choice made: a switch that is on, the row's chosen chip.
bool zoneChosen(const HitZone& z, int languageSelected) {
    if (z.action != kZoneChoose || z.row < 0 || z.row >= kSettingsRowCount) return false;
    const Settings& s = appSettings();
    const SettingsRowDef& def = kSettingsRows[z.row];
    if (def.flag) return s.*def.flag != 0;
    int32_t value = z.row == 0 ? z.option : def.options[z.option].value;
    return value == rowValue(s, z.row, languageSelected);
}

void drawChip(GpGraphics* g, const HitZone& z, const wchar_t* text, bool selected, bool hovered) {
    float x = float(z.left), y = float(z.top), w = float(z.right - z.left), h = float(z.bottom - z.top);
    if (selected) {
        FillBox(g, AccentCyan(44), x, y, w, h);
        OutlineBox(g, AccentCyan(220), x, y, w, h);
    } else if (hovered) {
        FillBox(g, AccentCyan(22), x, y, w, h);
        OutlineBox(g, AccentCyan(150), x, y, w, h);
    } else {
        OutlineBox(g, AccentCyan(60), x, y, w, h);
    }
    Argb colour = selected ? AccentCyan(255) : hovered ? TextBright(255) : TextMuted(255);
    DrawTextBox(g, text, UiFont(), colour, x, y, w, h, kAlignCentre);
}

void drawSwitch(GpGraphics* g, const HitZone& z, bool on, bool hovered) {
    float top = float(z.top);
    if (on) {
        GradientFill(g, 490, top, 50, 24, PointF(0, top), PointF(0, top + 24));
        FillBox(g, GlyphNavy, 520, top + 4, 16, 16);
    } else {
        OutlineBox(g, AccentCyan(hovered ? 170 : 70), 490, top, 50, 24);
        FillBox(g, hovered ? AccentCyan(170) : TextMuted(255), 494, top + 4, 16, 16);
    }
}

void drawButton(GpGraphics* g, const HitZone& z, const wchar_t* text, bool hovered) {
    float x = float(z.left), y = float(z.top), w = float(z.right - z.left), h = float(z.bottom - z.top);
    if (hovered) FillBox(g, AccentCyan(34), x, y, w, h);
    OutlineBox(g, AccentCyan(hovered ? 170 : 80), x, y, w, h);
    DrawTextBox(g, text, UiFont(), hovered ? TextBright(255) : TextMuted(255), x, y, w, h, kAlignCentre);
}

void paintPanel(const PanelModel& model) {
    const SettingsLayout& layout = model.layout;
    const float W = float(kSettingsPanelWidth), H = float(layout.height);
    Canvas canvas(ScalePx(W), ScalePx(H));
    GpGraphics* g = canvas.graphics;
    if (!g) return;
    FillBox(g, PanelNavyDensest, 0, 0, W, H);
    OutlineBox(g, AccentCyan(46), 0, 0, W, H);
    const PointF topLeft[3] = {PointF(1, 17), PointF(1, 1), PointF(17, 1)};
    const PointF bottomRight[3] = {PointF(543, H - 1), PointF(559, H - 1), PointF(559, H - 17)};
    GlowPolyline(g, AccentCyan(255), topLeft);
    GlowPolyline(g, AccentCyan(255), bottomRight);
    DrawTextBox(g, tr(L"ตั้งค่า"), UiFont(), AccentCyan(255), 20, 0, 120, 48, kAlignNear);
    DrawTextBox(g, L"SETTINGS  //  KIVOPLAYER", MonoFontSmall(), TextMuted(255), 90, 0, 260, 48, kAlignNear);
    const PointF rule[2] = {PointF(14, 48), PointF(546, 48)};
    DrawPolyline(g, AccentCyan(34), 1, rule, 2);

    for (size_t i = 0; i < layout.zones.size(); ++i) {
        const HitZone& z = layout.zones[i];
        bool hovered = int(i) == hover;
        if (z.action == kZoneClose) {
            DrawPanelCloseCross(g, 518, 14, hovered);
        } else if (z.action == kZoneDefaultApps) {
            drawButton(g, z, tr(settingsButtonText(z.action)), hovered);
        } else if (z.action == kZoneCaptureFolder) {
            drawButton(g, z, tr(settingsButtonText(z.action)), hovered);
        } else if (kSettingsRows[z.row].flag) {
            drawSwitch(g, z, zoneChosen(z, model.languageSelected), hovered);
        } else if (kSettingsRows[z.row].buttons) {
            drawButton(g, z, model.chipTexts[size_t(z.row)][size_t(z.option)].c_str(), hovered);
        } else {
            drawChip(g, z, model.chipTexts[size_t(z.row)][size_t(z.option)].c_str(),
                     zoneChosen(z, model.languageSelected), hovered);
        }
    }
    for (int r = 0; r < kSettingsRowCount; ++r) {
        float y = float(layout.rowTop[size_t(r)]);
        DrawTextBox(g, tr(kSettingsRows[r].label), UiFont(), TextBright(255), 20, y + 4, 250, 22, kAlignNear);
        DrawTextBox(g, kSettingsRows[r].caption, MonoFontSmall(), TextMuted(255), 20, y + 24, 250, 16, kAlignNear);
        if (r + 1 < kSettingsRowCount) {
            float below = float(layout.rowTop[size_t(r) + 1]);
            const PointF line[2] = {PointF(20, below), PointF(540, below)};
            DrawPolyline(g, AccentCyan(18), 1, line, 2);
        }
    }
    float F = float(layout.footer);
    const PointF footerRule[2] = {PointF(14, F), PointF(546, F)};
    DrawPolyline(g, AccentCyan(34), 1, footerRule, 2);
    DrawTextBox(g, productLine().c_str(), MonoFontSmall(), TextMuted(255), 20, F + 10, 330, 28, kAlignNear);
    PresentLayered(panel.window, canvas, place.x, place.y, canvas.width, canvas.height);
    paintedZones = layout.zones;
    paintedChips = model.chipTexts;
    paintedLanguage = model.languageSelected;
}

void placePanel(const SettingsLayout& layout) {
    RECT client = OwnerClientOnScreen(panel.owner);
    int top = HudTopOffset();
    PanelPlace p = settingsPanelPlace(client.left, client.top, client.right - client.left, client.bottom - client.top,
                                      HudBottomReserve(), top, ScalePx(kSettingsPanelWidth), ScalePx(float(layout.height)),
                                      ScalePx(8));
    place = {p.x, p.y};
}

void repaint() {
    if (panel.visible) paintPanel(buildModel());
}

void choose(int row, int option) {
    PanelModel model = buildModel();
    if (!chooseSettingsOption(appSettings(), row, option, model.languageCodes)) return;
    saveSettings();
    if (applyChanges) applyChanges();
    // A language change can change the chips' widths and so the panel's height.
    PanelModel after = buildModel();
    placePanel(after.layout);
    paintPanel(after);
    if (testMode) diagLog("settings choose row=%d option=%d", row, option);
}

void activate(HitZone z) {
    if (z.action == kZoneClose) closeSettingsWindow();
    else if (z.action == kZoneCaptureFolder) PostMessageW(panel.owner, WM_APP_OPEN_CAPTURE_FOLDER, 0, 0);
    else if (z.action == kZoneDefaultApps) PostMessageW(panel.owner, WM_APP_OPEN_DEFAULT_APPS, 0, 0);
    else if (kSettingsRows[z.row].buttons) PostMessageW(panel.owner, WM_APP_REGISTER, WPARAM(z.option), 0);
    else choose(z.row, z.option);
}

LRESULT CALLBACK settingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandlePanelCommonMessage(window, message, wParam, lParam, result, trackingLeave, &kSettingsAccess)) return result;
    switch (message) {
        case WM_MOUSEMOVE: {
            POINT p = PanelMousePoint(lParam);
            int now = hitZoneAt(paintedZones, p.x, p.y);
            if (now != hover) {
                hover = now;
                repaint();
            }
            return 0;
        }
        case WM_MOUSELEAVE:
            hover = -1;
            repaint();
            return 0;
        case WM_LBUTTONUP: {
            POINT p = PanelMousePoint(lParam);
            int index = hitZoneAt(paintedZones, p.x, p.y);
            if (index < 0) return 0;
            activate(paintedZones[size_t(index)]);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void initSettingsWindow(HWND owner, void (*apply)()) {
    panel.owner = owner;
    applyChanges = apply;
}

void toggleSettingsWindow() {
    TogglePanel(panel, kClassName, settingsWindowProc, [] {
        PanelModel model = buildModel();
        placePanel(model.layout);
        paintPanel(model);
        ShowAboveOwner(panel.window);
        if (testMode)
            diagLog("settings open x=%ld y=%ld w=%d h=%d", place.x, place.y, ScalePx(kSettingsPanelWidth),
                    ScalePx(float(model.layout.height)));
    }, closeSettingsWindow);
}

bool isSettingsWindowOpen() { return panel.visible; }

void closeSettingsWindow() {
    if (HidePanel(panel)) hover = -1;
}

void repositionSettingsWindow() {
    if (!panel.visible) return;
    PanelModel model = buildModel();
    placePanel(model.layout);
    paintPanel(model);
}

const std::vector<HitZone>& shownSettingsZones() {
    static const std::vector<HitZone> none;
    return panel.visible ? paintedZones : none;
}

bool settingsZoneChosen(const HitZone& zone) { return zoneChosen(zone, paintedLanguage); }

std::wstring settingsChipText(const HitZone& z) {
    bool chip = z.action == kZoneChoose && z.row >= 0 && size_t(z.row) < paintedChips.size() &&
                z.option >= 0 && size_t(z.option) < paintedChips[size_t(z.row)].size();
    return chip ? paintedChips[size_t(z.row)][size_t(z.option)] : std::wstring();
}

void pressSettingsZone(const HitZone& zone) {
    if (panel.visible) activate(zone);
}
