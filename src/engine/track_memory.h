// The user's audio and subtitle choice carried along the queue: remembered when the user picks a
// track, brought into the next file of the queue once it has loaded.
#pragma once
#include "engine/track_memory_core.h"

// After an engine command was sent: when it picked an audio or subtitle track, remember what
// the engine has selected now.
void rememberTrackChoice(const char* command);
// The next file to load was opened anew (dialog, drop, command line, history, hand-over): it
// starts from the engine's language preference, not from the carried choice.
void markFreshOpen();
// A file has loaded: selects the tracks that match the carried choice, unless the file was
// opened anew. Returns the choices that were carried into it (null where none was).
struct CarriedTracks {
    const TrackChoice* audio = nullptr;
    const TrackChoice* sub = nullptr;
};
CarriedTracks carryTrackChoice();
