#include "store/settings_window_core.h"

#include <algorithm>

namespace {

constexpr SettingsOption kSeekChips[] = {{L"5s", 5}, {L"10s", 10}, {L"15s", 15}, {L"20s", 20}, {L"30s", 30}};
constexpr SettingsOption kVolumeChips[] = {{L"2", 2}, {L"5", 5}, {L"10", 10}};
constexpr SettingsOption kSubtitleChips[] = {{L"ไทย", 0}, {L"English", 1}, {L"ไม่ระบุ", 2}};
constexpr SettingsOption kRegisterButtons[] = {{L"ลงทะเบียน", 0}, {L"ยกเลิกลงทะเบียน", 1}};

int switchTop(float cy) { return int(cy - 12); }

}  // namespace

const SettingsRowDef kSettingsRows[kSettingsRowCount] = {
    {L"ภาษา", L"LANGUAGE", "lang", nullptr, nullptr, nullptr, 0, false},
    {L"ระยะกรอด้วยลูกศร", L"SEEK STEP", "seek", &Settings::seek, nullptr, kSeekChips, 5, false},
    {L"ระดับเสียงต่อครั้ง", L"VOLUME STEP", "volume", &Settings::volume, nullptr, kVolumeChips, 3, false},
    {L"คำบรรยายที่เลือกก่อน", L"SUBTITLE LANGUAGE", "sublang", &Settings::sublang, nullptr, kSubtitleChips, 3, true},
    {L"ดูต่อจากที่ค้างไว้", L"RESUME", "resume", nullptr, &Settings::resume, nullptr, 0, false},
    {L"เล่นไฟล์อื่นในโฟลเดอร์ต่อ", L"AUTO-QUEUE FOLDER", "autoqueue", nullptr, &Settings::autoqueue, nullptr, 0, false},
    {L"เปิดไฟล์ใหม่ในหน้าต่างเดิม", L"SINGLE WINDOW", "single", nullptr, &Settings::single, nullptr, 0, false},
    {L"ภาพตัวอย่างบนแถบกรอ", L"SEEK PREVIEWS", "previews", nullptr, &Settings::previews, nullptr, 0, false},
    {L"ลงทะเบียนกับ Windows", L"OPEN WITH", "", nullptr, nullptr, kRegisterButtons, 2, true, true},
};

SettingsLayout layoutSettingsPanel(const std::vector<RowContent>& rows) {
    SettingsLayout out;
    out.zones.push_back({518, 14, 542, 38, -1, -1, kZoneClose});
    const float areaWidth = float(kChipAreaRight - kChipAreaLeft);
    int y = kSettingsHeaderHeight;
    for (size_t r = 0; r < rows.size(); ++r) {
        const RowContent& row = rows[r];
        out.rowTop.push_back(y);
        int lines = 1;
        if (row.isSwitch) {
            int top = switchTop(float(y) + 22.5f);
            out.zones.push_back({490, top, 540, top + 24, int(r), -1, kZoneChoose});
        } else {
            // Options fill lines in their order; each line is laid from its last chip at the right.
            std::vector<float> widths;
            for (float text : row.chipTextWidths) widths.push_back(std::min(areaWidth, std::max(float(kChipMinWidth), text + kChipTextPadding)));
            size_t first = 0;
            int line = 0;
            while (first < widths.size()) {
                size_t end = first + 1;
                float used = widths[first];
                while (end < widths.size() && used + kChipGap + widths[end] <= areaWidth) used += kChipGap + widths[end++];
                float cy = float(y) + 22.5f + float(kChipLineStep * line);
                float right = float(kChipAreaRight);
                for (size_t k = end; k-- > first;) {
                    out.zones.push_back({int(right - widths[k]), int(cy - 13), int(right), int(cy + 13), int(r), int(k),
                                         kZoneChoose});
                    right -= widths[k] + kChipGap;
                }
                first = end;
                ++line;
            }
            lines = std::max(1, line);
        }
        out.rowLines.push_back(lines);
        y += kSettingsRowHeight + kChipLineStep * (lines - 1);
    }
    out.footer = y;
    out.zones.push_back({370, y + 10, 540, y + 38, -1, -1, kZoneDefaultApps});
    out.zones.push_back({370, y + 46, 540, y + 74, -1, -1, kZoneCaptureFolder});
    out.height = y + 84;
    return out;
}

