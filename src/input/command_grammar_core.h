// The application command grammar and the arithmetic of its stepping verbs.
#pragma once
#include <cstdint>
#include <string>

enum class AppVerb {
    Unknown, Fullscreen, ExitFullscreen, Size, Maximize, OnTop, Open, AddFiles, Playlist, Step, Vol,
    Settings, Fill, PanScanReset, PanScan, WhatNext, HwDec, Boost, CopyFrame, SaveFrame, ShotDir,
    ShotDirPick, ShotDirDefault, Info, Help, BookmarkAdd, BookmarkMenu, BookmarkPrev, BookmarkNext,
    BookmarkDelete, BookmarkClear, Close, Quit, Paste, PasteQueue,
};

struct ParsedVerb {
    AppVerb verb = AppVerb::Unknown;
    std::string argument;  // the text after the verb's space, for the five verbs that take one
};

// Reads the text after "@": prefix verbs include their space, all others match exactly.
ParsedVerb parseAppCommand(const char* verbText);

// -1 when the number (read like atoi) is negative, else +1.
int stepDirection(const std::string& argument);

// "seek %d relative+keyframes" for one seek step in a direction.
std::string seekStepCommand(int direction, uint32_t seekSeconds);

// The volume step keeps 100 % for a held key: the stop mark, the time of the previous upward
// step, and whether this step is an auto-repeat of a held key.
struct VolumeStop {
    uint32_t lastUpTick = 0;
    bool stopMark = false;
};
std::string volumeStepCommand(VolumeStop& stop, int direction, double volume, uint32_t step,
                              uint32_t now, bool heldKeyRepeat);

// The next queue entry's name as the "whatnext" toast shows it: no folder, no extension,
// at most 36 characters.
std::u16string shortEntryName(const std::u16string& filename);
