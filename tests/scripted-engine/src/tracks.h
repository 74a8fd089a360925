// Track selection (vid/aid/sid), track cycling and the track-list properties.
#pragma once

#include <string>

#include "engine_state.h"

// Picks the video, audio and subtitle tracks of a freshly loaded file from the
// vid/aid/sid options ("auto" consults alang/slang and the default flags).
void selectTracksForNewFile(Engine &engine);

// Applies a changed vid/aid/sid option to the loaded file.
void reselectTrack(Engine &engine, const std::string &option);

// The value of vid/aid/sid: the selected id, or "no".
PropertyValue selectedTrackValue(const Engine &engine, const std::string &option);

// "cycle sub" and friends: no -> first id -> ... -> last id -> no.
int cycleTrack(Engine &engine, const std::string &option, bool upward);

// "track-list/count" and "track-list/N/FIELD"; `rest` is the part after "track-list/".
int readTrackListProperty(const Engine &engine, const std::string &rest, PropertyValue &out);

// Maps the property aliases "sub", "audio" and "video" to sid, aid and vid.
std::string trackOptionFor(const std::string &name);
