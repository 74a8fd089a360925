// The binary interface of the engine's client library (client API 2), declared
// here by hand: the program loads the library by name and only relies on these
// layouts, numbers and calling conventions, so the double must match them exactly.
#pragma once

#include <cstdint>

namespace abi {

// Error codes returned by the client functions (negative means failure).
enum ErrorCode : int {
    kSuccess = 0,
    kEventQueueFull = -1,
    kNoMemory = -2,
    kUninitialized = -3,
    kInvalidParameter = -4,
    kOptionNotFound = -5,
    kOptionFormat = -6,
    kOptionError = -7,
    kPropertyNotFound = -8,
    kPropertyFormat = -9,
    kPropertyUnavailable = -10,
    kPropertyError = -11,
    kCommandError = -12,
    kLoadingFailed = -13,
    kAudioOutputFailed = -14,
    kVideoOutputFailed = -15,
    kNothingToPlay = -16,
    kUnknownFormat = -17,
    kUnsupported = -18,
    kNotImplemented = -19,
    kGeneric = -20,
};

// Value formats of typed property reads.
enum ValueFormat : int {
    kFormatNone = 0,
    kFormatString = 1,
    kFormatOsdString = 2,
    kFormatFlag = 3,
    kFormatInt64 = 4,
    kFormatDouble = 5,
    kFormatNode = 6,
};

// Event ids handed out by the event wait.
enum EventId : int {
    kEventNone = 0,
    kEventShutdown = 1,
    kEventCommandReply = 5,
    kEventStartFile = 6,
    kEventEndFile = 7,
    kEventFileLoaded = 8,
    kEventSeek = 20,
    kEventPlaybackRestart = 21,
};

// Reasons carried by the end-file event.
enum EndFileReason : int {
    kEndEof = 0,
    kEndStop = 2,
    kEndQuit = 3,
    kEndError = 4,
    kEndRedirect = 5,
};

struct Event {
    int event_id;
    int error;
    uint64_t reply_userdata;
    void *data;
};

struct EndFileData {
    int reason;
    int error;
    int64_t playlist_entry_id;
    int64_t playlist_insert_id;
    int playlist_insert_num_entries;
};

struct StartFileData {
    int64_t playlist_entry_id;
};

}  // namespace abi
