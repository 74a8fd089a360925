// Times the drawing kit under Wine: one toast repaint, and one full canvas of the control
// bar's size (1100 × 82 unscaled) presented to a layered window, at scale 1 and 2.
// Prints medians of many runs; checks nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "osd/drawing_kit.h"
#include "osd/toast.h"

namespace {

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

template <class Work>
void measure(const char* name, int runs, Work work) {
    for (int i = 0; i < 5; ++i) work();  // warm caches and the font rasteriser
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double t0 = nowMs();
        work();
        times.push_back(nowMs() - t0);
    }
    std::sort(times.begin(), times.end());
    printf("%-44s median %7.3f ms   p10 %7.3f   p90 %7.3f   (n=%d)\n", name, times[times.size() / 2],
           times[times.size() / 10], times[times.size() * 9 / 10], runs);
    fflush(stdout);
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? atoi(argv[1]) : 200;
    // The program's own fonts: the bench sits in build/win/bench, the program in build/win/bin.
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    exeFolder = folder.substr(0, folder.rfind(L'\\')) + L"\\..\\bin";
    double t0 = nowMs();
    InitDrawingKit();
    printf("InitDrawingKit (GDI+ and fonts)                 %7.1f ms   ui font: %ls\n", nowMs() - t0,
           FontFamilyNameOf(UiFont()).c_str());
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND owner = CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 720, nullptr, nullptr,
                                 instance, nullptr);
    HWND bar = CreateWindowExW(WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0,
                               10, 10, owner, nullptr, instance, nullptr);
    CreateToastWindow(owner, instance);
    for (float scale : {1.0f, 2.0f}) {
        SetUiScale(scale);
        char name[64];
        ShowToast(L"SPEED", L"1.25x", 60000);
        pump();
        snprintf(name, sizeof name, "toast repaint, scale %.0f", scale);
        measure(name, runs, [] { RepaintToast(); });

        int w = ScalePx(1100), h = ScalePx(82);
        snprintf(name, sizeof name, "Canvas + PresentLayered %dx%d, scale %.0f", w, h, scale);
        bool first = true;
        measure(name, runs, [&] {
            Canvas canvas(w, h);
            FillBox(canvas.graphics, PanelNavy, 0, 0, 1100, 82);
            OutlineBox(canvas.graphics, AccentCyan(40), 0, 0, 1100, 82);
            PresentLayered(bar, canvas, 90, 600, w, h);
            if (first) ShowAboveOwner(bar);
            first = false;
        });
        snprintf(name, sizeof name, "  of which Canvas alone %dx%d", w, h);
        measure(name, runs, [&] { Canvas canvas(w, h); });
        pump();
    }
    return 0;
}
