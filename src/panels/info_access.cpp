#include "panels/info_access.h"

namespace {

enum : int { kClose = 1, kCopy = 2, kFirstRow = 3 };

int elementCount(HWND) {
    const std::vector<InfoRow>* rows;
    int scroll, height;
    bool copied;
    return infoAccessView(rows, scroll, height, copied) ? kFirstRow - 1 + int(rows->size()) : 0;
}

bool describeElement(HWND, int child, AccessItem& item) {
    const std::vector<InfoRow>* rows;
    int scroll, height;
    bool copied;
    infoAccessView(rows, scroll, height, copied);
    if (child == 0) {
        item = AccessItem();
        item.role = kRoleDialog;
        item.name = accessText(L"ข้อมูลไฟล์");
    } else if (child == kClose) {
        floatingButtonAccessItem(accessText(L"ปิดหน้าต่าง"), kFloatingCloseX, kFloatingCloseY, kFloatingCloseSize,
                                 kFloatingCloseSize, item);
    } else if (child == kCopy) {
        floatingButtonAccessItem(accessText(copied ? L"คัดลอกแล้ว" : L"คัดลอกทั้งหมด"), 444, 10, 140, 26, item);
    } else {
        size_t index = size_t(child - kFirstRow);
        if (child < 0 || index >= rows->size()) return false;
        int top = 0;
        for (size_t i = 0; i < index; ++i) top += infoRowHeight((*rows)[i]);
        const InfoRow& row = (*rows)[index];
        floatingRowAccessItem(row.label, row.value, row.kind == kSectionHeading, top, infoRowHeight(row), scroll,
                              height, item);
    }
    return true;
}

bool pressElement(HWND, int child) {
    if (child == kClose) pressInfoClose();
    else if (child == kCopy) pressInfoCopy();
    return child == kClose || child == kCopy;
}

}  // namespace

const AccessProvider kInfoAccess = {elementCount, describeElement, pressElement, nullptr};
