// The media a test pretends to play, read from the UTF-8 key=value file named by
// KIVO_ENGINE_MEDIA. Keys before any "[name]" line apply to every file; a
// "[name]" line starts overrides for the files whose name (after the last slash
// or backslash) equals name, compared without regard to ASCII case.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

struct TrackInfo {
    std::string type;  // "video", "audio" or "sub"
    long long id = 1;
    std::string lang;
    std::string title;
    std::string codec;
    bool isDefault = false;
    bool forced = false;
    bool external = false;
};

// Everything the double knows about one file once it is loaded.
struct MediaInfo {
    double duration = 60;
    int width = 1280;
    int height = 720;
    double aspect = 0;  // display aspect; 0 = square pixels
    std::string videoCodec = "h264";
    std::string audioCodec = "aac";
    double fps = 25;
    int chapters = 0;
    double start = 0;
    double keyframeInterval = 0;  // 0 = every frame is a keyframe
    bool failToLoad = false;
    std::string title;
    std::string subText;
    std::vector<TrackInfo> tracks;
    // Keys the double does not interpret, served as properties of the same name.
    std::map<std::string, std::string> extraProperties;
};

struct MediaDescription {
    using Lines = std::vector<std::pair<std::string, std::string>>;
    Lines common;
    std::vector<std::pair<std::string, Lines>> perFile;  // (lower-case name, lines)
    // Engine-wide keys, taken from the common part only.
    bool everyPathExists = false;
    bool startPaused = false;
    bool hasStartVolume = false;
    double startVolume = 100;
};

// Reads the file named by KIVO_ENGINE_MEDIA; an unset variable or unreadable
// file gives the defaults (a 60 s 1280x720 clip, one video and one audio track).
MediaDescription loadMediaDescription();

// The media of one path: defaults, then the common keys, then its own section.
MediaInfo resolveMedia(const MediaDescription &description, const std::string &path);

// The part of a path after its last slash or backslash.
std::string baseNameOf(const std::string &path);
