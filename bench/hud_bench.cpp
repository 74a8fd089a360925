// Times one control-bar tick (model refresh + repaint + presentation) at two window widths
// under the real window system. Prints medians; asserts nothing.
//   hud_bench.exe [ticks]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/mainwindow.h"
#include "osd/hud.h"
#include "osd/uiscale.h"

namespace {

double position = 1800;
double step = 0.1;  // seconds of playback per tick
double duration = 7200;

void runQuiet(const char*) {}
bool getDouble(const char* name, double& value) {
    if (!strcmp(name, "time-pos")) value = (position += step);
    else if (!strcmp(name, "duration")) value = duration;
    else if (!strcmp(name, "volume")) value = 150;
    else if (!strcmp(name, "speed")) value = 1.25;
    else return false;
    return true;
}
bool getFlag(const char*, bool& value) {
    value = false;
    return true;
}
bool getText(const char* name, char* buffer, size_t size) {
    snprintf(buffer, size, "%s", !strcmp(name, "ab-loop-a") ? "600" : (!strcmp(name, "aid") ? "1" : "no"));
    return true;
}

double medianTickMs(int ticks) {
    LARGE_INTEGER frequency, t0, t1;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int i = 0; i < ticks; ++i) {
        QueryPerformanceCounter(&t0);
        HudTick();
        QueryPerformanceCounter(&t1);
        ms.push_back(double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(frequency.QuadPart));
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int ticks = argc > 1 ? atoi(argv[1]) : 200;
    SetProcessDPIAware();
    SetUiScale(1.0f);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"HudBenchOwner";
    RegisterClassW(&wc);
    HWND owner = CreateWindowExW(0, L"HudBenchOwner", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 1100, 640, nullptr,
                                 nullptr, instance, nullptr);
    mainWindow = owner;
    static const EngineAccess access = {runQuiet, getDouble, getFlag, getText};
    SetHudFullScreen(false);
    CreateHud(owner, instance, access);
    SetStartScreen(false);
    SetHudMarkers({900, 2700, 5400});
    for (int width : {1100, 1920}) {
        SetWindowPos(owner, nullptr, 0, 0, width, 640, SWP_NOMOVE | SWP_NOZORDER);
        RelayoutHud();
        medianTickMs(10);  // warm up
        duration = 7200, position = 1800, step = 0.1;  // a film: the picture changes once a second
        printf("HUD tick at %4d px wide, film playing:      median %.3f ms over %d ticks\n", width,
               medianTickMs(ticks), ticks);
        duration = 40, position = 0, step = 0.1;   // a short clip: the playhead moves every tick
        printf("HUD tick at %4d px wide, short clip:        median %.3f ms over %d ticks\n", width,
               medianTickMs(ticks), ticks);
        duration = 7200, position = 1800, step = 1.0;  // a new time on every tick
        printf("HUD tick at %4d px wide, new time per tick: median %.3f ms over %d ticks\n", width,
               medianTickMs(ticks), ticks);
    }
    return 0;
}
