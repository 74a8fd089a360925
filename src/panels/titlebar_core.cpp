#include "panels/titlebar_core.h"

#include <algorithm>
#include <cmath>

#include "osd/uiscale_core.h"

int captionHitCode(int x, int y, int width, int titleHeight, bool maximized, float scale) {
    auto px = [scale](float logical) { return scaledPixels(logical, scale); };
    if (!maximized && y < px(5)) {
        if (x < px(12)) return kHitTopLeft;
        return x < width - px(12) ? kHitTop : kHitTopRight;
    }
    if (y >= titleHeight) return kHitClient;
    if (x >= width - px(kCaptionButtonWidth)) return kHitClose;
    if (x >= width - px(2 * kCaptionButtonWidth)) return kHitMaximize;
    if (x >= width - px(3 * kCaptionButtonWidth)) return kHitMinimize;
    return kHitCaption;
}

bool isCaptionButton(long long hitCode) {
    return hitCode == kHitMinimize || hitCode == kHitMaximize || hitCode == kHitClose;
}

bool clearArmed(uint32_t armedUntil, uint32_t now) {
    return armedUntil != 0 && int32_t(armedUntil - now) > 0;
}

bool clearActionClick(uint32_t& armedUntil, uint32_t now) {
    if (clearArmed(armedUntil, now)) {
        armedUntil = 0;
        return true;
    }
    armedUntil = now + kClearArmedMs;
    if (armedUntil == 0) armedUntil = 1;  // 0 means "not armed"
    return false;
}

StartLayout startScreenLayout(float W, float H, float T, int entries) {
    StartLayout l;
    float H2 = H - T;
    l.cx = W / 2;
    l.cy = T + H2 / 2 - (entries > 0 ? 95 : 30);
    l.openButton = {l.cx - 96, l.cy + 46, 192, 46};
    l.listTop = l.cy + 146;
    l.clearAction = {l.cx + 70, l.listTop, 170, 24};
    for (float y = l.listTop + 32; l.rows < entries && y + kHistoryRowHeight <= H - 16; y += kHistoryRowHeight)
        ++l.rows;
    return l;
}

int honeycombAlpha(float x, float y, float W, float H, float T) {
    float H2 = H - T;
    if (H2 <= 0 || W <= 0) return 0;
    float u = (x - W / 2) / (W / 2);
    float v = (y - (T + H) / 2) / (H2 / 2);
    float a = 12 * std::max(0.0f, 1 - 0.55f * (u * u + v * v));
    return std::isfinite(a) ? int(a) : 0;
}

int startScreenItemAt(float x, float y, const StartLayout& layout, const std::vector<FloatBox>& rowBoxes) {
    if (layout.openButton.contains(x, y)) return kItemOpen;
    if (layout.rows > 0 && layout.clearAction.contains(x, y)) return kItemClear;
    for (size_t i = 0; i < rowBoxes.size(); ++i)
        if (rowBoxes[i].contains(x, y)) return int(i);
    return kItemNothing;
}

float titleTextRoom(float W, float labelWidth) { return W - 154 - (158 + labelWidth); }

int mainAccessCount(const MainAccessView& v) {
    return v.startScreen ? kAccessFirstRow - 1 + int(v.rows.size()) : kAccessClose;
}

bool mainAccessItem(const MainAccessView& v, int child, AccessItem& item) {
    if (child < 1 || child > mainAccessCount(v)) return false;
    item = AccessItem();
    item.role = kRolePushButton;
    item.action = accessPressAction();
    if (child <= kAccessClose) {
        static const wchar_t* const names[] = {L"ย่อหน้าต่าง", L"ขยายหน้าต่างสูงสุด", L"ปิดหน้าต่าง"};
        item.name = accessText(child == kAccessMaximize && v.maximized ? L"คืนขนาดหน้าต่าง" : names[child - 1]);
        item.x = v.width - float(kAccessClose - child + 1) * kCaptionButtonWidth;
        item.w = kCaptionButtonWidth;
        item.h = v.titleHeight;
        if (v.titleHeight <= 0) item.state |= kStateInvisible;
        return true;
    }
    FloatBox box;
    if (child == kAccessOpen) {
        item.name = accessText(L"เปิดไฟล์");
        box = v.layout.openButton;
    } else if (child == kAccessClear) {
        item.name = accessText(v.clearArmed ? L"กดอีกครั้งเพื่อล้าง" : L"ล้างประวัติ");
        if (v.layout.rows > 0) box = v.layout.clearAction;
        else item.state |= kStateInvisible;
    } else {
        size_t row = size_t(child - kAccessFirstRow);
        item.role = kRoleListItem;
        item.name = row < v.rowNames.size() ? v.rowNames[row] : L"";
        item.value = row < v.rowTimes.size() ? v.rowTimes[row] : L"";
        item.description = accessText(L"ดูต่อจากที่ค้างไว้");
        box = v.rows[row];
    }
    item.x = box.x, item.y = box.y, item.w = box.w, item.h = box.h;
    return true;
}
