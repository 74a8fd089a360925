#include "menu/menu_access.h"

namespace {

int rowCount(HWND window) {
    const LevelLayout* layout;
    int hover;
    const MenuItems* items = OpenMenuLevel(window, &layout, &hover);
    return items ? int(items->size()) : 0;
}

bool describeRow(HWND window, int child, AccessItem& item) {
    const LevelLayout* layout;
    int hover;
    const MenuItems* items = OpenMenuLevel(window, &layout, &hover);
    if (child == 0) {
        item = AccessItem();
        item.role = kRoleMenuPopup;
        if (const MenuItem* parent = MenuLevelParentRow(window)) item.name = parent->label;
        return true;
    }
    return items && menuRowAccessItem(*items, *layout, child - 1, hover == child - 1, item);
}

bool pressRow(HWND window, int child) { return PressMenuRow(window, child - 1); }

int highlightedRow(HWND window) {
    const LevelLayout* layout;
    int hover = -1;
    return OpenMenuLevel(window, &layout, &hover) ? hover + 1 : 0;
}

}  // namespace

const AccessProvider kMenuAccess = {rowCount, describeRow, pressRow, highlightedRow};
