// A property or option value as the engine hands it out: a flag, a 64-bit integer,
// a floating-point number or a text. Typed reads convert only where the engine does
// (an integer may be read as a double, nothing else crosses kinds).
#pragma once

#include <string>

struct PropertyValue {
    enum class Kind { Flag, Integer, Number, Text };
    Kind kind = Kind::Text;
    bool flag = false;
    long long integer = 0;
    double number = 0;
    std::string text;

    static PropertyValue ofFlag(bool value);
    static PropertyValue ofInteger(long long value);
    static PropertyValue ofNumber(double value);
    static PropertyValue ofText(const std::string &value);
};

// The string form of a value: "yes"/"no", "%lld", "%f" or the text itself.
std::string formatValue(const PropertyValue &value);

// Numeric view of a value (flags count as 0/1); false for texts that are not numbers.
bool numericValue(const PropertyValue &value, double &out);

// Guesses the kind from a text, for the free-form keys of a media description:
// "yes"/"no" become flags, whole numbers integers, other numbers doubles.
PropertyValue inferValue(const std::string &text);

// The time forms the engine accepts: seconds, [-][hh:]mm:ss[.frac].
bool parseTimeText(const std::string &text, double &seconds);

// "hh:mm:ss" of the whole seconds, the on-screen form of times.
std::string formatClock(double seconds);
