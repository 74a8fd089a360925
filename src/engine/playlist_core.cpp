#include "engine/playlist_core.h"

#include <algorithm>

#include "osd/uiscale_core.h"

PlaylistPlacement placePlaylist(int clientWidth, int clientHeight, int originX, int originY, int titleBar,
                                float scale) {
    if (!(scale > 0)) scale = 1;
    auto unscaled = [scale](int pixels) { return int(float(pixels) / scale); };
    PlaylistPlacement p;
    p.width = std::clamp(unscaled(clientWidth) - 36, 240, 360);
    p.height = std::max(unscaled(clientHeight) - unscaled(titleBar) - 190, 200);
    // The right edge keeps 18 pixels from the window's, the top lies 60 below the title bar.
    p.x = originX + clientWidth - scaledPixels(float(p.width + 18), scale);
    p.y = originY + titleBar + scaledPixels(60, scale);
    return p;
}

int playlistVisibleRows(int height) { return height < 152 ? 1 : (height - 92) / kPlaylistRowHeight; }

PlaylistBox playlistCloseBox(int width) { return {width - 40, 10, width - 16, 34}; }

PlaylistBox playlistAddBox(int width, int height) { return {14, height - 38, 14 + (width - 36) / 2, height - 10}; }

PlaylistBox playlistClearBox(int width, int height) {
    return {width - 14 - (width - 36) / 2, height - 38, width - 14, height - 10};
}

int clampFirstRow(int firstRow, int count, int rows) { return std::max(0, std::min(firstRow, std::max(count - rows, 0))); }

int scrollToEntry(int firstRow, int playing, int rows) {
    if (playing < 0 || (playing >= firstRow && playing < firstRow + rows)) return firstRow;
    return std::max(playing - rows / 2, 0);
}

PlaylistHit hitTestPlaylist(int width, int height, int count, int firstRow, int x, int y) {
    if (playlistCloseBox(width).contains(x, y)) return {kPartClose, -1};
    if (playlistAddBox(width, height).contains(x, y)) return {kPartAdd, -1};
    if (playlistClearBox(width, height).contains(x, y)) return {kPartClear, -1};
    int rows = playlistVisibleRows(height);
    for (int i = 0; i < rows && firstRow + i < count; ++i) {
        int top = kPlaylistRowTop + kPlaylistRowHeight * i;
        PlaylistBox row = {4, top, width - 4, top + kPlaylistRowHeight};
        if (!row.contains(x, y)) continue;
        return {x >= row.right - 30 ? kPartRemove : kPartRow, firstRow + i};
    }
    return {kPartNone, -1};
}

PlaylistThumb playlistThumb(int height, int count, int firstRow) {
    int rows = playlistVisibleRows(height);
    if (count <= rows) return {false, 0, 0};
    float track = float(height - 104);
    float thumb = std::max(18.0f, float(rows) * track / float(count));
    return {true, 50 + float(firstRow) * (track - thumb) / float(count - rows), thumb};
}

std::string entryNameFromPath(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

int playlistAccessCount(const PlaylistAccessView& v) { return kPlaylistAccessFirstEntry - 1 + 2 * v.count; }

PlaylistHit playlistAccessHit(int child) {
    const int entry = (child - kPlaylistAccessFirstEntry) / 2;
    if (child >= kPlaylistAccessFirstEntry) return {(child - kPlaylistAccessFirstEntry) % 2 ? kPartRemove : kPartRow, entry};
    static const PlaylistPart parts[] = {kPartNone, kPartClose, kPartAdd, kPartClear};
    return {child > 0 ? parts[child] : kPartNone, -1};
}

int playlistAccessChild(PlaylistHit hit) {
    switch (hit.part) {
        case kPartClose: return kPlaylistAccessClose;
        case kPartAdd: return kPlaylistAccessAdd;
        case kPartClear: return kPlaylistAccessClear;
        case kPartRow: return kPlaylistAccessFirstEntry + 2 * hit.index;
        case kPartRemove: return kPlaylistAccessFirstEntry + 2 * hit.index + 1;
        default: return 0;
    }
}

bool playlistAccessItem(const PlaylistAccessView& v, int child, const std::wstring& title, AccessItem& item) {
    if (child < 0 || child > playlistAccessCount(v)) return false;
    item = AccessItem();
    PlaylistBox box = {0, 0, 0, 0};
    item.action = accessPressAction();
    item.role = kRolePushButton;
    switch (child) {
        case 0:
            item.role = kRoleDialog;
            item.name = accessText(L"รายการเล่น");
            item.action.clear();
            return true;
        case kPlaylistAccessClose:
            item.name = accessText(L"ปิดหน้าต่าง");
            box = playlistCloseBox(v.width);
            break;
        case kPlaylistAccessAdd:
            item.name = accessText(L"+ เพิ่มไฟล์");
            box = playlistAddBox(v.width, v.height);
            break;
        case kPlaylistAccessClear:
            item.name = accessText(L"ล้างรายการ");
            box = playlistClearBox(v.width, v.height);
            break;
        default: {
            // The row's right 30 pixels are its remove cross, as the mouse finds them.
            const PlaylistHit hit = playlistAccessHit(child);
            const int row = hit.index - v.firstRow;
            if (hit.part == kPartRemove) {
                item.name = accessText(L"ลบออกจากรายการ");
                item.description = title;
            } else {
                item.role = kRoleListItem;
                item.name = title;
                item.value = std::to_wstring(hit.index + 1);
                item.state = kStateSelectable;
                if (hit.index == v.playing) {
                    item.state |= kStateSelected;
                    item.description = accessText(L"กำลังเล่น");
                }
            }
            if (row >= 0 && row < playlistVisibleRows(v.height)) {
                const int top = kPlaylistRowTop + kPlaylistRowHeight * row, cross = v.width - 4 - 30;
                box = hit.part == kPartRemove ? PlaylistBox{cross, top, v.width - 4, top + kPlaylistRowHeight}
                                              : PlaylistBox{4, top, cross, top + kPlaylistRowHeight};
            } else {
                item.state |= kStateOffscreen;
            }
        }
    }
    item.x = float(box.left), item.y = float(box.top);
    item.w = float(box.right - box.left), item.h = float(box.bottom - box.top);
    return true;
}
