#include "panels/help_access.h"

#include "panels/help_core.h"
#include "panels/info_core.h"
#include "panels/language.h"

namespace {

int elementCount(HWND) {
    int scroll, height;
    return helpAccessView(scroll, height) ? 1 + int(kHelpRowCount) : 0;
}

bool describeElement(HWND, int child, AccessItem& item) {
    int scroll, height;
    helpAccessView(scroll, height);
    const bool thai = helpInThai(currentLanguage().c_str());
    if (child == 0) {
        item = AccessItem();
        item.role = kRoleDialog;
        item.name = thai ? L"วิธีใช้งาน" : L"How to use";
        return true;
    }
    if (child == 1) {
        floatingButtonAccessItem(accessText(L"ปิดหน้าต่าง"), kFloatingCloseX, kFloatingCloseY, kFloatingCloseSize,
                                 kFloatingCloseSize, item);
        return true;
    }
    size_t index = size_t(child - 2);
    if (child < 2 || index >= kHelpRowCount) return false;
    int top = 0;
    for (size_t i = 0; i < index; ++i) top += helpRows[i].key ? kHelpActionHeight : kHelpHeadingHeight;
    const HelpRow& row = helpRows[index];
    const bool heading = !row.key;
    floatingRowAccessItem(heading ? helpDescription(row, thai) : helpKeyText(row, thai),
                          heading ? L"" : helpDescription(row, thai), heading, top,
                          heading ? kHelpHeadingHeight : kHelpActionHeight, scroll, height, item);
    return true;
}

bool pressElement(HWND, int child) {
    if (child == 1) pressHelpClose();
    return child == 1;
}

}  // namespace

const AccessProvider kHelpAccess = {elementCount, describeElement, pressElement, nullptr};
