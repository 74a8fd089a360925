#include "store/settings_core.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const SettingsKey kSettingsKeys[10] = {
    {"seek", &Settings::seek, nullptr},
    {"volume", &Settings::volume, nullptr},
    {"hide", &Settings::hide, nullptr},
    {"sublang", &Settings::sublang, nullptr},
    {"resume", nullptr, &Settings::resume},
    {"autoqueue", nullptr, &Settings::autoqueue},
    {"single", nullptr, &Settings::single},
    {"hwdec", nullptr, &Settings::hwdec},
    {"boost", nullptr, &Settings::boost},
    {"previews", nullptr, &Settings::previews},
};

namespace {

// The reader used fgets with this buffer, so longer lines arrive as several pieces.
constexpr size_t kPieceBuffer = 1200;

std::string textUpToLineEnd(const char* value) {
    return std::string(value, strcspn(value, "\r\n"));
}

}  // namespace

void applySettingsLine(const char* piece, Settings& s) {
    const char* eq = strchr(piece, '=');
    if (!eq) return;
    std::string key(piece, eq - piece);
    const char* value = eq + 1;
    if (key == "lang") {
        copyToField(s.lang, textUpToLineEnd(value));
        return;
    }
    if (key == "shotdir") {
        copyToField(s.shotdir, textUpToLineEnd(value));
        return;
    }
    // atoi's rules, but without its undefined behaviour on overflow: digits wrap into 32 bits.
    const char* p = value;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    uint32_t number = 0;
    while (*p >= '0' && *p <= '9') number = number * 10u + uint32_t(*p++ - '0');
    if (negative) number = 0u - number;
    for (const SettingsKey& entry : kSettingsKeys) {
        if (key != entry.key) continue;
        if (entry.number) s.*entry.number = number;
        else s.*entry.flag = number != 0;
    }
}

void validateSettings(Settings& s) {
    if (s.seek < 1 || s.seek > 600) s.seek = 5;
    if (s.volume < 1 || s.volume > 25) s.volume = 5;
    if (s.hide < 500 || s.hide > 10000) s.hide = 2500;
    if (s.sublang >= 3) s.sublang = 0;
}

void parseSettingsText(const char* data, size_t size, Settings& s) {
    char piece[kPieceBuffer];
    size_t pos = 0;
    while (pos < size) {
        size_t n = 0;
        while (n < kPieceBuffer - 1 && pos < size) {
            char c = data[pos++];
            piece[n++] = c;
            if (c == '\n') break;
        }
        piece[n] = '\0';
        applySettingsLine(piece, s);
    }
    validateSettings(s);
}

std::string formatSettingsText(const Settings& s) {
    std::string text;
    char line[64];
    for (const SettingsKey& entry : kSettingsKeys) {
        unsigned value = entry.number ? s.*entry.number : (s.*entry.flag ? 1u : 0u);
        snprintf(line, sizeof line, "%s=%u\n", entry.key, value);
        text += line;
    }
    text += "lang=";
    text += s.lang;
    text += "\nshotdir=";
    text += s.shotdir;
    text += "\n";
    return text;
}

const char* subtitleLanguageList(uint32_t sublang) {
    switch (sublang) {
        case 0: return "tha,th,eng,en";
        case 1: return "eng,en,tha,th";
        default: return "";
    }
}
