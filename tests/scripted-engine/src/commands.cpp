#include "commands.h"

#include <windows.h>

#include <cmath>

#include "playback.h"
#include "playlist.h"
#include "png_writer.h"
#include "properties.h"
#include "test_pattern.h"
#include "text_convert.h"
#include "watch_later.h"

namespace {

using Arguments = std::vector<std::string>;

// Property errors inside a command surface as "the command failed".
int commandResult(int result) {
    return result < 0 ? abi::kCommandError : 0;
}

int commandSeek(Engine &engine, const Arguments &args) {
    if (args.size() < 2) return abi::kInvalidParameter;
    double amount;
    if (!parseTimeText(args[1], amount)) return abi::kInvalidParameter;
    std::string mode = "relative";
    bool exact = false, keyframes = false;
    if (args.size() > 2) {
        for (const std::string &flag : splitText(args[2], '+')) {
            if (flag == "relative" || flag == "absolute" || flag == "absolute-percent" ||
                flag == "relative-percent")
                mode = flag;
            else if (flag == "exact")
                exact = true;
            else if (flag == "keyframes")
                keyframes = true;
            else if (flag == "0")
                mode = "relative";  // the older numeric forms
            else if (flag == "1")
                mode = "absolute-percent";
            else if (flag == "2")
                mode = "absolute";
            else if (!flag.empty())
                return abi::kInvalidParameter;
        }
    }
    if (!engine.loaded) return abi::kCommandError;
    double position = engine.positionBase, duration = engine.file.duration;
    double target;
    if (mode == "absolute")
        target = amount < 0 ? duration + amount : amount;
    else if (mode == "absolute-percent")
        target = duration * amount / 100;
    else if (mode == "relative-percent")
        target = position + duration * amount / 100;
    else
        target = position + amount;
    // Relative seeks land on keyframes and absolute ones are exact, unless a flag says otherwise.
    bool useKeyframes = keyframes || (!exact && mode == "relative");
    return commandResult(seekTo(engine, target, useKeyframes, target > position));
}

int commandSet(Engine &engine, const Arguments &args) {
    if (args.size() != 3) return abi::kInvalidParameter;
    return commandResult(setProperty(engine, args[1], args[2]));
}

int commandAdd(Engine &engine, const Arguments &args) {
    if (args.size() < 2 || args.size() > 3) return abi::kInvalidParameter;
    double delta = 1;
    if (args.size() == 3 && !parseDouble(args[2], delta)) return abi::kInvalidParameter;
    return commandResult(addToProperty(engine, args[1], delta));
}

int commandMultiply(Engine &engine, const Arguments &args) {
    double factor;
    if (args.size() != 3 || !parseDouble(args[2], factor)) return abi::kInvalidParameter;
    return commandResult(multiplyProperty(engine, args[1], factor));
}

int commandCycle(Engine &engine, const Arguments &args) {
    if (args.size() < 2 || args.size() > 3) return abi::kInvalidParameter;
    bool upward = !(args.size() == 3 && args[2] == "down");
    return commandResult(cycleProperty(engine, args[1], upward));
}

int commandCycleValues(Engine &engine, const Arguments &args) {
    size_t first = 1;
    bool reverse = false;
    if (args.size() > 1 && args[1] == "!reverse") {
        reverse = true;
        first = 2;
    }
    if (args.size() < first + 2) return abi::kInvalidParameter;
    Arguments values(args.begin() + first + 1, args.end());
    return commandResult(cycleValues(engine, args[first], values, reverse));
}

// A-B loop in three presses: set A, set B, clear both.
int commandAbLoop(Engine &engine, const Arguments &) {
    if (!engine.loaded) return abi::kCommandError;
    bool hasA = engine.options["ab-loop-a"].kind == PropertyValue::Kind::Number;
    bool hasB = engine.options["ab-loop-b"].kind == PropertyValue::Kind::Number;
    PropertyValue now = PropertyValue::ofNumber(engine.positionBase);
    if (!hasA) {
        engine.options["ab-loop-a"] = now;
    } else if (!hasB) {
        engine.options["ab-loop-b"] = now;
    } else {
        engine.options["ab-loop-a"] = PropertyValue::ofText("no");
        engine.options["ab-loop-b"] = PropertyValue::ofText("no");
    }
    return 0;
}

int commandFrameStep(Engine &engine, const Arguments &args) {
    if (!engine.loaded) return abi::kCommandError;
    double frame = engine.file.fps > 0 ? 1 / engine.file.fps : 0.04;
    engine.options["pause"] = PropertyValue::ofFlag(true);
    if (args[0] == "frame-back-step")
        return commandResult(seekTo(engine, engine.positionBase - frame, false, false));
    double target = engine.positionBase + frame;
    if (engine.file.duration > 0 && target > engine.file.duration) target = engine.file.duration;
    engine.positionBase = target;
    return 0;
}

int commandScreenshotToFile(Engine &engine, const Arguments &args) {
    if (args.size() < 2 || args.size() > 3) return abi::kInvalidParameter;
    if (!engine.loaded || engine.videoTrack == 0) return abi::kCommandError;
    long long width, height;
    displaySize(engine, width, height);
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return abi::kCommandError;
    double progress = engine.file.duration > 0 ? engine.positionBase / engine.file.duration : 0;
    std::vector<uint8_t> rgb;
    renderTestPattern((int)width, (int)height, progress, rgb);
    std::string png = encodePng((int)width, (int)height, rgb);
    HANDLE file = CreateFileW(utf8ToWide(args[1]).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return abi::kCommandError;
    DWORD written = 0;
    BOOL ok = WriteFile(file, png.data(), (DWORD)png.size(), &written, nullptr);
    CloseHandle(file);
    return ok && written == png.size() ? 0 : abi::kCommandError;
}

int commandWriteWatchLater(Engine &engine, const Arguments &) {
    return commandResult(writeResumeState(engine));
}

int commandDeleteWatchLater(Engine &engine, const Arguments &args) {
    std::string path;
    if (args.size() > 1 && !args[1].empty())
        path = args[1];
    else if (engine.loaded && engine.current >= 0)
        path = engine.playlist[engine.current].path;
    if (path.empty()) return 0;
    return commandResult(deleteResumeState(engine, path));
}

int commandQuit(Engine &engine, const Arguments &args) {
    bool save = args[0] == "quit-watch-later" || optionFlag(engine, "save-position-on-quit");
    quitEngine(engine, save);
    return 0;
}

// Commands that only show something on screen or talk to scripts: accepted, no effect.
int commandWithoutEffect(Engine &, const Arguments &) {
    return 0;
}

int commandSubSeek(Engine &engine, const Arguments &args) {
    if (args.size() < 2) return abi::kInvalidParameter;
    return engine.loaded ? 0 : abi::kCommandError;
}

struct CommandEntry {
    const char *name;
    int (*run)(Engine &, const Arguments &);
};

const CommandEntry kCommands[] = {
    {"loadfile", commandLoadfile},
    {"playlist-next", commandPlaylistNext},
    {"playlist-prev", commandPlaylistPrev},
    {"playlist-play-index", commandPlaylistPlayIndex},
    {"playlist-remove", commandPlaylistRemove},
    {"playlist-clear", commandPlaylistClear},
    {"stop", commandStop},
    {"seek", commandSeek},
    {"set", commandSet},
    {"add", commandAdd},
    {"multiply", commandMultiply},
    {"cycle", commandCycle},
    {"cycle-values", commandCycleValues},
    {"ab-loop", commandAbLoop},
    {"frame-step", commandFrameStep},
    {"frame-back-step", commandFrameStep},
    {"sub-seek", commandSubSeek},
    {"screenshot-to-file", commandScreenshotToFile},
    {"write-watch-later-config", commandWriteWatchLater},
    {"delete-watch-later-config", commandDeleteWatchLater},
    {"quit", commandQuit},
    {"quit-watch-later", commandQuit},
    {"show-text", commandWithoutEffect},
    {"show-progress", commandWithoutEffect},
    {"print-text", commandWithoutEffect},
    {"ignore", commandWithoutEffect},
    {"script-message", commandWithoutEffect},
};

}  // namespace

bool isKnownCommand(const std::string &name) {
    for (const CommandEntry &entry : kCommands)
        if (name == entry.name) return true;
    return false;
}

int runCommand(Engine &engine, const std::vector<std::string> &arguments) {
    if (arguments.empty()) return abi::kInvalidParameter;
    for (const CommandEntry &entry : kCommands)
        if (arguments[0] == entry.name) return entry.run(engine, arguments);
    return abi::kInvalidParameter;
}
