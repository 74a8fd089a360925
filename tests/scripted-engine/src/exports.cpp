// The eleven client functions the program resolves by name. Each journals the
// call first (so a test sees it even when the call then fails), takes the
// engine's lock and settles the playback clock before doing its work.
//
// Built twice: SCRIPTED_ENGINE_WITHOUT_ERROR_STRING leaves out mpv_error_string,
// for the test of a library with an entry point missing.
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "command_parser.h"
#include "commands.h"
#include "engine_abi.h"
#include "engine_state.h"
#include "option_table.h"
#include "picture_window.h"
#include "playback.h"
#include "properties.h"
#include "text_convert.h"

static_assert(sizeof(abi::Event) == 24, "event layout");
static_assert(offsetof(abi::Event, reply_userdata) == 8, "event layout");
static_assert(offsetof(abi::Event, data) == 16, "event layout");
static_assert(offsetof(abi::EndFileData, playlist_entry_id) == 8, "end-file layout");
static_assert(sizeof(abi::EndFileData) == 32, "end-file layout");

#define ENGINE_EXPORT extern "C" __declspec(dllexport)

namespace {

bool failureRequested(const char *stage) {
    for (const std::string &piece : splitText(environmentText(L"KIVO_ENGINE_FAIL"), ','))
        if (trimmed(piece) == stage) return true;
    return false;
}

// KIVO_ENGINE_REFUSE: "name[=code],...", the code defaulting to -5 (option not found).
std::map<std::string, int> refusedOptionsFromEnvironment() {
    std::map<std::string, int> refused;
    for (const std::string &piece : splitText(environmentText(L"KIVO_ENGINE_REFUSE"), ',')) {
        std::string item = trimmed(piece);
        if (item.empty()) continue;
        size_t equals = item.find('=');
        long long code = abi::kOptionNotFound;
        if (equals != std::string::npos && parseInteger(item.substr(equals + 1), code))
            item = item.substr(0, equals);
        refused[item] = (int)code;
    }
    return refused;
}

std::vector<std::string> argumentList(const char **args) {
    std::vector<std::string> list;
    for (size_t i = 0; args && args[i]; i++) list.push_back(args[i]);
    return list;
}

char *copyForClient(const std::string &text) {
    char *copy = (char *)std::malloc(text.size() + 1);
    if (copy) std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

int storeTyped(const PropertyValue &value, int format, void *data) {
    using Kind = PropertyValue::Kind;
    switch (format) {
        case abi::kFormatString:
            *(char **)data = copyForClient(formatValue(value));
            return 0;
        case abi::kFormatFlag:
            if (value.kind != Kind::Flag) return abi::kPropertyFormat;
            *(int *)data = value.flag ? 1 : 0;
            return 0;
        case abi::kFormatInt64:
            if (value.kind != Kind::Integer) return abi::kPropertyFormat;
            *(int64_t *)data = value.integer;
            return 0;
        case abi::kFormatDouble:
            if (value.kind == Kind::Integer)
                *(double *)data = (double)value.integer;
            else if (value.kind == Kind::Number)
                *(double *)data = value.number;
            else
                return abi::kPropertyFormat;
            return 0;
        default:
            return abi::kPropertyFormat;
    }
}

std::string eventJournalLine(const PendingEvent &pending) {
    std::string line = "event " + std::to_string(pending.event.event_id);
    if (pending.event.event_id == abi::kEventEndFile)
        line += " reason=" + std::to_string(pending.endFile.reason) +
                " error=" + std::to_string(pending.endFile.error);
    return line;
}

abi::Event *handOut(Engine &engine, const PendingEvent &pending) {
    engine.handedOut = pending;
    abi::Event &event = engine.handedOut.event;
    if (event.event_id == abi::kEventEndFile) event.data = &engine.handedOut.endFile;
    if (event.event_id == abi::kEventStartFile) event.data = &engine.handedOut.startFile;
    if (event.event_id != abi::kEventNone) journalLine(engine.journal, eventJournalLine(pending));
    return &event;
}

// Options set before initialisation are stored as given; afterwards they act
// like setting the property (side effects, volume cap).
int setOption(Engine &engine, const std::string &name, const std::string &value) {
    auto refused = engine.refusedOptions.find(name);
    if (refused != engine.refusedOptions.end()) return refused->second;
    const OptionDefinition *definition = findOption(name);
    if (!definition) return abi::kOptionNotFound;
    PropertyValue parsed;
    int result = parseOptionValue(*definition, value, parsed);
    if (result < 0) return result;
    if (!engine.initialized) {
        engine.options[definition->name] = parsed;
        return 0;
    }
    return assignOption(engine, *definition, parsed) < 0 ? abi::kOptionError : 0;
}

}  // namespace

ENGINE_EXPORT Engine *mpv_create(void) {
    if (failureRequested("create")) {
        Journal journal;
        openJournal(journal);
        journalLine(journal, "create");
        closeJournal(journal);
        return nullptr;
    }
    Engine *engine = new Engine();
    openJournal(engine->journal);
    journalLine(engine->journal, "create");
    engine->media = loadMediaDescription();
    engine->refusedOptions = refusedOptionsFromEnvironment();
    resetOptions(*engine);
    return engine;
}

ENGINE_EXPORT int mpv_initialize(Engine *engine) {
    if (!engine) return abi::kInvalidParameter;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(engine->journal, "initialize");
    if (engine->initialized || failureRequested("initialize")) return abi::kInvalidParameter;
    engine->initialized = true;
    if (engine->media.startPaused) engine->options["pause"] = PropertyValue::ofFlag(true);
    double volume =
        engine->media.hasStartVolume ? engine->media.startVolume : optionNumber(*engine, "volume");
    double ceiling = optionNumber(*engine, "volume-max");
    engine->options["volume"] = PropertyValue::ofNumber(volume > ceiling ? ceiling : volume);
    startPictureWindow(*engine);
    return 0;
}

ENGINE_EXPORT int mpv_set_option_string(Engine *engine, const char *name, const char *value) {
    if (!engine || !name || !value) return abi::kInvalidParameter;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(engine->journal, std::string("option ") + name + "=" + value);
    advanceClock(*engine);
    return setOption(*engine, name, value);
}

ENGINE_EXPORT int mpv_command(Engine *engine, const char **args) {
    if (!engine) return abi::kInvalidParameter;
    std::vector<std::string> arguments = argumentList(args);
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(engine->journal, "command " + joinedArguments(arguments));
    if (!engine->initialized) return abi::kUninitialized;
    if (arguments.empty() || !isKnownCommand(arguments[0])) return abi::kInvalidParameter;
    advanceClock(*engine);
    return runCommand(*engine, arguments);
}

ENGINE_EXPORT int mpv_command_string(Engine *engine, const char *text) {
    if (!engine || !text) return abi::kInvalidParameter;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(engine->journal, std::string("command_string ") + text);
    if (!engine->initialized) return abi::kUninitialized;
    std::vector<ParsedCommand> commands;
    if (!parseCommandString(text, commands)) return abi::kInvalidParameter;
    // The whole line is parsed before anything runs: one unknown name fails it all.
    for (const ParsedCommand &command : commands)
        if (!isKnownCommand(command.arguments[0])) return abi::kInvalidParameter;
    advanceClock(*engine);
    int result = 0;
    for (const ParsedCommand &command : commands) {
        std::vector<std::string> arguments = command.arguments;
        if (command.expandProperties)
            for (size_t i = 1; i < arguments.size(); i++)
                arguments[i] = expandProperties(*engine, arguments[i]);
        int single = runCommand(*engine, arguments);
        if (single < 0 && result == 0) result = single;
    }
    return result;
}

ENGINE_EXPORT int mpv_command_async(Engine *engine, uint64_t replyUserdata, const char **args) {
    if (!engine) return abi::kInvalidParameter;
    std::vector<std::string> arguments = argumentList(args);
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(engine->journal, "command_async " + joinedArguments(arguments));
    if (!engine->initialized) return abi::kUninitialized;
    if (arguments.empty() || !isKnownCommand(arguments[0])) return abi::kInvalidParameter;
    advanceClock(*engine);
    // The engine replies as soon as the command has run, before the events that
    // playback raises afterwards (the end-file of a quit, for instance).
    size_t queuedBefore = engine->events.size();
    int result = runCommand(*engine, arguments);
    PendingEvent reply;
    reply.event.event_id = abi::kEventCommandReply;
    reply.event.error = result < 0 ? abi::kCommandError : 0;
    reply.event.reply_userdata = replyUserdata;
    engine->events.insert(engine->events.begin() + queuedBefore, reply);
    engine->eventQueued.notify_all();
    return 0;
}

// KIVO_ENGINE_STALL set: after a quit command, waiting for events never returns.
static bool stallAfterQuit() {
    static const bool stall = GetEnvironmentVariableW(L"KIVO_ENGINE_STALL", nullptr, 0) != 0;
    return stall;
}

ENGINE_EXPORT abi::Event *mpv_wait_event(Engine *engine, double timeout) {
    static abi::Event none = {};
    if (!engine) return &none;
    std::unique_lock<std::mutex> hold(engine->mutex);
    double deadline = timeout < 0 ? 1e300 : monotonicSeconds() + timeout;
    for (;;) {
        advanceClock(*engine);
        if (!engine->events.empty()) {
            PendingEvent pending = engine->events.front();
            engine->events.pop_front();
            return handOut(*engine, pending);
        }
        if (engine->shuttingDown && stallAfterQuit()) {
            // An engine that never finishes quitting: the caller's thread stays here.
            hold.unlock();
            Sleep(INFINITE);
        }
        if (engine->shuttingDown) {
            PendingEvent shutdown;
            shutdown.event.event_id = abi::kEventShutdown;
            return handOut(*engine, shutdown);
        }
        double now = monotonicSeconds();
        if (now >= deadline) return handOut(*engine, PendingEvent());
        // Wake for new events, the deadline, or the moment playback has to fire
        // something by itself (end of file, A-B loop).
        double wait = deadline - now;
        double boundary = secondsUntilNextBoundary(*engine);
        if (boundary >= 0 && boundary + 0.001 < wait) wait = boundary + 0.001;
        if (wait > 3600) wait = 3600;
        engine->eventQueued.wait_for(hold, std::chrono::duration<double>(wait));
    }
}

ENGINE_EXPORT int mpv_get_property(Engine *engine, const char *name, int format, void *data) {
    if (!engine || !name) return abi::kInvalidParameter;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(engine->journal, std::string("get ") + name + " " + std::to_string(format));
    if (!engine->initialized) return abi::kUninitialized;
    if (!data) return abi::kInvalidParameter;
    advanceClock(*engine);
    PropertyValue value;
    if (format == abi::kFormatOsdString) {
        std::string shown;
        int result = readPropertyForDisplay(*engine, name, shown);
        if (result < 0) return result;
        *(char **)data = copyForClient(shown);
        return 0;
    }
    int result = readProperty(*engine, name, value);
    if (result < 0) return result;
    return storeTyped(value, format, data);
}

ENGINE_EXPORT char *mpv_get_property_string(Engine *engine, const char *name) {
    if (!engine || !name) return nullptr;
    std::lock_guard<std::mutex> hold(engine->mutex);
    journalLine(engine->journal, std::string("get_string ") + name);
    if (!engine->initialized) return nullptr;
    advanceClock(*engine);
    PropertyValue value;
    if (readProperty(*engine, name, value) < 0) return nullptr;
    return copyForClient(formatValue(value));
}

ENGINE_EXPORT void mpv_free(void *data) {
    std::free(data);
}

#ifndef SCRIPTED_ENGINE_WITHOUT_ERROR_STRING
ENGINE_EXPORT const char *mpv_error_string(int error) {
    static const char *const kTexts[] = {
        "success",
        "event queue full",
        "memory allocation failed",
        "core not uninitialized",
        "invalid parameter",
        "option not found",
        "unsupported format for accessing option",
        "error setting option",
        "property not found",
        "unsupported format for accessing property",
        "property unavailable",
        "error accessing property",
        "error running command",
        "loading failed",
        "audio output initialization failed",
        "video output initialization failed",
        "no audio or video data played",
        "unrecognized file format",
        "not supported",
        "operation not implemented",
        "something happened",
    };
    int index = error > 0 ? 0 : -error;
    if (index >= (int)(sizeof kTexts / sizeof kTexts[0])) return "unknown error";
    return kTexts[index];
}
#endif
