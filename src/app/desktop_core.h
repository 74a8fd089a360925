// What the program tells Windows about itself and reads from it, without platform calls: the
// file types it plays, the registry entries that make it an "Open with" choice, and how a
// pasted text or a dropped list turns into files to play.
#pragma once
#include <string>
#include <vector>

// Extensions (lower case, with the dot) of the video and audio files the engine plays, and of
// the subtitle files it can add to a playing file.
extern const std::vector<std::u16string> kVideoExtensions;
extern const std::vector<std::u16string> kAudioExtensions;
extern const std::vector<std::u16string> kSubtitleExtensions;

bool isSubtitlePath(const std::u16string& path);

// A pasted text's lines that name a file or a stream: a URL ("://") or an absolute path
// (drive or network). Blank lines and surrounding blanks and quotes are dropped.
std::vector<std::u16string> pastedTextEntries(const std::u16string& text);

// One value the registration writes under HKEY_CURRENT_USER (always text). A shared value
// sits in a key that others write to too: only the value is ours.
struct RegistryValue {
    std::u16string key, name, data;
    bool shared = false;
};

struct RegistrationPlan {
    std::vector<RegistryValue> values;
    std::vector<std::u16string> ownKeys;  // keys that are wholly ours, removed with all they hold
};

// Everything "--register" writes for the program at `exePath`; "--unregister" removes the same.
RegistrationPlan registrationPlan(const std::u16string& exePath);
