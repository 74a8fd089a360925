#include "engine/hw_probe.h"

#include <windows.h>
#include <d3d11.h>

#include <atomic>

#include "app/diaglog.h"

namespace {

std::atomic<int> answer{int(HwProbeAnswer::Unknown)};
std::atomic<bool> started{false};
std::atomic<ULONGLONG> deferredUntil{0};  // non-zero while a deferred choice waits for the answer

// d3d11.dll is loaded by name at run time, so the program still starts where it is missing.
bool deviceDecodesVideo() {
    HMODULE library = LoadLibraryW(L"d3d11.dll");
    if (!library) return false;
    auto create = reinterpret_cast<PFN_D3D11_CREATE_DEVICE>(
        reinterpret_cast<void*>(GetProcAddress(library, "D3D11CreateDevice")));
    bool decodes = false;
    ID3D11Device* device = nullptr;
    if (create && SUCCEEDED(create(nullptr, D3D_DRIVER_TYPE_HARDWARE, nullptr, D3D11_CREATE_DEVICE_VIDEO_SUPPORT,
                                   nullptr, 0, D3D11_SDK_VERSION, &device, nullptr, nullptr))) {
        ID3D11VideoDevice* video = nullptr;
        if (SUCCEEDED(device->QueryInterface(__uuidof(ID3D11VideoDevice), reinterpret_cast<void**>(&video)))) {
            decodes = video->GetVideoDecoderProfileCount() > 0;
            video->Release();
        }
        device->Release();
    }
    FreeLibrary(library);
    return decodes;
}

DWORD WINAPI probeThreadMain(void*) {
    double startMs = processMs();
    bool decodes = deviceDecodesVideo();
    answer.store(int(decodes ? HwProbeAnswer::Yes : HwProbeAnswer::No), std::memory_order_release);
    diagLog("hwdec_probe_ms=%.1f (%s, %.1f ms)", processMs(), decodes ? "yes" : "no", processMs() - startMs);
    return 0;
}

}  // namespace

bool runningOnWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

void startHardwareDecodingProbe() {
    if (started.exchange(true)) return;
    // Bringing up Wine's Direct3D only to learn that it decodes nothing takes half a second of CPU
    // from the engine's own start.
    if (runningOnWine()) {
        answer.store(int(HwProbeAnswer::No), std::memory_order_release);
        diagLog("hwdec_probe_ms=%.1f (no, wine)", processMs());
        return;
    }
    HANDLE thread = CreateThread(nullptr, 0, probeThreadMain, nullptr, 0, nullptr);
    if (thread) CloseHandle(thread);
}

HwProbeAnswer hardwareDecodingProbeAnswer() {
    return static_cast<HwProbeAnswer>(answer.load(std::memory_order_acquire));
}

void deferHardwareDecodingChoice() { deferredUntil.store(GetTickCount64() + 1500); }

bool settleDeferredHardwareDecoding() {
    ULONGLONG until = deferredUntil.load();
    if (!until) return false;
    HwProbeAnswer probe = hardwareDecodingProbeAnswer();
    if (probe == HwProbeAnswer::Unknown && GetTickCount64() < until) return false;
    deferredUntil.store(0);
    if (probe == HwProbeAnswer::Unknown) diagLog("hwdec_probe_late_ms=%.1f", processMs());
    return probe != HwProbeAnswer::No;
}
