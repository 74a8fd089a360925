// Test driver run under Wine beside the program: finds its window by class and reports
// or sends what an end-to-end test needs. Prints one line; exit code 0 on success.
//   kivoctl window CLASS [CHILDCLASS]  window x y w h, client w h, visible, topmost (1/0), title;
//                                      of the window's child of that class if one is named
//   kivoctl send CLASS MSG WPARAM LPARAM    (numbers in C syntax; prints the result)
//   kivoctl post CLASS MSG WPARAM LPARAM
//   kivoctl command CLASS TEXT     runs a command string in a test-mode player
//   kivoctl size CLASS W H         resizes the window, keeping its place
//   kivoctl clipboardowner         class of the clipboard owner and whether it holds a bitmap
//   kivoctl clipboard              the clipboard's Unicode text as UTF-8, line ends unchanged
//   kivoctl holdclipboard TEXT MS  puts TEXT on the clipboard and keeps it open MS ms
//   kivoctl access CLASS           the accessible object of every shown window of the class, as
//                                  a screen reader gets it: one line for the window, one per
//                                  element: id, role, state, name, value, shortcut, location
//   kivoctl press CLASS ID         the default action of element ID of the first shown one
//   kivoctl hit X Y                the element a screen reader finds at a screen point: its name
//   kivoctl events MS              for MS ms, each alert, focus, name or value change of the
//                                  program's objects: event, class, element, name, value
//   kivoctl copyfiles PATH...      puts the paths on the clipboard as Explorer's copied files
//   kivoctl drop CLASS PATH...     drops the paths on a test-mode player
//   kivoctl registered NAME        the number of a registered window message
//   kivoctl keyaccess KEY read|full  makes a key under HKEY_CURRENT_USER read-only, or open again
#include <windows.h>
#include <oleacc.h>
#include <sddl.h>
#include <shlobj.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string utf8(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    return out;
}

long long number(const wchar_t* text) { return wcstoll(text, nullptr, 0); }

std::wstring pathList(int argc, wchar_t** argv, int first) {
    std::wstring list;
    for (int i = first; i < argc; ++i) list += std::wstring(argv[i]) + L'\0';
    return list + L'\0';
}

// Declared here: the import library's IID_IAccessible is a thunk's address under mingw-w64.
const IID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string text(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long child) {
    VARIANT id;
    id.vt = VT_I4;
    id.lVal = child;
    BSTR value = nullptr;
    std::string out = SUCCEEDED((object->*get)(id, &value)) && value ? utf8(value) : "";
    SysFreeString(value);
    return out;
}

// id, role, state, name, value, shortcut, location: tab-separated.
void printElement(IAccessible* object, long child) {
    VARIANT id, role, state;
    id.vt = VT_I4;
    id.lVal = child;
    VariantInit(&role);
    VariantInit(&state);
    object->get_accRole(id, &role);
    object->get_accState(id, &state);
    long x = 0, y = 0, w = 0, h = 0;
    object->accLocation(&x, &y, &w, &h, id);
    printf("%ld\t%ld\t0x%lx\t%s\t%s\t%s\t%ld,%ld,%ld,%ld\n", child, role.lVal, state.lVal,
           text(object, &IAccessible::get_accName, child).c_str(), text(object, &IAccessible::get_accValue, child).c_str(),
           text(object, &IAccessible::get_accKeyboardShortcut, child).c_str(), x, y, w, h);
}

IAccessible* accessibleOf(HWND window) {
    IAccessible* object = nullptr;
    return SUCCEEDED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), kIidAccessible,
                                                reinterpret_cast<void**>(&object))) ? object : nullptr;
}

