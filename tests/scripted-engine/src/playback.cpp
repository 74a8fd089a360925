#include "playback.h"

#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdlib>

#include "playlist.h"
#include "text_convert.h"
#include "tracks.h"
#include "watch_later.h"

double monotonicSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void queueEvent(Engine &engine, int id, int error, uint64_t replyUserdata) {
    PendingEvent pending;
    pending.event.event_id = id;
    pending.event.error = error;
    pending.event.reply_userdata = replyUserdata;
    engine.events.push_back(pending);
    engine.eventQueued.notify_all();
}

void queueStartFile(Engine &engine, long long entryId) {
    PendingEvent pending;
    pending.event.event_id = abi::kEventStartFile;
    pending.startFile.playlist_entry_id = entryId;
    engine.events.push_back(pending);
    engine.eventQueued.notify_all();
}

void queueEndFile(Engine &engine, int reason, int error, long long entryId, long long insertId,
                  int insertCount) {
    PendingEvent pending;
    pending.event.event_id = abi::kEventEndFile;
    pending.event.error = 0;
    pending.endFile.reason = reason;
    pending.endFile.error = error;
    pending.endFile.playlist_entry_id = entryId;
    pending.endFile.playlist_insert_id = insertId;
    pending.endFile.playlist_insert_num_entries = insertCount;
    engine.events.push_back(pending);
    engine.eventQueued.notify_all();
}

bool isUrl(const std::string &path) {
    return path.find("://") != std::string::npos;
}

bool isRunning(const Engine &engine) {
    return engine.loaded && !engine.eofReached && !optionFlag(engine, "pause");
}

bool abLoopRange(const Engine &engine, double &a, double &b) {
    auto first = engine.options.find("ab-loop-a");
    auto second = engine.options.find("ab-loop-b");
    if (first == engine.options.end() || second == engine.options.end()) return false;
    if (first->second.kind != PropertyValue::Kind::Number ||
        second->second.kind != PropertyValue::Kind::Number)
        return false;
    a = first->second.number;
    b = second->second.number;
    return b > a;
}

namespace {

void setPosition(Engine &engine, double position) {
    engine.positionBase = position;
    engine.clockBase = monotonicSeconds();
}

long long loopCountFromOption(const Engine &engine) {
    std::string text = optionText(engine, "loop-file");
    if (text == "inf" || text == "yes") return -1;
    if (text == "no") return 0;
    return std::atoll(text.c_str());
}

void unloadCurrent(Engine &engine, int reason, int error) {
    if (!engine.loaded) return;
    long long id = engine.current >= 0 && engine.current < (int)engine.playlist.size()
                       ? engine.playlist[engine.current].id
                       : 0;
    engine.loaded = false;
    engine.eofReached = false;
    queueEndFile(engine, reason, error, id);
}

void goIdle(Engine &engine) {
    engine.loaded = false;
    engine.current = -1;
}

// Makes the entry at `index` the loaded file. Returns 0 or the load error.
int loadEntry(Engine &engine, int index) {
    const PlaylistEntry &entry = engine.playlist[index];
    MediaInfo media = resolveMedia(engine.media, entry.path);
    if (media.failToLoad) return abi::kLoadingFailed;
    if (!isUrl(entry.path) && !engine.media.everyPathExists &&
        GetFileAttributesW(utf8ToWide(entry.path).c_str()) == INVALID_FILE_ATTRIBUTES)
        return abi::kLoadingFailed;

    engine.file = media;
    engine.loaded = true;
    engine.eofReached = false;
    engine.loopFileRemaining = loopCountFromOption(engine);
    double start = media.start;
    double resumeAt = 0;
    // Like the engine, the resume file is used once: it is deleted after a successful load.
    bool resumed =
        optionFlag(engine, "resume-playback") && loadResumeState(engine, entry.path, resumeAt);
    if (resumed) {
        start = resumeAt;
        deleteResumeState(engine, entry.path);
    }
    if (start < 0) start = 0;
    if (media.duration > 0 && start > media.duration) start = media.duration;
    setPosition(engine, start);
    selectTracksForNewFile(engine);
    return 0;
}

enum class EndOutcome { Looped, HeldAtEnd, MovedOn };

// The position reached the end of the file. The caller reports the seek events
// of a loop; everything else is queued here.
EndOutcome reachEndOfFile(Engine &engine) {
    if (engine.loopFileRemaining != 0) {
        if (engine.loopFileRemaining > 0) engine.loopFileRemaining--;
        setPosition(engine, 0);
        return EndOutcome::Looped;
    }
    int next = engine.current + 1;
    if (next >= (int)engine.playlist.size())
        next = optionText(engine, "loop-playlist") == "no" ? -1 : 0;
    std::string keepOpen = optionText(engine, "keep-open");
    if (keepOpen == "always" || (keepOpen == "yes" && next < 0)) {
        engine.positionBase = engine.file.duration;
        engine.clockBase = monotonicSeconds();
        engine.eofReached = true;
        if (optionFlag(engine, "keep-open-pause"))
            engine.options["pause"] = PropertyValue::ofFlag(true);
        return EndOutcome::HeldAtEnd;
    }
    if (next >= 0) {
        playEntry(engine, next, abi::kEndEof);
        return EndOutcome::MovedOn;
    }
    unloadCurrent(engine, abi::kEndEof, 0);
    goIdle(engine);
    if (optionText(engine, "idle") == "no") quitEngine(engine, false);
    return EndOutcome::MovedOn;
}

}  // namespace

