#include "input/command_grammar_core.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct VerbName {
    const char* text;
    AppVerb verb;
    bool takesArgument;  // matched by prefix, the space included
};

// Tested in this order.
const VerbName kVerbs[] = {
    {"fullscreen", AppVerb::Fullscreen, false}, {"exitfs", AppVerb::ExitFullscreen, false},
    {"size ", AppVerb::Size, true},             {"maximize", AppVerb::Maximize, false},
    {"ontop", AppVerb::OnTop, false},           {"open", AppVerb::Open, false},
    {"addfiles", AppVerb::AddFiles, false},     {"playlist", AppVerb::Playlist, false},
    {"step ", AppVerb::Step, true},             {"vol ", AppVerb::Vol, true},
    {"settings", AppVerb::Settings, false},     {"fill", AppVerb::Fill, false},
    {"psreset", AppVerb::PanScanReset, false},  {"ps ", AppVerb::PanScan, true},
    {"whatnext", AppVerb::WhatNext, false},     {"hwdec", AppVerb::HwDec, false},
    {"boost", AppVerb::Boost, false},           {"copyframe", AppVerb::CopyFrame, false},
    {"saveframe", AppVerb::SaveFrame, false},   {"shotdir", AppVerb::ShotDir, false},
    {"shotdirpick", AppVerb::ShotDirPick, false}, {"shotdirdefault", AppVerb::ShotDirDefault, false},
    {"info", AppVerb::Info, false},             {"help", AppVerb::Help, false},
    {"bmadd", AppVerb::BookmarkAdd, false},     {"bmmenu", AppVerb::BookmarkMenu, false},
    {"bmprev", AppVerb::BookmarkPrev, false},   {"bmnext", AppVerb::BookmarkNext, false},
    {"bmdel ", AppVerb::BookmarkDelete, true},  {"bmclear", AppVerb::BookmarkClear, false},
    {"close", AppVerb::Close, false},           {"quit", AppVerb::Quit, false},
    {"paste", AppVerb::Paste, false},           {"pastequeue", AppVerb::PasteQueue, false},
};

}  // namespace

ParsedVerb parseAppCommand(const char* verbText) {
    ParsedVerb parsed;
    if (!verbText) return parsed;
    for (const VerbName& v : kVerbs) {
        size_t n = strlen(v.text);
        bool match = v.takesArgument ? strncmp(verbText, v.text, n) == 0 : strcmp(verbText, v.text) == 0;
        if (!match) continue;
        parsed.verb = v.verb;
        if (v.takesArgument) parsed.argument = verbText + n;
        return parsed;
    }
    return parsed;
}

int stepDirection(const std::string& argument) {
    // Only the sign matters; strtol keeps huge numbers defined where atoi would not.
    return strtol(argument.c_str(), nullptr, 10) < 0 ? -1 : 1;
}

std::string seekStepCommand(int direction, uint32_t seekSeconds) {
    char text[64];
    snprintf(text, sizeof text, "seek %d relative+keyframes", direction * int(seekSeconds));
    return text;
}

std::string volumeStepCommand(VolumeStop& stop, int direction, double volume, uint32_t step,
                              uint32_t now, bool heldKeyRepeat) {
    char text[64];
    if (direction > 0) {
        uint32_t previousUp = stop.lastUpTick;
        stop.lastUpTick = now;
        if (volume < 100.0 && volume + step >= 99.99) {
            stop.stopMark = true;
            return "set volume 100";
        }
        // The first auto-repeat of a held key comes after the keyboard delay (500 ms or more),
        // so a held key is recognised by its repeat flag, not only by the time since the last step.
        bool atStop = std::fabs(volume - 100.0) < 0.01 && stop.stopMark;
        if (atStop && (heldKeyRepeat || uint32_t(now - previousUp) <= 450)) return "set volume 100";
        stop.stopMark = false;
        snprintf(text, sizeof text, "add volume %d", int(step));
        return text;
    }
    stop.stopMark = false;
    snprintf(text, sizeof text, "add volume %d", -int(step));
    return text;
}

std::u16string shortEntryName(const std::u16string& filename) {
    size_t slash = filename.find_last_of(u'\\');
    if (slash == std::u16string::npos) slash = filename.find_last_of(u'/');
    std::u16string name = slash == std::u16string::npos ? filename : filename.substr(slash + 1);
    size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && dot != 0) name.resize(dot);
    if (name.size() > 36) {
        name.resize(35);
        name += u'\u2026';
    }
    return name;
}
