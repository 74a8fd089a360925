// The record behind one engine handle. Every client call locks `mutex` for its
// whole duration, so the program's main thread, its engine thread and the
// picture window's thread always see one consistent state.
#pragma once

#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "engine_abi.h"
#include "journal.h"
#include "media_description.h"
#include "property_value.h"

struct PlaylistEntry {
    long long id = 0;
    std::string path;
    // Entries made by expanding a folder are not expanded again when they play.
    bool fromFolder = false;
};

// An event waiting in the queue, with room for the payload it points to.
struct PendingEvent {
    abi::Event event{};
    abi::EndFileData endFile{};
    abi::StartFileData startFile{};
};

struct Engine {
    std::mutex mutex;
    std::condition_variable eventQueued;
    Journal journal;
    MediaDescription media;
    std::map<std::string, int> refusedOptions;  // option name -> error code to return

    bool initialized = false;
    bool shuttingDown = false;  // after quit every event wait hands out "shutdown"
    std::map<std::string, PropertyValue> options;

    std::vector<PlaylistEntry> playlist;
    int current = -1;  // playlist index of the loaded (or loading) entry; -1 when idle
    long long nextEntryId = 1;

    // The loaded file; everything below is meaningful only while `loaded` is set.
    bool loaded = false;
    MediaInfo file;
    double positionBase = 0;  // playback position at clockBase
    double clockBase = 0;     // monotonic seconds
    bool eofReached = false;
    long long loopFileRemaining = 0;                         // -1 loops forever
    long long videoTrack = 0, audioTrack = 0, subTrack = 0;  // selected ids; 0 = none

    std::deque<PendingEvent> events;
    PendingEvent handedOut;  // the last event returned; valid until the next wait

    void *pictureWindow = nullptr;  // HWND of the engine's own child window
};

// Typed shortcuts into `options` (the option must exist in the table).
bool optionFlag(const Engine &engine, const std::string &name);
double optionNumber(const Engine &engine, const std::string &name);
std::string optionText(const Engine &engine, const std::string &name);

// Loads every option's start value from the table.
void resetOptions(Engine &engine);
