// The user's audio and subtitle choice, carried from one file of the queue to the next. A track
// number means nothing in another file, so a choice is kept by what names the track: its
// language, then its title; subtitles can also be carried as turned off.
#pragma once
#include <string>
#include <vector>

struct TrackEntry {
    std::string type;  // "video", "audio" or "sub"
    std::string id;
    std::string lang;
    std::string title;
    bool selected = false;
};

struct TrackChoice {
    bool chosen = false;  // false: the engine's own preference decides
    bool off = false;
    std::string lang;
    std::string title;
};

// "audio" or "sub" for an engine command with which the user picks a track of that type
// ("set aid …", "set sid …", "cycle audio", "cycle sub"); null for anything else.
const char* trackTypeChosenBy(const char* command);

// What the user has now chosen for `type`, read back from the engine's track list: the selected
// track's language and title, or subtitles off. Nothing is chosen when the file has no track of
// that type, or the selected one has neither language nor title to find it by elsewhere.
TrackChoice choiceFromSelection(const std::vector<TrackEntry>& tracks, const std::string& type);

// The id that carries `choice` into a file with these tracks: "no" for subtitles off; else the
// first track of the type with the same language and title, then the same language, then the
// same title. Empty when nothing matches (or nothing was chosen).
std::string trackIdForChoice(const std::vector<TrackEntry>& tracks, const std::string& type, const TrackChoice& choice);

// How a carried choice reads in its toast: "AUDIO jpn · SUB eng", the two words given in the
// language in use; "OFF" for subtitles off; a title stands in for a missing language. Either
// part may be missing; both missing give an empty text.
std::string carriedChoiceText(const TrackChoice* audio, const TrackChoice* sub, const std::string& audioWord,
                              const std::string& subWord);
