// A libmpv-2.dll test double. It decodes nothing: it journals every client call, answers
// properties from a description the test writes, raises the events of loading and replacing a
// file, paints a child window of class "mpv", and fakes the failures the player must survive.
// Queues, clocks and everything else the engine decides are tested against the real engine.
//
// Environment, read by mpv_create:
//   KIVO_ENGINE_JOURNAL  Windows path of the journal; lines are appended, one write each:
//                        create | initialize | option N=V | command A<TAB>B... |
//                        command_string TEXT | command_async A<TAB>B... | get NAME FORMAT |
//                        get_string NAME
//   KIVO_ENGINE_MEDIA    Windows path of the description (UTF-8): "name=value" lines are
//                        properties of every loaded file, until a "[file.mkv]" line starts
//                        overrides for files of that name; "!name" makes a property
//                        unavailable; "fail=1" makes a load fail (end-file error -13).
//   KIVO_ENGINE_REFUSE   "name[=code],..." options that mpv_set_option_string refuses (-5).
//   KIVO_ENGINE_STALL    milliseconds: after a quit, the engine answers nothing (the quit's
//                        reply included) for that long. A handed-out reply journals "reply TAG".
//   KIVO_ENGINE_FAIL     "create" and/or "initialize": that call fails.
// Built a second time without mpv_error_string (ENGINE_DOUBLE_WITHOUT_ERROR_STRING).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#define ENGINE_EXPORT extern "C" __declspec(dllexport)

