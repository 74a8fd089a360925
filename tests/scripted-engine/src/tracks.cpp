#include "tracks.h"

#include <algorithm>
#include <vector>

#include "text_convert.h"

namespace {

std::string typeOfOption(const std::string &option) {
    return option == "vid" ? "video" : option == "aid" ? "audio" : "sub";
}

long long &selectionOf(Engine &engine, const std::string &option) {
    return option == "vid"   ? engine.videoTrack
           : option == "aid" ? engine.audioTrack
                             : engine.subTrack;
}

long long selectionOf(const Engine &engine, const std::string &option) {
    return option == "vid"   ? engine.videoTrack
           : option == "aid" ? engine.audioTrack
                             : engine.subTrack;
}

std::vector<long long> idsOfType(const Engine &engine, const std::string &type) {
    std::vector<long long> ids;
    if (!engine.loaded) return ids;
    for (const TrackInfo &track : engine.file.tracks)
        if (track.type == type) ids.push_back(track.id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// "en" matches "en" and "en-US"; case does not matter.
bool languageMatches(const std::string &wanted, const std::string &lang) {
    std::string a = lowerAscii(trimmed(wanted)), b = lowerAscii(lang);
    if (a.empty() || b.empty()) return false;
    return a == b || b.compare(0, a.size() + 1, a + "-") == 0;
}

long long automaticChoice(const Engine &engine, const std::string &type) {
    std::vector<const TrackInfo *> candidates;
    for (const TrackInfo &track : engine.file.tracks)
        if (track.type == type) candidates.push_back(&track);
    if (candidates.empty()) return 0;
    std::string languages = optionText(engine, type == "sub" ? "slang" : "alang");
    for (const std::string &language : splitText(languages, ','))
        for (const TrackInfo *track : candidates)
            if (languageMatches(language, track->lang)) return track->id;
    for (const TrackInfo *track : candidates)
        if (track->forced || track->isDefault) return track->id;
    // Video and audio fall back to their first track; subtitles stay off.
    return type == "sub" ? 0 : candidates.front()->id;
}

void applyOption(Engine &engine, const std::string &option) {
    const PropertyValue &value = engine.options[option];
    long long chosen = 0;
    if (value.kind == PropertyValue::Kind::Integer) {
        auto ids = idsOfType(engine, typeOfOption(option));
        if (std::find(ids.begin(), ids.end(), value.integer) != ids.end()) chosen = value.integer;
    } else if (value.text == "auto") {
        chosen = automaticChoice(engine, typeOfOption(option));
    }
    selectionOf(engine, option) = chosen;
}

const TrackInfo *selectedTrack(const Engine &engine, const TrackInfo &track) {
    std::string option = track.type == "video" ? "vid" : track.type == "audio" ? "aid" : "sid";
    return selectionOf(engine, option) == track.id ? &track : nullptr;
}

PropertyValue textOrUnavailable(const std::string &text, int &error) {
    if (text.empty()) error = abi::kPropertyUnavailable;
    return PropertyValue::ofText(text);
}

}  // namespace

std::string trackOptionFor(const std::string &name) {
    if (name == "sub") return "sid";
    if (name == "audio") return "aid";
    if (name == "video") return "vid";
    return name;
}

void selectTracksForNewFile(Engine &engine) {
    for (const char *option : {"vid", "aid", "sid"}) applyOption(engine, option);
}

void reselectTrack(Engine &engine, const std::string &option) {
    if (engine.loaded) applyOption(engine, option);
}

PropertyValue selectedTrackValue(const Engine &engine, const std::string &option) {
    long long id = selectionOf(engine, option);
    if (!engine.loaded) {
        auto found = engine.options.find(option);
        return found == engine.options.end() ? PropertyValue::ofText("no") : found->second;
    }
    return id > 0 ? PropertyValue::ofInteger(id) : PropertyValue::ofText("no");
}

int cycleTrack(Engine &engine, const std::string &option, bool upward) {
    if (!engine.loaded) return abi::kPropertyUnavailable;
    std::vector<long long> order = idsOfType(engine, typeOfOption(option));
    order.insert(order.begin(), 0);  // "no"
    long long now = selectionOf(engine, option);
    size_t at = std::find(order.begin(), order.end(), now) - order.begin();
    if (at == order.size()) at = 0;
    size_t next = upward ? (at + 1) % order.size() : (at + order.size() - 1) % order.size();
    long long chosen = order[next];
    engine.options[option] =
        chosen ? PropertyValue::ofInteger(chosen) : PropertyValue::ofText("no");
    selectionOf(engine, option) = chosen;
    return 0;
}

int readTrackListProperty(const Engine &engine, const std::string &rest, PropertyValue &out) {
    const std::vector<TrackInfo> noTracks;
    const std::vector<TrackInfo> &tracks = engine.loaded ? engine.file.tracks : noTracks;
    if (rest == "count") {
        out = PropertyValue::ofInteger((long long)tracks.size());
        return 0;
    }
    size_t slash = rest.find('/');
    long long index;
    if (slash == std::string::npos || !parseInteger(rest.substr(0, slash), index) || index < 0 ||
        index >= (long long)tracks.size())
        return abi::kPropertyNotFound;
    const TrackInfo &track = tracks[(size_t)index];
    std::string field = rest.substr(slash + 1);
    int error = 0;
    bool video = track.type == "video", audio = track.type == "audio";
    if (field == "type")
        out = PropertyValue::ofText(track.type);
    else if (field == "id" || field == "src-id")
        out = PropertyValue::ofInteger(track.id);
    else if (field == "ff-index")
        out = PropertyValue::ofInteger(index);
    else if (field == "lang")
        out = textOrUnavailable(track.lang, error);
    else if (field == "title")
        out = textOrUnavailable(track.title, error);
    else if (field == "codec")
        out = PropertyValue::ofText(track.codec);
    else if (field == "selected")
        out = PropertyValue::ofFlag(selectedTrack(engine, track) != nullptr);
    else if (field == "default")
        out = PropertyValue::ofFlag(track.isDefault);
    else if (field == "forced")
        out = PropertyValue::ofFlag(track.forced);
    else if (field == "external")
        out = PropertyValue::ofFlag(track.external);
    else if (field == "image" || field == "albumart")
        out = PropertyValue::ofFlag(false);
    else if (field == "external-filename")
        out = textOrUnavailable(std::string(), error);
    else if (video && field == "demux-w")
        out = PropertyValue::ofInteger(engine.file.width);
    else if (video && field == "demux-h")
        out = PropertyValue::ofInteger(engine.file.height);
    else if (video && field == "demux-fps")
        out = PropertyValue::ofNumber(engine.file.fps);
    else if (audio && field == "demux-channel-count")
        out = PropertyValue::ofInteger(2);
    else if (audio && field == "demux-channels")
        out = PropertyValue::ofText("stereo");
    else if (audio && field == "demux-samplerate")
        out = PropertyValue::ofInteger(48000);
    else
        return abi::kPropertyNotFound;
    return error;
}
