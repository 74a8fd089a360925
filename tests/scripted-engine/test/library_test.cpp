// The library as the loader sees it (exports, the variant without
// mpv_error_string, error texts) and the engine's picture window.
#include <gtest/gtest.h>

#include <string>

#include "engine_client.h"

using client::Session;
using client::SessionSettings;

namespace {

const char *const kEntryPoints[] = {
    "mpv_create",     "mpv_initialize",     "mpv_set_option_string",
    "mpv_command",    "mpv_command_string", "mpv_command_async",
    "mpv_wait_event", "mpv_get_property",   "mpv_get_property_string",
    "mpv_free",       "mpv_error_string",
};

struct ChildSearch {
    HWND found = nullptr;
    int count = 0;
};

BOOL CALLBACK rememberChild(HWND window, LPARAM context) {
    ChildSearch *search = (ChildSearch *)context;
    search->count++;
    if (!search->found) search->found = window;
    return TRUE;
}

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
}

LRESULT CALLBACK passThrough(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
WNDPROC engineProcedure = nullptr;
LRESULT CALLBACK passThrough(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(engineProcedure, window, message, wParam, lParam);
}

}  // namespace

TEST(Library, ExportsTheElevenEntryPoints) {
    HMODULE module = client::api().module;
    ASSERT_NE(module, nullptr);
    for (const char *name : kEntryPoints) EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
}

TEST(Library, TheNosymVariantLacksOnlyTheErrorString) {
    std::wstring path = client::programFolder() + L"\\nosym\\libmpv-2.dll";
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(module, nullptr);
    ASSERT_NE(module, client::api().module);
    for (const char *name : kEntryPoints) {
        bool expected = std::string(name) != "mpv_error_string";
        EXPECT_EQ(GetProcAddress(module, name) != nullptr, expected) << name;
    }
}

TEST(Library, ErrorTextsAreTheEngines) {
    const auto &api = client::api();
    EXPECT_STREQ(api.errorString(0), "success");
    EXPECT_STREQ(api.errorString(-5), "option not found");
    EXPECT_STREQ(api.errorString(-10), "property unavailable");
    EXPECT_STREQ(api.errorString(-13), "loading failed");
    EXPECT_STREQ(api.errorString(-99), "unknown error");
}

TEST(Library, PictureWindowFillsTheGivenWindowFollowsItAndShowsBars) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ScriptedEngineTestHost";
    RegisterClassW(&windowClass);
    HWND host = CreateWindowExW(0, L"ScriptedEngineTestHost", L"host", WS_POPUP | WS_VISIBLE, 0, 0,
                                640, 360, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(host, nullptr);

    SessionSettings settings;
    settings.media = "exists=any\npaused=1\n";
    Session session(settings);
    session.option("wid", std::to_string((long long)(intptr_t)host));
    ASSERT_EQ(session.initialize(), 0);
    session.command({"loadfile", "C:\\clips\\film.mkv"});

    ChildSearch search;
    for (int i = 0; i < 100 && !search.found; i++) {
        pumpFor(30);
        EnumChildWindows(host, rememberChild, (LPARAM)&search);
    }
    ASSERT_NE(search.found, nullptr);
    EXPECT_EQ(search.count, 1);
    wchar_t className[32] = {};
    GetClassNameW(search.found, className, 32);
    EXPECT_STREQ(className, L"mpv");
    EXPECT_NE(GetWindowThreadProcessId(search.found, nullptr), GetCurrentThreadId());
    RECT box;
    GetClientRect(search.found, &box);
    EXPECT_EQ(box.right, 640);
    EXPECT_EQ(box.bottom, 360);

    // Subclassed from this thread, as the program does, it keeps painting.
    engineProcedure = (WNDPROC)SetWindowLongPtrW(search.found, GWLP_WNDPROC, (LONG_PTR)passThrough);
    SetWindowPos(host, nullptr, 0, 0, 800, 450, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int i = 0; i < 100; i++) {
        pumpFor(30);
        GetClientRect(search.found, &box);
        if (box.right == 800) break;
    }
    EXPECT_EQ(box.right, 800);
    EXPECT_EQ(box.bottom, 450);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 800, 450);
    SelectObject(memory, bitmap);
    SendMessageW(search.found, WM_PRINTCLIENT, (WPARAM)memory, PRF_CLIENT);
    EXPECT_EQ(GetPixel(memory, 800 / 14, 20), RGB(191, 191, 191));   // first bar
    EXPECT_EQ(GetPixel(memory, 800 * 13 / 14, 20), RGB(0, 0, 191));  // last bar
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    DestroyWindow(host);
}
