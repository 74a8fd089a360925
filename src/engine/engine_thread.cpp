#include "engine/engine_thread.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "app/diaglog.h"
#include "app/engine_window.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "engine/engine.h"
#include "engine/engine_options_core.h"
#include "engine/hw_probe.h"
#include "store/settings.h"

std::string engineFirstFile;
std::vector<std::string> engineFurtherFiles;

namespace {

HWND engineWindow = nullptr;
bool firstFrameSeen = false;
bool fileFramePending = false;
ULONGLONG firstFrameTick = 0;
bool stateLinesWritten = false;

void postToMain(UINT message) { PostMessageW(mainWindow, message, 0, 0); }

bool loadEngineApi() {
    HMODULE library = static_cast<HMODULE>(loadEngineLibrary());
    if (!library) {
        diagLog("LOAD_FAIL err=%lu", GetLastError());
        return false;
    }
    diagLog("libmpv_loaded_ms=%.1f", processMs());
    void** slots = reinterpret_cast<void**>(&engineApi);
    for (int i = 0; i < 11; ++i) {
        slots[i] = reinterpret_cast<void*>(GetProcAddress(library, kEngineApiNames[i]));
        if (!slots[i]) {
            diagLog("SYMBOLS_MISSING");
            return false;
        }
    }
    for (int i = 0; i < 5; ++i)
        slots[11 + i] = reinterpret_cast<void*>(GetProcAddress(library, kEngineRenderApiNames[i]));
    if (!slots[11] || !slots[12] || !slots[13] || !slots[14] || !slots[15]) engineApi.mpv_render_context_create = nullptr;
    return true;
}

BOOL CALLBACK takeFirstChild(HWND child, LPARAM found) {
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// The engine's own picture window gets our forwarding procedure, so clicks and keys on
// the picture reach the main window. Runs on this thread: the procedure may only post.
void hookEngineWindow() {
    if (engineWindow || !videoWindow) return;
    HWND child = nullptr;
    EnumChildWindows(videoWindow, takeFirstChild, reinterpret_cast<LPARAM>(&child));
    if (!child) return;
    DragAcceptFiles(child, TRUE);
    previousEngineWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(engineWindowForwardProc)));
    engineWindow = child;
    diagLog("mpv_window_hooked_ms=%.1f", processMs());
}

// KIVOPLAYER_TEST: a snapshot of the playing state 1.5 s after the first picture, then close.
void writeStateLinesOnce() {
    if (stateLinesWritten || !firstFrameSeen || GetTickCount64() - firstFrameTick < 1501) return;
    stateLinesWritten = true;
    diagLog("sub-text=[%s]  sid=%s  sub-codepage=%s", engineGetString("sub-text").c_str(),
            engineGetString("sid").c_str(), engineGetString("sub-codepage").c_str());
    diagLog("time-pos=%s  video=%s %sx%s  audio=%s  hwdec=%s  vo=%s  dropped=%s  playlist=%s/%s",
            engineGetString("time-pos").c_str(), engineGetString("video-codec").c_str(),
            engineGetString("width").c_str(), engineGetString("height").c_str(),
            engineGetString("audio-codec-name").c_str(), engineGetString("hwdec-current").c_str(),
            engineGetString("current-vo").c_str(), engineGetString("decoder-frame-drop-count").c_str(),
            engineGetString("playlist-pos-1").c_str(), engineGetString("playlist-count").c_str());
    postToMain(WM_CLOSE);
}

void handleEvent(const MpvEvent* event) {
    switch (event->eventId) {
        case MPV_EVENT_END_FILE: {
            auto* end = static_cast<const MpvEventEndFile*>(event->data);
            if (!end || end->reason != MPV_END_FILE_REASON_ERROR) return;
            diagLog("end_file ERROR: %s", engineApi.mpv_error_string(end->error));
            if (testMode) postToMain(WM_CLOSE);
            return;
        }
        case MPV_EVENT_FILE_LOADED:
            diagLog("file_loaded_ms=%.1f", processMs());
            postToMain(WM_APP_FILE_LOADED);
            fileFramePending = true;
            return;
        case MPV_EVENT_PLAYBACK_RESTART:
            if (fileFramePending) {
                fileFramePending = false;
                // Resuming, the engine deletes the file's resume entry; the main window writes it
                // again at once rather than at the next periodic save.
                char start[64];
                if (engineGetText("start", start, sizeof start) && strcmp(start, "none") != 0)
                    postToMain(WM_APP_RESUMED_SHOWN);
            }
            if (firstFrameSeen) return;
            firstFrameTick = GetTickCount64();
            diagLog("first_frame_ms=%.1f", processMs());
            postToMain(WM_APP_FIRST_FRAME);
            firstFrameSeen = true;
            return;
    }
}

bool startEngine() {
    if (!loadEngineApi()) return false;
    mpv_handle* handle = engineApi.mpv_create();
    if (!handle) {
        diagLog("mpv_create failed");
        return false;
    }
    EngineStartInputs inputs;
    inputs.settings = &appSettings();
    inputs.resumeEnabled = resumeEnabled;
    inputs.moreFilesGiven = !engineFurtherFiles.empty();
    inputs.resumeFolder = toUtf8(resumeFolder);
    inputs.pictureWindow = reinterpret_cast<long long>(videoWindow);
    HwProbeAnswer probe = hardwareDecodingProbeAnswer();
    inputs.hardwareDecoding = appSettings().hwdec && probe == HwProbeAnswer::Yes;
    if (appSettings().hwdec && probe == HwProbeAnswer::Unknown) deferHardwareDecodingChoice();
    inputs.direct3d9Output = runningOnWine();
    inputs.testMode = testMode;
    for (const auto& option : engineStartOptions(inputs))
        engineSetOption(handle, option.first.c_str(), option.second.c_str());
    int result = engineApi.mpv_initialize(handle);
    diagLog("mpv_initialized_ms=%.1f (%s)", processMs(), result < 0 ? engineApi.mpv_error_string(result) : "ok");
    if (result < 0) return false;
    engineHandle.store(handle, std::memory_order_release);
    engineCommandArgs({"loadfile", engineFirstFile.c_str()});
    for (const std::string& file : engineFurtherFiles) engineCommandArgs({"loadfile", file.c_str(), "append"});
    return true;
}

}  // namespace

void* loadEngineLibrary() {
    std::wstring path = exeFolder + L"\\libmpv-2.dll";
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

DWORD WINAPI engineThreadMain(void*) {
    diagLog("worker_start_ms=%.1f", processMs());
    if (!startEngine()) {
        postToMain(WM_APP_ENGINE_FAILED);
        return 1;
    }
    mpv_handle* handle = engineHandle.load(std::memory_order_acquire);
    bool plainTest = testMode && !keyTestMode && !demoScript[0];
    // The engine writes the resume entry while it runs the quit command, and the process is
    // ended as soon as this thread is: so a quit is waited for until the engine answers it.
    while (quitRequested.load() != kQuitStop) {
        const MpvEvent* event = engineApi.mpv_wait_event(handle, 0.1);
        if (event && event->eventId == MPV_EVENT_SHUTDOWN) break;
        if (event && event->eventId == MPV_EVENT_COMMAND_REPLY && event->replyUserdata == kQuitReplyTag) break;
        if (event) handleEvent(event);
        hookEngineWindow();
        if (settleDeferredHardwareDecoding() && appSettings().hwdec) engineCommandString("set hwdec auto-safe");
        if (plainTest) writeStateLinesOnce();
    }
    return 0;
}
