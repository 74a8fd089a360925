// The engine binding: every engine interaction goes through these helpers, from the main
// thread. With no engine running (a null handle), commands are dropped and reads fail.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "osd/engine_access.h"

struct mpv_handle;
struct mpv_render_context;

// The few libmpv client types the program needs (client API 2).
struct MpvEvent {
    int eventId;
    int error;
    uint64_t replyUserdata;
    void* data;
};
struct MpvEventEndFile {
    int reason;
    int error;
};
enum : int {
    MPV_EVENT_NONE = 0,
    MPV_EVENT_SHUTDOWN = 1,
    MPV_EVENT_COMMAND_REPLY = 5,
    MPV_EVENT_END_FILE = 7,
    MPV_EVENT_FILE_LOADED = 8,
    MPV_EVENT_PLAYBACK_RESTART = 21,
    MPV_END_FILE_REASON_ERROR = 4,
    MPV_FORMAT_FLAG = 3,
    MPV_FORMAT_INT64 = 4,
    MPV_FORMAT_DOUBLE = 5,
    MPV_RENDER_PARAM_API_TYPE = 1,
    MPV_RENDER_PARAM_SW_SIZE = 17,
    MPV_RENDER_PARAM_SW_FORMAT = 18,
    MPV_RENDER_PARAM_SW_STRIDE = 19,
    MPV_RENDER_PARAM_SW_POINTER = 20,
    MPV_RENDER_UPDATE_FRAME = 1,
};
struct MpvRenderParam {
    int type;
    void* data;
};

// Entry points resolved once by the engine thread, in this order.
struct EngineApi {
    mpv_handle* (*mpv_create)();
    int (*mpv_initialize)(mpv_handle*);
    int (*mpv_set_option_string)(mpv_handle*, const char*, const char*);
    int (*mpv_command)(mpv_handle*, const char**);
    int (*mpv_command_string)(mpv_handle*, const char*);
    int (*mpv_command_async)(mpv_handle*, uint64_t, const char**);
    MpvEvent* (*mpv_wait_event)(mpv_handle*, double);
    int (*mpv_get_property)(mpv_handle*, const char*, int, void*);
    char* (*mpv_get_property_string)(mpv_handle*, const char*);
    void (*mpv_free)(void*);
    const char* (*mpv_error_string)(int);
    // Optional: the software render API that previews draw through. An engine without it
    // (null here) plays as usual and shows no previews.
    int (*mpv_render_context_create)(mpv_render_context**, mpv_handle*, MpvRenderParam*);
    int (*mpv_render_context_render)(mpv_render_context*, MpvRenderParam*);
    void (*mpv_render_context_set_update_callback)(mpv_render_context*, void (*)(void*), void*);
    uint64_t (*mpv_render_context_update)(mpv_render_context*);
    void (*mpv_render_context_free)(mpv_render_context*);
};
extern const char* const kEngineApiNames[11];
extern const char* const kEngineRenderApiNames[5];

extern EngineApi engineApi;
// Set once, after the engine was initialised; read by both threads.
extern std::atomic<mpv_handle*> engineHandle;
// kQuitStop: the engine thread ends at once. kQuitAwaitReply: a quit command was sent with
// kQuitReplyTag; the thread ends when the engine has answered it.
enum : long { kQuitNone = 0, kQuitStop = 1, kQuitAwaitReply = 2 };
extern std::atomic<long> quitRequested;
constexpr uint64_t kQuitReplyTag = 1;

inline bool engineRunning() { return engineHandle.load(std::memory_order_acquire) != nullptr; }

void engineSetOption(mpv_handle* handle, const char* name, const char* value);
void engineCommandString(const char* command);
void engineCommandArgs(std::initializer_list<const char*> args);
void engineCommandAsync(std::initializer_list<const char*> args, uint64_t replyTag);
bool engineGetDouble(const char* property, double& value);
bool engineGetFlag(const char* property, bool& value);
bool engineGetInt64(const char* property, long long& value);
bool engineGetText(const char* property, char* buffer, size_t size);
std::string engineGetString(const char* property);

