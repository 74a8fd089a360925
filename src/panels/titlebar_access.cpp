#include "panels/titlebar_access.h"

#include "panels/start_screen.h"
#include "panels/titlebar.h"

namespace {

MainAccessView viewOf(HWND window) {
    MainAccessView view;
    RECT client;
    GetClientRect(window, &client);
    view.width = float(client.right) / UiScale();
    view.titleHeight = float(titleBarHeight()) / UiScale();
    view.maximized = IsZoomed(window) != 0;
    fillStartScreenAccessView(view);
    return view;
}

int childCount(HWND window) { return mainAccessCount(viewOf(window)); }

bool describeChild(HWND window, int child, AccessItem& item) {
    if (child != 0) return mainAccessItem(viewOf(window), child, item);
    item = AccessItem();
    wchar_t title[512] = L"";
    GetWindowTextW(window, title, 512);
    item.name = title;
    return true;
}

bool pressChild(HWND window, int child) {
    static const long long captionCodes[] = {HTMINBUTTON, HTMAXBUTTON, HTCLOSE};
    if (child >= kAccessMinimize && child <= kAccessClose) pressCaptionButton(window, captionCodes[child - 1]);
    else if (child == kAccessOpen) startScreenActivate(window, kItemOpen);
    else if (child == kAccessClear) startScreenActivate(window, kItemClear);
    else startScreenActivate(window, child - kAccessFirstRow);
    return true;
}

}  // namespace

const AccessProvider kMainWindowAccess = {childCount, describeChild, pressChild, nullptr};
