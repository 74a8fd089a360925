#include "engine/track_memory_core.h"

#include <cstring>

namespace {

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string choiceName(const TrackChoice& choice) {
    if (choice.off) return "OFF";
    return choice.lang.empty() ? choice.title : choice.lang;
}

}  // namespace

const char* trackTypeChosenBy(const char* command) {
    if (!command) return nullptr;
    if (strncmp(command, "set aid ", 8) == 0 || strcmp(command, "cycle audio") == 0) return "audio";
    if (strncmp(command, "set sid ", 8) == 0 || strcmp(command, "cycle sub") == 0) return "sub";
    return nullptr;
}

TrackChoice choiceFromSelection(const std::vector<TrackEntry>& tracks, const std::string& type) {
    TrackChoice choice;
    bool any = false;
    for (const TrackEntry& t : tracks) {
        if (t.type != type) continue;
        any = true;
        if (!t.selected) continue;
        choice.lang = t.lang;
        choice.title = t.title;
        choice.chosen = !t.lang.empty() || !t.title.empty();
        return choice;
    }
    // No audio is a state the user rarely wants carried; subtitles off is the common choice.
    choice.chosen = choice.off = any && type == "sub";
    return choice;
}

std::string trackIdForChoice(const std::vector<TrackEntry>& tracks, const std::string& type, const TrackChoice& choice) {
    if (!choice.chosen) return "";
    if (choice.off) return "no";
    // Language and title beat language alone, which beats the title alone; the first such wins.
    const TrackEntry* found = nullptr;
    int best = 0;
    for (const TrackEntry& t : tracks) {
        if (t.type != type) continue;
        bool langMatch = !choice.lang.empty() && sameText(t.lang, choice.lang);
        int score = langMatch ? (t.title == choice.title ? 3 : 2) : (!choice.title.empty() && t.title == choice.title);
        if (score > best) best = score, found = &t;
    }
    return found ? found->id : "";
}

std::string carriedChoiceText(const TrackChoice* audio, const TrackChoice* sub, const std::string& audioWord,
                              const std::string& subWord) {
    std::string text;
    if (audio) text = audioWord + " " + choiceName(*audio);
    if (sub) text += (text.empty() ? "" : " \xC2\xB7 ") + subWord + " " + choiceName(*sub);
    return text;
}