namespace {

enum : int {
    kErrInvalid = -4, kErrOptionNotFound = -5, kErrUninitialized = -3, kErrPropertyFormat = -9,
    kErrUnavailable = -10, kErrCommand = -12, kErrLoading = -13,
};
enum : int { kFormatString = 1, kFormatOsdString = 2, kFormatFlag = 3, kFormatInt64 = 4, kFormatDouble = 5 };
enum : int {
    kEventShutdown = 1, kEventCommandReply = 5, kEventStartFile = 6, kEventEndFile = 7,
    kEventFileLoaded = 8, kEventPlaybackRestart = 21,
};
enum : int { kEndEof = 0, kEndStop = 2, kEndQuit = 3, kEndError = 4 };

struct Event {
    int event_id, error;
    uint64_t reply_userdata;
    void* data;
};
struct EndFileData {
    int reason, error;
    int64_t playlist_entry_id, playlist_insert_id;
    int playlist_insert_num_entries;
};
struct PendingEvent {
    Event event{};
    EndFileData endFile{};
};

using Properties = std::map<std::string, std::string>;

// What every loaded file has unless the description says otherwise.
const char* const kFileDefaults[][2] = {
    {"duration", "60"}, {"time-pos", "0"}, {"width", "1280"}, {"height", "720"}, {"dwidth", "1280"},
    {"dheight", "720"}, {"video-params/aspect", "1.777778"}, {"vid", "1"}, {"aid", "1"}, {"sid", "no"},
    {"ab-loop-a", "no"}, {"ab-loop-b", "no"}, {"eof-reached", "no"}, {"track-list/count", "0"},
};
const char* const kGlobalDefaults[][2] = {
    {"volume", "100"}, {"pause", "no"}, {"mute", "no"}, {"speed", "1"}, {"volume-max", "130"},
};

struct Description {
    Properties common;
    std::map<std::string, Properties> files;  // by file name
};

struct Engine {
    std::mutex mutex;
    std::condition_variable eventQueued;
    HANDLE journal = INVALID_HANDLE_VALUE;
    Description description;
    std::map<std::string, int> refused;
    bool initialized = false, quitting = false;
    Properties global;
    Properties file;  // the loaded file's properties; empty while idle
    std::deque<PendingEvent> events;
    PendingEvent handedOut;
    std::chrono::steady_clock::time_point silentUntil{};
};

std::wstring environmentText(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string baseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void journalLine(Engine& engine, std::string line) {
    if (engine.journal == INVALID_HANDLE_VALUE) return;
    for (size_t i = 0; i < line.size(); i++)
        if (line[i] == '\n' || line[i] == '\r') line.replace(i, 1, line[i] == '\n' ? "\\n" : "\\r");
    line += '\n';
    DWORD written;
    WriteFile(engine.journal, line.data(), (DWORD)line.size(), &written, nullptr);
}

std::string readWholeFile(const std::wstring& path) {
    std::string text;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        for (size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, got);
        fclose(file);
    }
    return text;
}

Description readDescription(const std::wstring& path) {
    Description description;
    Properties* section = &description.common;
    for (std::string line : split(readWholeFile(path), '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[' && line.back() == ']') {
            section = &description.files[line.substr(1, line.size() - 2)];
        } else if (line[0] == '!') {
            (*section)[line.substr(1)] = "\x01";  // unavailable
        } else if (size_t equals = line.find('='); equals != std::string::npos) {
            (*section)[line.substr(0, equals)] = line.substr(equals + 1);
        }
    }
    return description;
}

void queueEvent(Engine& engine, int id, int reason = 0, int error = 0) {
    PendingEvent pending;
    pending.event.event_id = id;
    pending.endFile.reason = reason;
    pending.endFile.error = error;
    engine.events.push_back(pending);
    engine.eventQueued.notify_all();
}

bool loaded(const Engine& engine) { return !engine.file.empty(); }

void endCurrent(Engine& engine, int reason) {
    if (loaded(engine)) queueEvent(engine, kEventEndFile, reason);
    engine.file.clear();
}

// Replaces the loaded file; one described as failing ends with an error and leaves the engine idle.
int loadFile(Engine& engine, const std::string& path) {
    endCurrent(engine, kEndStop);
    std::string name = baseName(path);
    Properties file;
    for (auto& pair : kFileDefaults) file[pair[0]] = pair[1];
    for (auto& pair : engine.description.common) file[pair.first] = pair.second;
    auto own = engine.description.files.find(name);
    if (own != engine.description.files.end())
        for (auto& pair : own->second) file[pair.first] = pair.second;
    queueEvent(engine, kEventStartFile);
    if (file["fail"] == "1") {
        queueEvent(engine, kEventEndFile, kEndError, kErrLoading);
        return 0;
    }
    file["path"] = path;
    file["filename"] = name;
    file["filename/no-ext"] = name.substr(0, name.find_last_of('.'));
    if (!file.count("media-title")) file["media-title"] = name;
    for (auto it = file.begin(); it != file.end();)
        it = it->second == "\x01" ? file.erase(it) : std::next(it);
    engine.file = file;
    queueEvent(engine, kEventFileLoaded);
    queueEvent(engine, kEventPlaybackRestart);
    return 0;
}

bool readProperty(const Engine& engine, const std::string& name, std::string& value) {
    auto it = engine.file.find(name);
    if (it == engine.file.end()) it = engine.global.find(name);
    if (it == engine.global.end()) return false;
    value = it->second;
    return true;
}

void writeProperty(Engine& engine, const std::string& name, const std::string& value) {
    (engine.file.count(name) ? engine.file : engine.global)[name] = value;
}

// A file the player names for a saved frame: made, so the player can tell a written frame from
// a folder it cannot write to.
int screenshotToFile(const std::string& path) {
    FILE* file = fopen(path.c_str(), "wb");  // the test names only ASCII paths
    if (!file) return kErrCommand;
    fwrite("\x89PNG\r\n\x1a\n", 1, 8, file);
    fclose(file);
    return 0;
}

int runCommand(Engine& engine, const std::vector<std::string>& args) {
    if (args.empty()) return kErrInvalid;
    const std::string& name = args[0];
    std::string value;
    if (name == "set" && args.size() >= 3) {
        writeProperty(engine, args[1], args[2]);
    } else if (name == "add" && args.size() >= 2) {
        double sum = (readProperty(engine, args[1], value) ? atof(value.c_str()) : 0) +
                     (args.size() > 2 ? atof(args[2].c_str()) : 1);
        char text[32];
        snprintf(text, sizeof text, "%g", sum + 0.0);  // + 0.0 turns -0 into 0
        writeProperty(engine, args[1], text);
    } else if (name == "cycle" && args.size() >= 2) {
        if (readProperty(engine, args[1], value) && (value == "yes" || value == "no"))
            writeProperty(engine, args[1], value == "yes" ? "no" : "yes");
    } else if (name == "loadfile" && args.size() >= 2) {
        if (args.size() < 3 || args[2] == "replace") return loadFile(engine, args[1]);  // appends wait in vain
    } else if (name == "stop") {
        endCurrent(engine, kEndStop);
    } else if (name == "quit" || name == "quit-watch-later") {
        endCurrent(engine, kEndQuit);
        engine.quitting = true;
        const char* stall = getenv("KIVO_ENGINE_STALL");
        engine.silentUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(stall ? atoi(stall) : 0);
        engine.eventQueued.notify_all();
    } else if (name == "screenshot-to-file" && args.size() >= 2) {
        return screenshotToFile(args[1]);
    }
    return 0;  // everything else only needs to be journalled
}

// The input syntax as far as the player writes it: ";" between commands, blanks between
// arguments, double quotes around an argument with blanks.
std::vector<std::vector<std::string>> parseCommandString(const std::string& text) {
    std::vector<std::vector<std::string>> commands(1);
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ' || text[i] == '\t') { i++; continue; }
        if (text[i] == ';') { commands.emplace_back(); i++; continue; }
        std::string word;
        for (bool quoted = false; i < text.size() && (quoted || (text[i] != ' ' && text[i] != ';')); i++)
            text[i] == '"' ? void(quoted = !quoted) : word.push_back(text[i]);
        commands.back().push_back(word);
    }
    return commands;
}

