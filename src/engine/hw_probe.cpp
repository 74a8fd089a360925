#include "engine/hw_probe.h"

#include <windows.h>
#include <d3d11.h>

#include <atomic>

#include "app/diaglog.h"

namespace {

enum ProbeAnswer { kUnknown, kYes, kNo };
std::atomic<int> answer{kUnknown};
std::atomic<HANDLE> answered{nullptr};  // set once the answer is in

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
    answer.store(decodes ? kYes : kNo, std::memory_order_release);
    SetEvent(answered);
    diagLog("hwdec_probe_ms=%.1f (%s, %.1f ms)", processMs(), decodes ? "yes" : "no", processMs() - startMs);
    return 0;
}

}  // namespace

void startHardwareDecodingProbe() {
    if (answered.load()) return;
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!event) return;
    answered.store(event);
    HANDLE thread = CreateThread(nullptr, 0, probeThreadMain, nullptr, 0, nullptr);
    if (thread) {
        CloseHandle(thread);
        return;
    }
    answer.store(kYes);
    SetEvent(event);
}

bool hardwareDecodingLikely(unsigned waitMs) {
    HANDLE event = answered.load();
    if (event && answer.load(std::memory_order_acquire) == kUnknown &&
        WaitForSingleObject(event, waitMs) == WAIT_TIMEOUT && waitMs > 0)
        diagLog("hwdec_probe_late_ms=%.1f", processMs());
    return answer.load(std::memory_order_acquire) != kNo;
}
