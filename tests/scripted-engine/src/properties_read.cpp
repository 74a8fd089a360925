#include "properties.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "media_description.h"
#include "playback.h"
#include "tracks.h"
#include "text_convert.h"

namespace {

bool startsWith(const std::string &text, const char *prefix) {
    return text.compare(0, strlen(prefix), prefix) == 0;
}

int readOption(Engine &engine, const std::string &name, PropertyValue &out) {
    std::string option = trackOptionFor(name);
    if (option == "vid" || option == "aid" || option == "sid") {
        out = selectedTrackValue(engine, option);
        return 0;
    }
    const OptionDefinition *definition = findOption(option);
    if (!definition) return abi::kPropertyNotFound;
    out = engine.options[definition->name];
    return 0;
}

std::string withoutExtension(const std::string &name) {
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

double fileAspect(const MediaInfo &media) {
    if (media.aspect > 0) return media.aspect;
    return media.height > 0 ? (double)media.width / media.height : 1;
}

int readVideoParam(const Engine &engine, const std::string &field, PropertyValue &out) {
    long long dw, dh;
    displaySize(engine, dw, dh);
    const MediaInfo &media = engine.file;
    if (field == "w")
        out = PropertyValue::ofInteger(media.width);
    else if (field == "h")
        out = PropertyValue::ofInteger(media.height);
    else if (field == "dw")
        out = PropertyValue::ofInteger(dw);
    else if (field == "dh")
        out = PropertyValue::ofInteger(dh);
    else if (field == "aspect")
        out = PropertyValue::ofNumber(fileAspect(media));
    else if (field == "par")
        out = PropertyValue::ofNumber(fileAspect(media) * media.height / std::max(1, media.width));
    else if (field == "pixelformat")
        out = PropertyValue::ofText("yuv420p");
    else if (field == "hw-pixelformat")
        return abi::kPropertyUnavailable;
    else if (field == "colormatrix")
        out = PropertyValue::ofText("bt.709");
    else if (field == "colorlevels")
        out = PropertyValue::ofText("limited");
    else if (field == "primaries")
        out = PropertyValue::ofText("bt.709");
    else if (field == "gamma")
        out = PropertyValue::ofText("bt.1886");
    else if (field == "chroma-location")
        out = PropertyValue::ofText("mpeg2/4/h264");
    else if (field == "rotate")
        out = PropertyValue::ofInteger(0);
    else
        return abi::kPropertyNotFound;
    return 0;
}

int readPlaylistProperty(const Engine &engine, const std::string &rest, PropertyValue &out) {
    if (rest == "count") {
        out = PropertyValue::ofInteger((long long)engine.playlist.size());
        return 0;
    }
    size_t slash = rest.find('/');
    long long index;
    if (slash == std::string::npos || !parseInteger(rest.substr(0, slash), index) || index < 0 ||
        index >= (long long)engine.playlist.size())
        return abi::kPropertyNotFound;
    const PlaylistEntry &entry = engine.playlist[(size_t)index];
    std::string field = rest.substr(slash + 1);
    bool isCurrent = index == engine.current;
    if (field == "filename")
        out = PropertyValue::ofText(entry.path);
    else if (field == "id")
        out = PropertyValue::ofInteger(entry.id);
    else if (field == "current")
        out = PropertyValue::ofFlag(isCurrent);
    else if (field == "playing")
        out = PropertyValue::ofFlag(isCurrent && engine.loaded);
    else if (field == "title")
        return abi::kPropertyUnavailable;
    else
        return abi::kPropertyNotFound;
    return 0;
}

int readChapterList(const Engine &engine, const std::string &rest, PropertyValue &out) {
    if (!engine.loaded) return abi::kPropertyUnavailable;
    int count = engine.file.chapters;
    if (rest == "count") {
        out = PropertyValue::ofInteger(count);
        return 0;
    }
    size_t slash = rest.find('/');
    long long index;
    if (slash == std::string::npos || !parseInteger(rest.substr(0, slash), index) || index < 0 ||
        index >= count)
        return abi::kPropertyNotFound;
    std::string field = rest.substr(slash + 1);
    if (field == "time")
        out = PropertyValue::ofNumber(engine.file.duration * index / count);
    else if (field == "title")
        return abi::kPropertyUnavailable;
    else
        return abi::kPropertyNotFound;
    return 0;
}

long long fileSizeOf(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

}  // namespace

void displaySize(const Engine &engine, long long &width, long long &height) {
    const MediaInfo &media = engine.file;
    double aspect = fileAspect(media);
    double override = optionNumber(engine, "video-aspect-override");
    if (override > 0)
        aspect = override;
    else if (override == 0 && media.height > 0)
        aspect = (double)media.width / media.height;
    width = media.width;
    height = media.height;
    if (aspect * media.height >= media.width)
        width = std::llround(media.height * aspect);
    else
        height = std::llround(media.width / aspect);
}

int readComputedProperty(Engine &engine, const std::string &name, PropertyValue &out) {
    const bool loaded = engine.loaded;
    const bool video = loaded && engine.videoTrack > 0;
    const bool audio = loaded && engine.audioTrack > 0;
    const MediaInfo &media = engine.file;
    const double position = engine.positionBase;
    const std::string path = engine.current >= 0 && engine.current < (int)engine.playlist.size()
                                 ? engine.playlist[engine.current].path
                                 : std::string();
    auto need = [&](bool available, const PropertyValue &value) {
        if (!available) return (int)abi::kPropertyUnavailable;
        out = value;
        return 0;
    };
    auto text = PropertyValue::ofText;
    auto number = PropertyValue::ofNumber;
    auto integer = PropertyValue::ofInteger;

    if (name == "time-pos" || name == "playback-time") return need(loaded, number(position));
    if (name == "duration") return need(loaded && media.duration > 0, number(media.duration));
    if (name == "percent-pos")
        return need(loaded && media.duration > 0, number(position / media.duration * 100));
    if (name == "time-remaining")
        return need(loaded && media.duration > 0, number(media.duration - position));
    if (name == "playtime-remaining")
        return need(loaded && media.duration > 0,
                    number((media.duration - position) / optionNumber(engine, "speed")));
    if (name == "time-start") return need(loaded, number(0));
    if (name == "filename") return need(loaded, text(baseNameOf(path)));
    if (name == "filename/no-ext") return need(loaded, text(withoutExtension(baseNameOf(path))));
    if (name == "path" || name == "stream-open-filename") return need(loaded, text(path));
    if (name == "media-title")
        return need(loaded, text(media.title.empty() ? baseNameOf(path) : media.title));
    if (name == "file-format") {
        std::string base = baseNameOf(path);
        size_t dot = base.find_last_of('.');
        return need(loaded && dot != std::string::npos, text(lowerAscii(base.substr(dot + 1))));
    }
    if (name == "file-size") {
        long long size = loaded && !isUrl(path) ? fileSizeOf(path) : -1;
        return need(size >= 0, integer(size));
    }
    if (name == "width") return need(video, integer(media.width));
    if (name == "height") return need(video, integer(media.height));
    if (name == "dwidth" || name == "dheight") {
        long long dw = 0, dh = 0;
        if (video) displaySize(engine, dw, dh);
        return need(video, integer(name == "dwidth" ? dw : dh));
    }
    if (startsWith(name, "video-params/") || startsWith(name, "video-out-params/")) {
        if (!video) return abi::kPropertyUnavailable;
        return readVideoParam(engine, name.substr(name.find('/') + 1), out);
    }
    if (name == "video-codec" || name == "video-format") return need(video, text(media.videoCodec));
    if (name == "audio-codec-name" || name == "audio-codec")
        return need(audio, text(media.audioCodec));
    if (name == "audio-params/samplerate" || name == "audio-out-params/samplerate")
        return need(audio, integer(48000));
    if (name == "audio-params/channel-count" || name == "audio-out-params/channel-count")
        return need(audio, integer(2));
    if (name == "audio-params/channels" || name == "audio-out-params/channels" ||
        name == "audio-out-params/hr-channels")
        return need(audio, text("stereo"));
    if (name == "estimated-vf-fps" || name == "container-fps")
        return need(video && media.fps > 0, number(media.fps));
    if (name == "display-fps") return need(video, number(60));
    if (name == "current-vo") return need(video, text("scripted"));
    if (name == "current-ao")
        return need(audio, text(optionText(engine, "ao") == "null" ? "null" : "wasapi"));
    if (name == "hwdec-current") return need(video, text("no"));
    if (name == "frame-drop-count" || name == "decoder-frame-drop-count" ||
        name == "vo-delayed-frame-count" || name == "mistimed-frame-count")
        return need(video, integer(0));
    if (name == "chapters") return need(loaded, integer(media.chapters));
    if (name == "chapter") {
        int count = media.chapters;
        long long index =
            count > 0 && media.duration > 0 ? (long long)(position / (media.duration / count)) : 0;
        if (index >= count) index = count - 1;
        return need(loaded && count > 0, integer(index));
    }
    if (startsWith(name, "chapter-list/")) return readChapterList(engine, name.substr(13), out);
    if (name == "metadata/list/count") return need(loaded, integer(0));
    if (startsWith(name, "track-list/")) return readTrackListProperty(engine, name.substr(11), out);
    if (name == "playlist-count") return need(true, integer((long long)engine.playlist.size()));
    if (name == "playlist-pos" || name == "playlist-current-pos" || name == "playlist-playing-pos")
        return need(true, integer(engine.current));
    if (name == "playlist-pos-1")
        return need(true, integer(engine.current < 0 ? -1 : engine.current + 1));
    if (startsWith(name, "playlist/")) return readPlaylistProperty(engine, name.substr(9), out);
    if (name == "sub-text") return need(loaded && engine.subTrack > 0, text(media.subText));
    if (name == "idle-active") return need(engine.initialized, PropertyValue::ofFlag(!loaded));
    if (name == "eof-reached")
        return need(true, PropertyValue::ofFlag(loaded && engine.eofReached));
    if (name == "core-idle") return need(true, PropertyValue::ofFlag(!isRunning(engine)));
    if (name == "seekable") return need(loaded, PropertyValue::ofFlag(true));
    if (name == "partially-seekable") return need(loaded, PropertyValue::ofFlag(false));
    if (name == "mpv-version") return need(true, text("mpv 0.40.0 (scripted engine)"));
    if (name == "ffmpeg-version") return need(true, text("7.1"));
    return kNotComputed;
}

int readProperty(Engine &engine, const std::string &name, PropertyValue &out) {
    if (startsWith(name, "options/")) return readOption(engine, name.substr(8), out);
    if (engine.loaded) {
        auto extra = engine.file.extraProperties.find(name);
        if (extra != engine.file.extraProperties.end()) {
            out = inferValue(extra->second);
            return 0;
        }
    }
    int result = readComputedProperty(engine, name, out);
    if (result != kNotComputed) return result;
    return readOption(engine, name, out);
}

int readPropertyForDisplay(Engine &engine, const std::string &name, std::string &out) {
    PropertyValue value;
    int result = readProperty(engine, name, value);
    if (result < 0) return result;
    static const char *const kTimes[] = {"time-pos",       "playback-time",      "duration",
                                         "time-remaining", "playtime-remaining", "time-start",
                                         "ab-loop-a",      "ab-loop-b"};
    bool isTime = false;
    for (const char *time : kTimes) isTime |= name == time;
    if (isTime && value.kind == PropertyValue::Kind::Number)
        out = formatClock(value.number);
    else
        out = formatValue(value);
    return 0;
}
