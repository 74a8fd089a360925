#include "input/feedback_core.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct PrefixRule {
    const char* text;
    bool whole;  // the command must be exactly the text
    uint32_t kind;
};

// Order matters: the first match wins ("cycle sub-visibility" before the exact "cycle sub").
const PrefixRule kPrefixRules[] = {
    {"add volume", false, kFeedbackVolume},
    {"set volume", false, kFeedbackVolume},
    {"cycle mute", false, kFeedbackVolumeMute},
    {"seek ", false, kFeedbackSeek},
    {"add speed", false, kFeedbackSpeed},
    {"set speed", false, kFeedbackSpeed},
    {"cycle-values speed", false, kFeedbackSpeed},
    {"add brightness", false, kFeedbackBrightness},
    {"set brightness", false, kFeedbackBrightness},
    {"add contrast", false, kFeedbackContrast},
    {"add saturation", false, kFeedbackSaturation},
    {"add hue", false, kFeedbackHue},
    {"add sub-delay", false, kFeedbackSubDelay},
    {"set sub-delay", false, kFeedbackSubDelay},
    {"add audio-delay", false, kFeedbackAudioDelay},
    {"set audio-delay", false, kFeedbackAudioDelay},
    {"set video-aspect-override", false, kFeedbackAspect},
    {"set aid", false, kFeedbackAudioTrack},
    {"set sid", false, kFeedbackSubTrack},
    {"cycle sub-visibility", false, kFeedbackSubVisibility},
    {"cycle sub", true, kFeedbackSubTrack},
    {"cycle audio", true, kFeedbackAudioTrack},
    {"playlist-", false, kFeedbackPlaylist},
};

const char* const kLabels[] = {
    "",         "VOL",        "VOL",    "SEEK",     "SPEED",    "BRIGHT",   "CONTRAST", "SATUR",  "HUE",
    "SUB SYNC", "AUDIO SYNC", "ASPECT", "SUBTITLE", "SUBTITLE", "AUDIO",    "PLAYLIST", "RESUME",
};

std::string formatted(const char* format, double v) {
    char text[64];
    snprintf(text, sizeof text, format, v);
    return text;
}

// "%.0f" of a picture control; a value just below zero must not read "-0".
std::string wholeNumberText(double v) {
    std::string text = formatted("%.0f", v);
    return text == "-0" ? "0" : text;
}

bool readDouble(const PropertyReaders& engine, const char* name, double& v) {
    return engine.getDouble && engine.getDouble(name, v) && std::isfinite(v);
}

bool trackText(const PropertyReaders& engine, const char* property, std::string& value) {
    char id[32];
    if (!engine.getText || !engine.getText(property, id, sizeof id)) return false;
    value = strcmp(id, "no") == 0 ? "OFF" : std::string("TRACK ") + id;
    return true;
}

}  // namespace

uint32_t feedbackKindFor(const char* command) {
    if (!command) return kFeedbackNone;
    for (const PrefixRule& rule : kPrefixRules) {
        size_t n = strlen(rule.text);
        if (strncmp(command, rule.text, n) != 0) continue;
        if (rule.whole && command[n] != '\0') continue;
        return rule.kind;
    }
    return kFeedbackNone;
}

void aspectValueOf(const char* command, char* out, size_t size) {
    if (!out || size == 0) return;
    const char* space = command ? strrchr(command, ' ') : nullptr;
    const char* value = space ? space + 1 : "";
    size_t n = strlen(value);
    if (n > size - 1) {
        n = size - 1;
        while (n > 0 && (static_cast<unsigned char>(value[n]) & 0xC0) == 0x80) --n;  // inside a sequence
    }
    memcpy(out, value, n);
    out[n] = '\0';
}

std::string volumeText(double volume) { return std::to_string(std::lround(volume)) + "%"; }

bool seekPercentText(double pos, double duration, std::string& out) {
    if (!(duration > 0.0) || !std::isfinite(pos)) return false;
    // Limited before the conversion: a position past a short duration gives a huge ratio.
    double percent = std::floor(pos / duration * 100.0);
    if (!(percent >= 0.0)) percent = 0.0;
    if (percent > 100.0) percent = 100.0;
    out = std::to_string(int(percent)) + "%";
    return true;
}

std::string speedText(double speed) {
    // Two decimals, halves away from zero (std::round), then the shortest form: 0.9x, 1.25x.
    return formatted("%gx", std::round(speed * 100.0) / 100.0);
}

std::string delayText(double seconds) {
    std::string text = formatted("%+.1fs", seconds);
    // A delay that rounds to nothing after steps of ±0.1 (−0.00000001) reads "+0.0s".
    return text == "-0.0s" ? "+0.0s" : text;
}

bool buildFeedbackText(uint32_t kind, const PropertyReaders& engine, const char* aspectText, std::string& label,
                       std::string& value) {
    if (kind == kFeedbackNone || kind >= kFeedbackMessage) return false;
    double a = 0, b = 0;
    bool flag = false;
    const char* aspect = aspectText ? aspectText : "";
    switch (kind) {
        case kFeedbackVolume:
            if (!readDouble(engine, "volume", a)) return false;
            value = volumeText(a);
            break;
        case kFeedbackVolumeMute:
            if (!engine.getFlag || !engine.getFlag("mute", flag)) return false;
            if (flag) value = "MUTE";
            else if (readDouble(engine, "volume", a)) value = volumeText(a);
            else return false;
            break;
        case kFeedbackSeek:
            if (!readDouble(engine, "time-pos", a) || !readDouble(engine, "duration", b)) return false;
            if (!seekPercentText(a, b, value)) return false;
            break;
        case kFeedbackSpeed:
            if (!readDouble(engine, "speed", a)) return false;
            value = speedText(a);
            break;
        case kFeedbackBrightness:
        case kFeedbackContrast:
        case kFeedbackSaturation:
        case kFeedbackHue: {
            static const char* const names[] = {"brightness", "contrast", "saturation", "hue"};
            if (!readDouble(engine, names[kind - kFeedbackBrightness], a)) return false;
            value = wholeNumberText(a);
            break;
        }
        case kFeedbackSubDelay:
        case kFeedbackAudioDelay:
            if (!readDouble(engine, kind == kFeedbackSubDelay ? "sub-delay" : "audio-delay", a)) return false;
            value = delayText(a);
            break;
        case kFeedbackAspect:
            value = strcmp(aspect, "-1") == 0 ? "DEFAULT" : aspect;
            break;
        case kFeedbackSubVisibility:
            if (!engine.getFlag || !engine.getFlag("sub-visibility", flag)) return false;
            value = flag ? "ON" : "OFF";
            break;
        case kFeedbackSubTrack:
            if (!trackText(engine, "sid", value)) return false;
            break;
        case kFeedbackAudioTrack:
            if (!trackText(engine, "aid", value)) return false;
            break;
        case kFeedbackPlaylist: {
            char pos[16], count[16];
            if (!engine.getText || !engine.getText("playlist-pos-1", pos, sizeof pos) ||
                !engine.getText("playlist-count", count, sizeof count))
                return false;
            value = std::string(pos) + "/" + count;
            break;
        }
        case kFeedbackResume:
            value = aspect;
            break;
    }
    label = kLabels[kind];
    return true;
}