int hitZoneAt(const std::vector<HitZone>& zones, int x, int y) {
    for (size_t i = 0; i < zones.size(); ++i) {
        const HitZone& z = zones[i];
        if (x >= z.left && x < z.right && y >= z.top && y < z.bottom) return int(i);
    }
    return -1;
}

PanelPlace settingsPanelPlace(int originX, int originY, int clientWidth, int clientHeight, int bottomReserve,
                              int topOffset, int scaledWidth, int scaledHeight, int scaledMargin) {
    int x = originX + std::max(scaledMargin, (clientWidth - scaledWidth) / 2);
    int y = originY + std::max((clientHeight - bottomReserve + topOffset - scaledHeight) / 2, topOffset + scaledMargin);
    return {x, y};
}

int languageIndex(const std::vector<std::string>& codes, const std::string& current) {
    auto found = std::find(codes.begin(), codes.end(), current);
    return found == codes.end() ? 0 : int(found - codes.begin());
}

int32_t rowValue(const Settings& s, int row, int languageIndexValue) {
    if (row == 0) return languageIndexValue;
    const SettingsRowDef& rowDef = kSettingsRows[row];
    if (rowDef.buttons) return -1;
    if (rowDef.number) return int32_t(s.*rowDef.number);
    return s.*rowDef.flag;
}

bool chooseSettingsOption(Settings& s, int row, int option, const std::vector<std::string>& languageCodes) {
    if (row < 0 || row >= kSettingsRowCount) return false;
    const SettingsRowDef& rowDef = kSettingsRows[row];
    if (row == 0) {
        if (option >= 0 && option < int(languageCodes.size())) copyToField(s.lang, languageCodes[size_t(option)]);
    } else if (rowDef.buttons) {
        return true;  // the panel's owner acts on it; nothing is kept
    } else if (rowDef.flag) {
        s.*rowDef.flag = !(s.*rowDef.flag);
    } else if (option >= 0 && option < rowDef.optionCount) {
        s.*rowDef.number = uint32_t(rowDef.options[option].value);
    }
    return true;
}

const wchar_t* settingsButtonText(int action) {
    switch (action) {
        case kZoneDefaultApps: return L"ตั้งเป็นโปรแกรมหลัก";
        case kZoneCaptureFolder: return L"โฟลเดอร์ภาพหน้าจอ";
        default: return nullptr;
    }
}

void settingsZoneAccessItem(const HitZone& z, const std::wstring& chipText, bool chosen, AccessItem& item) {
    item = AccessItem();
    item.x = float(z.left), item.y = float(z.top), item.w = float(z.right - z.left), item.h = float(z.bottom - z.top);
    item.action = accessPressAction();
    item.role = kRolePushButton;
    const bool inRow = z.action == kZoneChoose && z.row >= 0 && z.row < kSettingsRowCount;
    if (z.action == kZoneClose) {
        item.name = accessText(L"ปิดหน้าต่าง");
    } else if (const wchar_t* text = settingsButtonText(z.action)) {
        item.name = accessText(text);
    } else if (inRow && kSettingsRows[z.row].flag) {
        item.role = kRoleCheckButton;
        item.name = accessText(kSettingsRows[z.row].label);
        if (chosen) item.state |= kStateChecked;
    } else if (inRow) {
        item.role = kRoleRadioButton;
        item.name = chipText;
        item.description = accessText(kSettingsRows[z.row].label);
        if (chosen) item.state |= kStateChecked;
    }
}
