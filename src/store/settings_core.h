// The settings record and the settings.ini text format. No platform headers here:
// this is shared by the program and the native tests and fuzzers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

struct Settings {
    uint32_t seek = 5;        // "@step" seconds
    uint32_t volume = 5;      // "@vol" percent
    uint8_t boost = 1;        // loudness normaliser
    uint32_t hide = 2500;     // controls hide delay in ms (stored only)
    uint32_t sublang = 0;     // 0 Thai first, 1 English first, 2 none
    uint8_t resume = 1;
    uint8_t autoqueue = 0;
    uint8_t single = 1;
    uint8_t hwdec = 1;
    uint8_t previews = 1;     // pictures over the seek bar
    char lang[16] = {};       // language code, empty = default language
    char shotdir[1024] = {};  // UTF-8 capture folder, empty = default
};

// One numeric or flag key of settings.ini; exactly one of the two pointers is set.
struct SettingsKey {
    const char* key;
    uint32_t Settings::*number;
    uint8_t Settings::*flag;
};

// The numeric keys in file order.
extern const SettingsKey kSettingsKeys[10];

// Reads settings.ini text into `s` (which should hold the defaults first) the way a
// line-by-line reader with a 1200-byte buffer sees it, then validates the ranges.
void parseSettingsText(const char* data, size_t size, Settings& s);

// Feeds one line piece (as fgets returns it) into the record; no validation.
void applySettingsLine(const char* piece, Settings& s);

// Puts out-of-range numbers back to their defaults.
void validateSettings(Settings& s);

// The whole settings.ini text for the record.
std::string formatSettingsText(const Settings& s);

// The subtitle language list sent for a `sublang` value.
const char* subtitleLanguageList(uint32_t sublang);

// Copies `text` into a fixed field, cutting it to the field's usable size.
template <size_t N>
void copyToField(char (&field)[N], const std::string& text) {
    size_t n = text.size() < N - 1 ? text.size() : N - 1;
    text.copy(field, n);
    field[n] = '\0';
}