void CALLBACK onEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    IAccessible* accessible = nullptr;
    VARIANT id;
    VariantInit(&id);
    if (object != OBJID_CLIENT || wcsncmp(name, L"Kivo", 4) != 0 ||
        FAILED(AccessibleObjectFromEvent(window, DWORD(object), DWORD(child), &accessible, &id)))
        return;
    printf("0x%lx\t%s\t%ld\t%s\t%s\n", event, utf8(name).c_str(), child,
           text(accessible, &IAccessible::get_accName, id.lVal).c_str(),
           text(accessible, &IAccessible::get_accValue, id.lVal).c_str());
    fflush(stdout);
    accessible->Release();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::wstring verb = argv[1];
    if (verb == L"clipboardowner") {
        // Wine cannot hand a bitmap handle to another process; who placed which format is
        // what can be seen from here.
        wchar_t owner[64] = L"none";
        if (HWND window = GetClipboardOwner()) GetClassNameW(window, owner, 64);
        printf("%s bitmap=%d\n", utf8(owner).c_str(), IsClipboardFormatAvailable(CF_BITMAP) ? 1 : 0);
        return 0;
    }
    if (verb == L"clipboard") {
        if (!OpenClipboard(nullptr)) return 1;
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const wchar_t* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
        std::string out = text ? utf8(text) : std::string();
        if (text) GlobalUnlock(data);
        CloseClipboard();
        _setmode(_fileno(stdout), _O_BINARY);
        fwrite(out.data(), 1, out.size(), stdout);
        return text ? 0 : 1;
    }
    if (verb == L"holdclipboard" && argc >= 4) {
        if (!OpenClipboard(nullptr)) return 1;
        size_t bytes = (wcslen(argv[2]) + 1) * sizeof(wchar_t);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(block), argv[2], bytes);
        GlobalUnlock(block);
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, block);
        printf("held\n");
        fflush(stdout);
        Sleep(DWORD(number(argv[3])));
        CloseClipboard();
        return 0;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (verb == L"events" && argc >= 3) {
        HWINEVENTHOOK hooks[] = {
            SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_SYSTEM_ALERT, nullptr, onEvent, 0, 0, WINEVENT_OUTOFCONTEXT),
            SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, onEvent, 0, 0, WINEVENT_OUTOFCONTEXT),
            SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, onEvent, 0, 0,
                            WINEVENT_OUTOFCONTEXT)};
        printf("ready\n");
        fflush(stdout);
        for (DWORD end = GetTickCount() + DWORD(number(argv[2])); int(end - GetTickCount()) > 0;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
        for (HWINEVENTHOOK hook : hooks) UnhookWinEvent(hook);
        return 0;
    }
    if (verb == L"hit" && argc >= 4) {
        IAccessible* object = nullptr;
        VARIANT child;
        POINT at = {LONG(number(argv[2])), LONG(number(argv[3]))};
        if (FAILED(AccessibleObjectFromPoint(at, &object, &child)) || !object) return 1;
        printf("%s\n", text(object, &IAccessible::get_accName, child.vt == VT_I4 ? child.lVal : 0).c_str());
        object->Release();
        return 0;
    }
    if (verb == L"registered" && argc >= 3) {
        printf("%u\n", RegisterWindowMessageW(argv[2]));
        return 0;
    }
    if (verb == L"keyaccess" && argc >= 4) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, argv[2], 0, nullptr, 0, WRITE_DAC, nullptr, &key, nullptr)) return 1;
        PSECURITY_DESCRIPTOR rights = nullptr;
        ConvertStringSecurityDescriptorToSecurityDescriptorW(
            wcscmp(argv[3], L"read") == 0 ? L"D:P(A;;KR;;;WD)" : L"D:(A;;KA;;;WD)", SDDL_REVISION_1, &rights, nullptr);
        LSTATUS status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, rights);
        LocalFree(rights);
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? 0 : 1;
    }
    if (verb == L"copyfiles") {
        // DROPFILES, then each path and its NUL, then one more NUL.
        std::wstring list = pathList(argc, argv, 2);
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * 2);
        auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        memcpy(drop + 1, list.data(), list.size() * 2);
        GlobalUnlock(block);
        if (!OpenClipboard(nullptr)) return 1;
        EmptyClipboard();
        bool ok = SetClipboardData(CF_HDROP, block) != nullptr;
        CloseClipboard();
        return ok ? 0 : 1;
    }
    if (argc < 3) return 2;
    if (verb == L"access" || verb == L"press") {
        int found = 0;
        for (HWND w = FindWindowW(argv[2], nullptr); w; w = FindWindowExW(nullptr, w, argv[2], nullptr)) {
            if (!IsWindowVisible(w)) continue;
            IAccessible* object = accessibleOf(w);
            if (!object) return 1;
            ++found;
            if (verb == L"press") {
                VARIANT id;
                id.vt = VT_I4;
                id.lVal = argc >= 4 ? long(number(argv[3])) : 0;
                HRESULT hr = object->accDoDefaultAction(id);
                printf("0x%lx\n", hr);
                return SUCCEEDED(hr) ? 0 : 1;
            }
            long count = 0;
            object->get_accChildCount(&count);
            for (long child = 0; child <= count; ++child) printElement(object, child);
            object->Release();
        }
        return found ? 0 : 1;
    }
    HWND window = FindWindowW(argv[2], nullptr);
    if (!window) {
        printf("no window\n");
        return 1;
    }
    if (verb == L"window" && argc >= 4) window = FindWindowExW(window, nullptr, argv[3], nullptr);
    if (verb == L"window") {
        RECT r, c;
        wchar_t title[1024] = L"";
        if (!window) return 1;
        GetWindowRect(window, &r);
        GetClientRect(window, &c);
        GetWindowTextW(window, title, 1024);
        printf("%ld %ld %ld %ld %ld %ld %d %d %s\n", r.left, r.top, r.right - r.left, r.bottom - r.top, c.right,
               c.bottom, IsWindowVisible(window) ? 1 : 0, GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST ? 1 : 0,
               utf8(title).c_str());
        return 0;
    }
    if (verb == L"size" && argc >= 5) {
        return SetWindowPos(window, nullptr, 0, 0, int(number(argv[3])), int(number(argv[4])),
                            SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
    }
    if (verb == L"command" && argc >= 4) {
        std::string text = utf8(argv[3]);
        COPYDATASTRUCT data = {0x4B56434D, DWORD(text.size()), &text[0]};
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, WM_COPYDATA, 0, LPARAM(&data), SMTO_ABORTIFHUNG, 30000, &result)) return 1;
        return result == 1 ? 0 : 1;
    }
    if (verb == L"drop") {
        std::wstring list = pathList(argc, argv, 3);
        COPYDATASTRUCT data = {0x4B564452, DWORD(list.size() * 2), &list[0]};
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(window, WM_COPYDATA, 0, LPARAM(&data), SMTO_ABORTIFHUNG, 10000, &result) && result == 1
                   ? 0 : 1;
    }
    if ((verb == L"send" || verb == L"post") && argc >= 6) {
        UINT message = UINT(number(argv[3]));
        WPARAM wParam = WPARAM(number(argv[4]));
        LPARAM lParam = LPARAM(number(argv[5]));
        if (verb == L"post") return PostMessageW(window, message, wParam, lParam) ? 0 : 1;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) return 1;
        printf("%lld\n", (long long)result);
        return 0;
    }
    return 2;
}
