#include "app/taskbar.h"

#include <commctrl.h>
#include <shobjidl.h>

#include "app/diaglog.h"
#include "app/startup.h"
#include "engine/engine.h"
#include "input/commands.h"
#include "osd/hud_paint.h"
#include "panels/language.h"
#include "panels/titlebar.h"

namespace {

enum : UINT { kButtonPrev = 0x4B50, kButtonPlay, kButtonNext };

UINT buttonCreatedMessage = 0;
ITaskbarList3* taskbar = nullptr;
HIMAGELIST glyphs = nullptr;
DWORD lastTick = 0;
int shownState = -1;  // TBPF_* last given
int shownButtons = 0;  // what the buttons show: 1 enabled, 2 the play glyph

struct ButtonRow {
    UINT id;
    const char* command;
    int glyph;
    const wchar_t* tip;  // Thai source text
};
const ButtonRow kButtons[] = {
    {kButtonPrev, "playlist-prev", kGlyphPrev, L"ไฟล์ก่อนหน้า"},
    {kButtonPlay, "cycle pause", kGlyphPause, L"หยุดชั่วคราว"},
    {kButtonNext, "playlist-next", kGlyphNext, L"ไฟล์ถัดไป"},
};

// The image list holds the four glyphs in their enum order.
HIMAGELIST makeGlyphs() {
    int size = GetSystemMetrics(SM_CXSMICON);
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, 4, 0);
    for (int glyph : {kGlyphPrev, kGlyphNext, kGlyphPlay, kGlyphPause}) {
        HICON icon = TransportGlyphIcon(glyph, size);
        if (!list || !icon || ImageList_AddIcon(list, icon) < 0) {
            if (icon) DestroyIcon(icon);
            if (list) ImageList_Destroy(list);
            return nullptr;
        }
        DestroyIcon(icon);
    }
    return list;
}

THUMBBUTTON button(const ButtonRow& row, int shown) {
    bool paused = shown & 2;
    THUMBBUTTON b = {};
    b.dwMask = THB_BITMAP | THB_TOOLTIP | THB_FLAGS;
    b.iId = row.id;
    b.iBitmap = row.id == kButtonPlay && paused ? kGlyphPlay : row.glyph;
    const wchar_t* tip = row.id == kButtonPlay && paused ? L"เล่น" : row.tip;
    lstrcpynW(b.szTip, tr(tip), ARRAYSIZE(b.szTip));
    b.dwFlags = shown & 1 ? THBF_ENABLED : THBF_DISABLED;
    return b;
}

void setProgress(HWND window, int state, double position, double duration) {
    if (state != shownState) taskbar->SetProgressState(window, TBPFLAG(state));
    if (state == TBPF_NORMAL || state == TBPF_PAUSED)
        taskbar->SetProgressValue(window, ULONGLONG(position * 1000), ULONGLONG(duration * 1000));
    if (testMode && state != shownState) diagLog("taskbar progress state=%d", state);
    shownState = state;
}

}  // namespace

void initTaskbar(HWND window) {
    buttonCreatedMessage = RegisterWindowMessageW(L"TaskbarButtonCreated");
    // Explorer may run at another integrity level than we do.
    ChangeWindowMessageFilterEx(window, buttonCreatedMessage, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(window, WM_COMMAND, MSGFLT_ALLOW, nullptr);
}

bool onTaskbarMessage(HWND window, UINT message) {
    if (!buttonCreatedMessage || message != buttonCreatedMessage) return false;
    if (!taskbar) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&taskbar)))) {
            taskbar = nullptr;
        } else if (FAILED(taskbar->HrInit())) {
            taskbar->Release();
            taskbar = nullptr;
        }
    }
    if (!glyphs) glyphs = makeGlyphs();
    HRESULT added = E_FAIL;
    if (taskbar && glyphs) {
        THUMBBUTTON buttons[3];
        for (int i = 0; i < 3; ++i) buttons[i] = button(kButtons[i], 0);
        taskbar->ThumbBarSetImageList(window, glyphs);
        added = taskbar->ThumbBarAddButtons(window, 3, buttons);
    }
    shownState = -1;
    shownButtons = 0;
    if (testMode) diagLog("taskbar buttons=%d", SUCCEEDED(added) ? 3 : 0);
    return true;
}

void taskbarTick(HWND window) {
    if (!taskbar || GetTickCount() - lastTick < 1000) return;
    lastTick = GetTickCount();
    double position = 0, duration = 0;
    bool paused = false;
    engineGetFlag("pause", paused);
    bool playing = engineRunning() && !startScreenShown();
    bool timed = playing && engineGetDouble("duration", duration) && duration > 0 && engineGetDouble("time-pos", position);
    setProgress(window, timed ? (paused ? TBPF_PAUSED : TBPF_NORMAL) : TBPF_NOPROGRESS, position, duration);
    // On the start screen there is nothing for the buttons to do.
    int shown = (playing ? 1 : 0) | (playing && paused ? 2 : 0);
    if (shown == shownButtons) return;
    shownButtons = shown;
    THUMBBUTTON buttons[3];
    for (int i = 0; i < 3; ++i) buttons[i] = button(kButtons[i], shown);
    taskbar->ThumbBarUpdateButtons(window, 3, buttons);
    if (testMode) diagLog("taskbar buttons enabled=%d paused=%d", shown & 1, shown >> 1);
}

bool onTaskbarButton(WPARAM wParam) {
    if (HIWORD(wParam) != THBN_CLICKED) return false;
    for (const ButtonRow& row : kButtons) {
        if (row.id != LOWORD(wParam)) continue;
        executeCommand(row.command);
        return true;
    }
    return false;
}