void advanceClock(Engine &engine) {
    double now = monotonicSeconds();
    for (int guard = 0; guard < 1000 && isRunning(engine); guard++) {
        double speed = optionNumber(engine, "speed");
        double position = engine.positionBase + (now - engine.clockBase) * speed;
        double a, b;
        if (abLoopRange(engine, a, b) && position >= b) {
            // The jump happened when B was reached, not now: keep the overshoot.
            double reachedAt = engine.positionBase < b
                                   ? engine.clockBase + (b - engine.positionBase) / speed
                                   : now;
            engine.positionBase = a;
            engine.clockBase = reachedAt;
            queueEvent(engine, abi::kEventSeek);
            queueEvent(engine, abi::kEventPlaybackRestart);
            continue;
        }
        double duration = engine.file.duration;
        if (duration > 0 && position >= duration) {
            engine.positionBase = duration;
            engine.clockBase = now;
            if (reachEndOfFile(engine) == EndOutcome::Looped) {
                queueEvent(engine, abi::kEventSeek);
                queueEvent(engine, abi::kEventPlaybackRestart);
            }
            continue;
        }
        engine.positionBase = position;
        engine.clockBase = now;
        return;
    }
    engine.clockBase = now;
}

double positionNow(const Engine &engine) {
    if (!isRunning(engine)) return engine.positionBase;
    double position = engine.positionBase +
                      (monotonicSeconds() - engine.clockBase) * optionNumber(engine, "speed");
    if (engine.file.duration > 0 && position > engine.file.duration)
        position = engine.file.duration;
    return position;
}

double secondsUntilNextBoundary(const Engine &engine) {
    if (!isRunning(engine)) return -1;
    double speed = optionNumber(engine, "speed");
    double position = positionNow(engine);
    double nearest = -1;
    if (engine.file.duration > 0) nearest = (engine.file.duration - position) / speed;
    double a, b;
    if (abLoopRange(engine, a, b) && position < b) {
        double untilB = (b - position) / speed;
        if (nearest < 0 || untilB < nearest) nearest = untilB;
    }
    return nearest < 0 ? -1 : nearest;
}

void playEntry(Engine &engine, int index, int reasonForCurrent) {
    unloadCurrent(engine, reasonForCurrent, 0);
    while (index >= 0 && index < (int)engine.playlist.size()) {
        engine.current = index;
        queueStartFile(engine, engine.playlist[index].id);
        int redirected = expandFolderEntry(engine, index);
        if (redirected == kNoExpansion) {
            int error = loadEntry(engine, index);
            if (error == 0) {
                queueEvent(engine, abi::kEventFileLoaded);
                queueEvent(engine, abi::kEventPlaybackRestart);
                return;
            }
            queueEndFile(engine, abi::kEndError, error, engine.playlist[index].id);
            index++;
        } else {
            // The folder's entries replaced the entry; play the one it points at.
            index = redirected;
        }
    }
    goIdle(engine);
}

void stopCurrent(Engine &engine, int reason) {
    unloadCurrent(engine, reason, 0);
    goIdle(engine);
}

int seekTo(Engine &engine, double target, bool keyframes, bool forward) {
    if (!engine.loaded) return abi::kCommandError;
    double grid = engine.file.keyframeInterval;
    if (keyframes && grid > 0)
        target = forward ? std::ceil(target / grid - 1e-9) * grid
                         : std::floor(target / grid + 1e-9) * grid;
    if (target < 0) target = 0;
    queueEvent(engine, abi::kEventSeek);
    double duration = engine.file.duration;
    if (duration > 0 && target >= duration) {
        engine.positionBase = duration;
        // Held at the end (keep-open) or looped: the same file restarts playback.
        if (reachEndOfFile(engine) != EndOutcome::MovedOn)
            queueEvent(engine, abi::kEventPlaybackRestart);
        return 0;
    }
    engine.eofReached = false;
    setPosition(engine, target);
    queueEvent(engine, abi::kEventPlaybackRestart);
    return 0;
}

void quitEngine(Engine &engine, bool saveResume) {
    if (engine.shuttingDown) return;
    if (saveResume) writeResumeState(engine);
    unloadCurrent(engine, abi::kEndQuit, 0);
    goIdle(engine);
    engine.shuttingDown = true;
    engine.eventQueued.notify_all();
}
