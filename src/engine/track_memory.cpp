#include "engine/track_memory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/engine.h"

namespace {

TrackChoice audioChoice, subChoice;
bool freshOpenPending = false;

std::string trackField(int index, const char* field) {
    char property[48], text[256];
    snprintf(property, sizeof property, "track-list/%d/%s", index, field);
    return engineGetText(property, text, sizeof text) ? std::string(text) : std::string();
}

std::vector<TrackEntry> readTrackList() {
    std::vector<TrackEntry> tracks;
    char count[16];
    if (!engineGetText("track-list/count", count, sizeof count)) return tracks;
    for (int i = 0, n = atoi(count); i < n; ++i)
        tracks.push_back({trackField(i, "type"), trackField(i, "id"), trackField(i, "lang"), trackField(i, "title"),
                          trackField(i, "selected") == "yes"});
    return tracks;
}

std::string selectedId(const std::vector<TrackEntry>& tracks, const char* type) {
    for (const TrackEntry& t : tracks)
        if (t.type == type && t.selected) return t.id;
    return "no";
}

// True when the choice matched a track here. The engine is told only when that track is not
// selected already: a track set by number would be written into the file's resume entry.
bool carryInto(const std::vector<TrackEntry>& tracks, const char* type, const char* property,
               const TrackChoice& choice) {
    std::string id = trackIdForChoice(tracks, type, choice);
    if (id.empty()) return false;
    if (id != selectedId(tracks, type)) engineCommandString(("set " + std::string(property) + " " + id).c_str());
    return true;
}

}  // namespace

void rememberTrackChoice(const char* command) {
    const char* type = trackTypeChosenBy(command);
    if (!type) return;
    std::vector<TrackEntry> tracks = readTrackList();
    TrackChoice now = choiceFromSelection(tracks, type);
    // A command that found no track of its kind leaves the last real choice standing.
    bool any = false;
    for (const TrackEntry& t : tracks) any = any || t.type == type;
    if (any) (strcmp(type, "audio") == 0 ? audioChoice : subChoice) = now;
}

void markFreshOpen() { freshOpenPending = true; }

CarriedTracks carryTrackChoice() {
    CarriedTracks carried;
    if (freshOpenPending) {
        freshOpenPending = false;
        return carried;
    }
    if (!audioChoice.chosen && !subChoice.chosen) return carried;
    std::vector<TrackEntry> tracks = readTrackList();
    if (carryInto(tracks, "audio", "aid", audioChoice)) carried.audio = &audioChoice;
    if (carryInto(tracks, "sub", "sid", subChoice)) carried.sub = &subChoice;
    return carried;
}