std::string joined(const std::vector<std::string>& args) {
    std::string line;
    for (size_t i = 0; i < args.size(); i++) line += (i ? "\t" : "") + args[i];
    return line;
}

std::vector<std::string> argumentList(const char** args) {
    std::vector<std::string> list;
    for (size_t i = 0; args && args[i]; i++) list.push_back(args[i]);
    return list;
}

char* copyForClient(const std::string& text) {
    char* copy = (char*)malloc(text.size() + 1);
    if (copy) memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

// The picture: one bright colour while a file with video is loaded, black otherwise.
LRESULT CALLBACK pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Engine* engine = (Engine*)GetPropW(window, L"EngineDouble");
    if (message == WM_TIMER) {
        RECT parent, own;
        if (GetClientRect(GetParent(window), &parent) && GetClientRect(window, &own) &&
            (parent.right != own.right || parent.bottom != own.bottom))
            SetWindowPos(window, nullptr, 0, 0, parent.right, parent.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT && engine) {
        bool video;
        {
            std::lock_guard<std::mutex> hold(engine->mutex);
            auto vid = engine->file.find("vid");
            video = loaded(*engine) && !engine->quitting && vid != engine->file.end() && vid->second != "no";
        }
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        SetDCBrushColor(dc, video ? RGB(191, 191, 0) : RGB(0, 0, 0));
        FillRect(dc, &paint.rcPaint, (HBRUSH)GetStockObject(DC_BRUSH));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void pictureThread(Engine* engine, HWND parent) {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCWSTR)&pictureProcedure, &module);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = pictureProcedure;
    windowClass.hInstance = module;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"mpv";
    RegisterClassW(&windowClass);
    RECT box = {};
    GetClientRect(parent, &box);
    // No parent notification: the parent's thread may be busy waiting for this engine.
    HWND window = CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"mpv", L"mpv", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                  0, 0, box.right, box.bottom, parent, nullptr, module, nullptr);
    if (!window) return;
    SetPropW(window, L"EngineDouble", engine);
    SetTimer(window, 1, 200, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
}

bool failureRequested(const char* stage) {
    for (const std::string& item : split(getenv("KIVO_ENGINE_FAIL") ? getenv("KIVO_ENGINE_FAIL") : "", ','))
        if (item == stage) return true;
    return false;
}

HANDLE openJournal() {
    std::wstring path = environmentText(L"KIVO_ENGINE_JOURNAL");
    if (path.empty()) return INVALID_HANDLE_VALUE;
    return CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       0, nullptr);
}

Event* handOut(Engine& engine, const PendingEvent& pending) {
    engine.handedOut = pending;
    Event& event = engine.handedOut.event;
    if (event.event_id == kEventCommandReply) journalLine(engine, "reply " + std::to_string(event.reply_userdata));
    if (event.event_id == kEventEndFile) event.data = &engine.handedOut.endFile;
    return &event;
}

}  // namespace

ENGINE_EXPORT Engine* mpv_create(void) {
    Engine* engine = new Engine();
    engine->journal = openJournal();
    journalLine(*engine, "create");
    if (failureRequested("create")) {
        CloseHandle(engine->journal);
        delete engine;
        return nullptr;
    }
    engine->description = readDescription(environmentText(L"KIVO_ENGINE_MEDIA"));
    for (const std::string& item : split(getenv("KIVO_ENGINE_REFUSE") ? getenv("KIVO_ENGINE_REFUSE") : "", ',')) {
        size_t equals = item.find('=');
        if (!item.empty())
            engine->refused[item.substr(0, equals)] =
                equals == std::string::npos ? kErrOptionNotFound : atoi(item.c_str() + equals + 1);
    }
    for (auto& pair : kGlobalDefaults) engine->global[pair[0]] = pair[1];
    return engine;
}

ENGINE_EXPORT int mpv_initialize(Engine* engine) {
    if (!engine) return kErrInvalid;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(*engine, "initialize");
    if (engine->initialized || failureRequested("initialize")) return kErrInvalid;
    engine->initialized = true;
    HWND parent = (HWND)(intptr_t)atoll(engine->global["wid"].c_str());
    if (IsWindow(parent)) std::thread(pictureThread, engine, parent).detach();
    return 0;
}

