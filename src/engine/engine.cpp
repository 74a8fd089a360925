#include "engine/engine.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "app/diaglog.h"

const char* const kEngineApiNames[11] = {
    "mpv_create",       "mpv_initialize",  "mpv_set_option_string",   "mpv_command",
    "mpv_command_string", "mpv_command_async", "mpv_wait_event", "mpv_get_property",
    "mpv_get_property_string", "mpv_free", "mpv_error_string",
};

const char* const kEngineRenderApiNames[5] = {
    "mpv_render_context_create", "mpv_render_context_render", "mpv_render_context_set_update_callback",
    "mpv_render_context_update", "mpv_render_context_free",
};

EngineApi engineApi = {};
std::atomic<mpv_handle*> engineHandle{nullptr};
std::atomic<long> quitRequested{kQuitNone};

namespace {

mpv_handle* liveHandle() { return engineHandle.load(std::memory_order_acquire); }

// A command or a read waits until the engine's core takes requests again, which it does
// between its own steps; with the log on, a wait longer than a timer tick is written down.
class WaitWatch {
public:
    explicit WaitWatch(const char* what) : what_(what) {
        if (logEnabled) QueryPerformanceCounter(&start_);
    }
    ~WaitWatch() {
        if (!logEnabled) return;
        LARGE_INTEGER end, frequency;
        QueryPerformanceCounter(&end);
        QueryPerformanceFrequency(&frequency);
        double ms = double(end.QuadPart - start_.QuadPart) * 1000.0 / double(frequency.QuadPart);
        if (ms > 100) diagLog("engine_wait_ms=%.0f thread=%lu %s", ms, GetCurrentThreadId(), what_);
    }

private:
    const char* what_;
    LARGE_INTEGER start_ = {};
};

std::vector<const char*> nullTerminated(std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    argv.push_back(nullptr);
    return argv;
}

}  // namespace

void engineSetOption(mpv_handle* handle, const char* name, const char* value) {
    int result = engineApi.mpv_set_option_string(handle, name, value);
    if (result < 0) diagLog("option %s=%s -> %s", name, value, engineApi.mpv_error_string(result));
}

void engineCommandString(const char* command) {
    WaitWatch watch(command);
    if (mpv_handle* h = liveHandle()) engineApi.mpv_command_string(h, command);
}

void engineCommandArgs(std::initializer_list<const char*> args) {
    WaitWatch watch(*args.begin());
    if (mpv_handle* h = liveHandle()) engineApi.mpv_command(h, nullTerminated(args).data());
}

void engineCommandAsync(std::initializer_list<const char*> args, uint64_t replyTag) {
    if (mpv_handle* h = liveHandle()) engineApi.mpv_command_async(h, replyTag, nullTerminated(args).data());
}

bool engineGetDouble(const char* property, double& value) {
    WaitWatch watch(property);
    mpv_handle* h = liveHandle();
    return h && engineApi.mpv_get_property(h, property, MPV_FORMAT_DOUBLE, &value) >= 0;
}

bool engineGetFlag(const char* property, bool& value) {
    WaitWatch watch(property);
    mpv_handle* h = liveHandle();
    int flag = 0;
    if (!h || engineApi.mpv_get_property(h, property, MPV_FORMAT_FLAG, &flag) < 0) return false;
    value = flag != 0;
    return true;
}

bool engineGetInt64(const char* property, long long& value) {
    WaitWatch watch(property);
    mpv_handle* h = liveHandle();
    int64_t number = 0;
    if (!h || engineApi.mpv_get_property(h, property, MPV_FORMAT_INT64, &number) < 0) return false;
    value = number;
    return true;
}

bool engineGetText(const char* property, char* buffer, size_t size) {
    WaitWatch watch(property);
    mpv_handle* h = liveHandle();
    if (!h || size == 0) return false;
    char* text = engineApi.mpv_get_property_string(h, property);
    if (!text) return false;
    size_t n = strlen(text);
    if (n > size - 1) n = size - 1;
    memcpy(buffer, text, n);
    buffer[n] = '\0';
    engineApi.mpv_free(text);
    return true;
}

std::string engineGetString(const char* property) {
    WaitWatch watch(property);
    mpv_handle* h = liveHandle();
    char* text = h ? engineApi.mpv_get_property_string(h, property) : nullptr;
    if (!text) return "(n/a)";
    std::string value = text;
    engineApi.mpv_free(text);
    return value;
}
