#include "input/paste.h"

#include <windows.h>
#include <shellapi.h>

#include "app/desktop_core.h"
#include "app/textconv.h"
#include "engine/engine.h"
#include "engine/open_files.h"
#include "input/feedback.h"
#include "panels/language.h"
#include "panels/titlebar.h"

namespace {

std::vector<std::wstring> droppedList(HDROP drop) {
    std::vector<std::wstring> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[520];
        if (DragQueryFileW(drop, i, path, 520) > 0) paths.emplace_back(path);
    }
    return paths;
}

// Lines of text that name a stream, or a file or folder that exists.
std::vector<std::wstring> textEntries(const wchar_t* text) {
    std::vector<std::wstring> entries;
    const std::u16string text16(reinterpret_cast<const char16_t*>(text));
    for (const std::u16string& entry : pastedTextEntries(text16)) {
        std::wstring wide(entry.begin(), entry.end());
        if (wide.find(L"://") != std::wstring::npos || GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES)
            entries.push_back(wide);
    }
    return entries;
}

std::vector<std::wstring> clipboardEntries() {
    std::vector<std::wstring> entries;
    if (!OpenClipboard(nullptr)) return entries;
    if (HANDLE drop = GetClipboardData(CF_HDROP)) {
        entries = droppedList(static_cast<HDROP>(drop));
    } else if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            entries = textEntries(text);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return entries;
}

}  // namespace

void queueFilesWithToast(const std::vector<std::wstring>& files) {
    queueFiles(files);
    wchar_t count[16];
    swprintf(count, 16, L"+%d", int(files.size()));
    showMessageToast(L"PLAYLIST", count);
}

void pasteFromClipboard(bool queue) {
    std::vector<std::wstring> entries = clipboardEntries();
    if (entries.empty()) {
        showMessageToast(L"PASTE", tr(L"ไม่มีอะไรให้เล่น"));
        return;
    }
    if (queue && engineRunning() && !startScreenShown()) queueFilesWithToast(entries);
    else startPlayback(entries);
}
