// Which engine command answers with which toast, and how the toast's text is built from the
// engine's properties; no platform headers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "panels/history_core.h"  // resumeTimeText, shared with the start screen

enum : uint32_t {
    kFeedbackNone = 0,
    kFeedbackVolume = 1,
    kFeedbackVolumeMute = 2,
    kFeedbackSeek = 3,
    kFeedbackSpeed = 4,
    kFeedbackBrightness = 5,
    kFeedbackContrast = 6,
    kFeedbackSaturation = 7,
    kFeedbackHue = 8,
    kFeedbackSubDelay = 9,
    kFeedbackAudioDelay = 10,
    kFeedbackAspect = 11,
    kFeedbackSubVisibility = 12,
    kFeedbackSubTrack = 13,
    kFeedbackAudioTrack = 14,
    kFeedbackPlaylist = 15,
    kFeedbackResume = 16,
    kFeedbackMessage = 17,
};

constexpr uint32_t kFeedbackLiveMs = 1300;     // a command's toast is kept live this long
constexpr uint32_t kMessageToastMs = 1500;
constexpr uint32_t kResumeNoticeMs = 2200;
constexpr size_t kMessageLabelMax = 15;        // UTF-16 units of a message toast's label
constexpr size_t kMessageValueMax = 39;        // and of its value
constexpr size_t kAspectTextSize = 24;         // bytes of the aspect / resume text, terminator included

// The kind for an engine command text: the first row of the prefix table that matches the
// start of the text (case-sensitive), or kFeedbackNone.
uint32_t feedbackKindFor(const char* command);

// Seeks and queue moves show their toast from the next tick, when the engine has taken the
// new position; every other kind is shown at once.
inline bool feedbackShownAtOnce(uint32_t kind) { return kind != kFeedbackSeek && kind != kFeedbackPlaylist; }

// The text after the last space of an aspect command (empty without a space), cut to fit
// `size` bytes with its terminator, never inside a UTF-8 sequence.
void aspectValueOf(const char* command, char* out, size_t size);

// A live toast is refreshed while the signed difference deadline − now is above 0.
inline bool feedbackExpired(uint32_t deadline, uint32_t now) { return int32_t(deadline - now) <= 0; }

// Property readers of the engine binding.
struct PropertyReaders {
    bool (*getDouble)(const char* property, double& value);
    bool (*getFlag)(const char* property, bool& value);
    bool (*getText)(const char* property, char* buffer, size_t size);
};

// Label and value (UTF-8) of kinds 1 to 16; false when a property the kind needs cannot be
// read or the kind shows nothing now (a seek without a duration). Kind 17 is built by the
// caller from its message.
bool buildFeedbackText(uint32_t kind, const PropertyReaders& engine, const char* aspectText, std::string& label,
                       std::string& value);

// Number formats of the values.
std::string volumeText(double volume);                   // "57%"
bool seekPercentText(double pos, double duration, std::string& out);  // "42%", none without duration
std::string speedText(double speed);                     // "1.25x"
std::string delayText(double seconds);                   // "+0.1s"
