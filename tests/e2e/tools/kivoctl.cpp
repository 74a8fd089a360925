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
#include <windows.h>

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
    if (argc < 3) return 2;
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