ENGINE_EXPORT int mpv_set_option_string(Engine* engine, const char* name, const char* value) {
    if (!engine || !name || !value) return kErrInvalid;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(*engine, std::string("option ") + name + "=" + value);
    auto refused = engine->refused.find(name);
    if (refused != engine->refused.end()) return refused->second;
    engine->global[name] = value;
    return 0;
}

ENGINE_EXPORT int mpv_command(Engine* engine, const char** args) {
    if (!engine) return kErrInvalid;
    std::vector<std::string> arguments = argumentList(args);
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(*engine, "command " + joined(arguments));
    return engine->initialized ? runCommand(*engine, arguments) : kErrUninitialized;
}

ENGINE_EXPORT int mpv_command_string(Engine* engine, const char* text) {
    if (!engine || !text) return kErrInvalid;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(*engine, std::string("command_string ") + text);
    if (!engine->initialized) return kErrUninitialized;
    int result = 0;
    for (const std::vector<std::string>& command : parseCommandString(text)) {
        int single = command.empty() ? 0 : runCommand(*engine, command);
        if (single < 0 && result == 0) result = single;
    }
    return result;
}

ENGINE_EXPORT int mpv_command_async(Engine* engine, uint64_t replyUserdata, const char** args) {
    if (!engine) return kErrInvalid;
    std::vector<std::string> arguments = argumentList(args);
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(*engine, "command_async " + joined(arguments));
    if (!engine->initialized) return kErrUninitialized;
    // The reply comes before the events the command raises (a quit's end-file, say).
    size_t queuedBefore = engine->events.size();
    int result = runCommand(*engine, arguments);
    PendingEvent reply;
    reply.event.event_id = kEventCommandReply;
    reply.event.error = result < 0 ? kErrCommand : 0;
    reply.event.reply_userdata = replyUserdata;
    engine->events.insert(engine->events.begin() + queuedBefore, reply);
    engine->eventQueued.notify_all();
    return 0;
}

ENGINE_EXPORT Event* mpv_wait_event(Engine* engine, double timeout) {
    static Event none = {};
    if (!engine) return &none;
    std::unique_lock<std::mutex> hold(engine->mutex);
    auto deadline = std::chrono::steady_clock::now() +
                    std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                        std::chrono::duration<double>(timeout < 0 ? 3600 : timeout));
    for (;;) {
        if (auto now = std::chrono::steady_clock::now(); now < engine->silentUntil) {
            if (now >= deadline) return handOut(*engine, PendingEvent());
            engine->eventQueued.wait_until(hold, std::min(deadline, engine->silentUntil));
            continue;
        }
        if (!engine->events.empty()) {
            PendingEvent pending = engine->events.front();
            engine->events.pop_front();
            return handOut(*engine, pending);
        }
        if (engine->quitting) {
            PendingEvent shutdown;
            shutdown.event.event_id = kEventShutdown;
            return handOut(*engine, shutdown);
        }
        if (engine->eventQueued.wait_until(hold, deadline) == std::cv_status::timeout && engine->events.empty() &&
            !engine->quitting)
            return handOut(*engine, PendingEvent());
    }
}

ENGINE_EXPORT int mpv_get_property(Engine* engine, const char* name, int format, void* data) {
    if (!engine || !name) return kErrInvalid;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(*engine, std::string("get ") + name + " " + std::to_string(format));
    if (!engine->initialized) return kErrUninitialized;
    std::string value;
    if (!data) return kErrInvalid;
    if (!readProperty(*engine, name, value)) return kErrUnavailable;
    char* end = nullptr;
    switch (format) {
        case kFormatString:
        case kFormatOsdString:
            *(char**)data = copyForClient(value);
            return 0;
        case kFormatFlag:
            if (value != "yes" && value != "no") return kErrPropertyFormat;
            *(int*)data = value == "yes";
            return 0;
        case kFormatInt64:
        case kFormatDouble: {
            double number = strtod(value.c_str(), &end);
            if (value.empty() || *end) return kErrPropertyFormat;
            format == kFormatInt64 ? void(*(int64_t*)data = (int64_t)number) : void(*(double*)data = number);
            return 0;
        }
    }
    return kErrPropertyFormat;
}

ENGINE_EXPORT char* mpv_get_property_string(Engine* engine, const char* name) {
    if (!engine || !name) return nullptr;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(*engine, std::string("get_string ") + name);
    std::string value;
    return engine->initialized && readProperty(*engine, name, value) ? copyForClient(value) : nullptr;
}

ENGINE_EXPORT void mpv_free(void* data) { free(data); }

#ifndef ENGINE_DOUBLE_WITHOUT_ERROR_STRING
ENGINE_EXPORT const char* mpv_error_string(int error) { return error < 0 ? "refused by the test double" : "success"; }
#endif
