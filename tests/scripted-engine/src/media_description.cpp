#include "media_description.h"

#include <windows.h>

#include "text_convert.h"

namespace {

std::string withoutByteOrderMark(std::string text) {
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return text;
}

bool truthy(const std::string &value) {
    return value == "1" || value == "yes" || value == "true";
}

// "track=TYPE,ID,LANG,TITLE[,CODEC[,FLAGS]]"; FLAGS is a '+'-joined subset of
// default, forced, external.
bool parseTrack(const std::string &value, const MediaInfo &media, TrackInfo &track) {
    auto fields = splitText(value, ',');
    if (fields.size() < 2) return false;
    track.type = trimmed(fields[0]);
    if (track.type != "video" && track.type != "audio" && track.type != "sub") return false;
    if (!parseInteger(trimmed(fields[1]), track.id) || track.id <= 0) return false;
    if (fields.size() > 2) track.lang = trimmed(fields[2]);
    if (fields.size() > 3) track.title = fields[3];
    if (fields.size() > 4) track.codec = trimmed(fields[4]);
    if (track.codec.empty())
        track.codec = track.type == "video"   ? media.videoCodec
                      : track.type == "audio" ? media.audioCodec
                                              : "subrip";
    if (fields.size() > 5)
        for (const std::string &flag : splitText(fields[5], '+')) {
            if (flag == "default") track.isDefault = true;
            if (flag == "forced") track.forced = true;
            if (flag == "external") track.external = true;
        }
    return true;
}

void applyLines(const MediaDescription::Lines &lines, MediaInfo &media,
                std::vector<std::string> &trackLines, bool &noVideo, bool &noAudio) {
    bool replacedTracks = false;
    for (const auto &line : lines) {
        const std::string &key = line.first;
        const std::string &value = line.second;
        double number;
        long long whole;
        if (key == "duration" && parseDouble(value, number))
            media.duration = number;
        else if (key == "width" && parseInteger(value, whole))
            media.width = (int)whole;
        else if (key == "height" && parseInteger(value, whole))
            media.height = (int)whole;
        else if (key == "aspect" && parseDouble(value, number))
            media.aspect = number;
        else if (key == "video-codec")
            media.videoCodec = value;
        else if (key == "audio-codec")
            media.audioCodec = value;
        else if (key == "fps" && parseDouble(value, number))
            media.fps = number;
        else if (key == "chapters" && parseInteger(value, whole))
            media.chapters = (int)whole;
        else if (key == "start" && parseDouble(value, number))
            media.start = number;
        else if (key == "keyframe-interval" && parseDouble(value, number))
            media.keyframeInterval = number;
        else if (key == "fail")
            media.failToLoad = truthy(value);
        else if (key == "title")
            media.title = value;
        else if (key == "sub-text")
            media.subText = value;
        else if (key == "video")
            noVideo = !truthy(value);
        else if (key == "audio")
            noAudio = !truthy(value);
        else if (key == "track") {
            // A section with its own track lines replaces the common ones.
            if (!replacedTracks) {
                trackLines.clear();
                replacedTracks = true;
            }
            trackLines.push_back(value);
        } else if (key == "exists" || key == "paused" || key == "volume") {
            // engine-wide keys, read by loadMediaDescription
        } else {
            media.extraProperties[key] = value;
        }
    }
}

}  // namespace

std::string baseNameOf(const std::string &path) {
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

MediaDescription loadMediaDescription() {
    MediaDescription description;
    std::string path = environmentText(L"KIVO_ENGINE_MEDIA");
    if (path.empty()) return description;
    MediaDescription::Lines *target = &description.common;
    for (std::string line : splitText(withoutByteOrderMark(readWholeFile(utf8ToWide(path))), '\n')) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']') {
            description.perFile.emplace_back(lowerAscii(line.substr(1, line.size() - 2)),
                                             MediaDescription::Lines());
            target = &description.perFile.back().second;
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        target->emplace_back(trimmed(line.substr(0, equals)), line.substr(equals + 1));
    }
    for (const auto &entry : description.common) {
        double number;
        if (entry.first == "exists") description.everyPathExists = entry.second == "any";
        if (entry.first == "paused") description.startPaused = truthy(entry.second);
        if (entry.first == "volume" && parseDouble(entry.second, number)) {
            description.hasStartVolume = true;
            description.startVolume = number;
        }
    }
    return description;
}

MediaInfo resolveMedia(const MediaDescription &description, const std::string &path) {
    MediaInfo media;
    std::vector<std::string> trackLines;
    bool noVideo = false, noAudio = false;
    applyLines(description.common, media, trackLines, noVideo, noAudio);
    std::string name = lowerAscii(baseNameOf(path));
    for (const auto &section : description.perFile)
        if (section.first == name) applyLines(section.second, media, trackLines, noVideo, noAudio);

    bool anyVideo = false, anyAudio = false;
    for (const std::string &line : trackLines) {
        TrackInfo track;
        if (!parseTrack(line, media, track)) continue;
        anyVideo |= track.type == "video";
        anyAudio |= track.type == "audio";
        media.tracks.push_back(track);
    }
    // Without explicit lines for a type the clip has one track of it, unless
    // "video=no" or "audio=no" says it has none.
    std::vector<TrackInfo> defaults;
    if (!anyVideo && !noVideo) {
        TrackInfo video;
        video.type = "video";
        video.codec = media.videoCodec;
        video.isDefault = true;
        defaults.push_back(video);
    }
    if (!anyAudio && !noAudio) {
        TrackInfo audio;
        audio.type = "audio";
        audio.codec = media.audioCodec;
        audio.isDefault = true;
        defaults.push_back(audio);
    }
    media.tracks.insert(media.tracks.begin(), defaults.begin(), defaults.end());
    if (noVideo) {
        std::vector<TrackInfo> kept;
        for (const TrackInfo &track : media.tracks)
            if (track.type != "video") kept.push_back(track);
        media.tracks = kept;
    }
    return media;
}
