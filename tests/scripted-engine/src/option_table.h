// The options the double knows, with their kinds, start values and limits. An
// option name outside this table is refused the way the engine refuses unknown
// options, which catches misspelt names in the program's option set.
#pragma once

#include <string>

#include "property_value.h"

enum class OptionKind {
    Flag,     // yes / no
    Integer,  // whole number within [minimum, maximum]
    Number,   // floating-point number within [minimum, maximum]
    Text,     // any text
    Choice,   // one of the '|'-separated choices; "#" among them also admits integers
    Time,     // seconds or hh:mm:ss, or "no" where choices say so
    Aspect,   // "w:h", a number, "no" (0) or -1 (the file's own aspect)
    Track,    // "no", "auto" or a track id
};

struct OptionDefinition {
    const char *name;
    OptionKind kind;
    const char *initial;
    double minimum;
    double maximum;
    const char *choices;
};

// Finds an option by name or alias ("watch-later-directory" is the older
// spelling of "watch-later-dir"); null when unknown.
const OptionDefinition *findOption(const std::string &name);

// Every known option, in table order, for setting up a new engine.
const OptionDefinition *optionTable(size_t &count);

// Parses a text for an option. Returns 0, or the option error code the engine
// gives: out of range -> -6 (option format), malformed -> -7 (option error).
int parseOptionValue(const OptionDefinition &definition, const std::string &text,
                     PropertyValue &out);
