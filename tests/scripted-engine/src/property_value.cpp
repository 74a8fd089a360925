#include "property_value.h"

#include <cmath>
#include <cstdio>

#include "text_convert.h"

PropertyValue PropertyValue::ofFlag(bool value) {
    PropertyValue v;
    v.kind = Kind::Flag;
    v.flag = value;
    return v;
}

PropertyValue PropertyValue::ofInteger(long long value) {
    PropertyValue v;
    v.kind = Kind::Integer;
    v.integer = value;
    return v;
}

PropertyValue PropertyValue::ofNumber(double value) {
    PropertyValue v;
    v.kind = Kind::Number;
    v.number = value;
    return v;
}

PropertyValue PropertyValue::ofText(const std::string &value) {
    PropertyValue v;
    v.kind = Kind::Text;
    v.text = value;
    return v;
}

std::string formatValue(const PropertyValue &value) {
    switch (value.kind) {
        case PropertyValue::Kind::Flag:
            return value.flag ? "yes" : "no";
        case PropertyValue::Kind::Integer:
            return std::to_string(value.integer);
        case PropertyValue::Kind::Number:
            return formatFixed(value.number);
        case PropertyValue::Kind::Text:
            break;
    }
    return value.text;
}

bool numericValue(const PropertyValue &value, double &out) {
    switch (value.kind) {
        case PropertyValue::Kind::Flag:
            out = value.flag ? 1 : 0;
            return true;
        case PropertyValue::Kind::Integer:
            out = (double)value.integer;
            return true;
        case PropertyValue::Kind::Number:
            out = value.number;
            return true;
        case PropertyValue::Kind::Text:
            break;
    }
    return parseDouble(value.text, out);
}

PropertyValue inferValue(const std::string &text) {
    if (text == "yes") return PropertyValue::ofFlag(true);
    if (text == "no") return PropertyValue::ofFlag(false);
    long long integer;
    if (parseInteger(text, integer)) return PropertyValue::ofInteger(integer);
    double number;
    if (parseDouble(text, number)) return PropertyValue::ofNumber(number);
    return PropertyValue::ofText(text);
}

bool parseTimeText(const std::string &text, double &seconds) {
    if (parseDouble(text, seconds)) return std::isfinite(seconds);
    std::string rest = text;
    bool negative = false;
    if (!rest.empty() && (rest[0] == '-' || rest[0] == '+')) {
        negative = rest[0] == '-';
        rest = rest.substr(1);
    }
    auto parts = splitText(rest, ':');
    if (parts.size() < 2 || parts.size() > 3) return false;
    double total = 0;
    for (size_t i = 0; i < parts.size(); i++) {
        double piece;
        bool last = i + 1 == parts.size();
        long long whole;
        if (last ? !parseDouble(parts[i], piece) : !parseInteger(parts[i], whole)) return false;
        if (!last) piece = (double)whole;
        if (piece < 0) return false;
        total = total * 60 + piece;
    }
    seconds = negative ? -total : total;
    return true;
}

std::string formatClock(double seconds) {
    const char *sign = seconds < 0 ? "-" : "";
    long long whole = (long long)std::fabs(seconds);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%02lld:%02lld:%02lld", sign, whole / 3600,
                  (whole / 60) % 60, whole % 60);
    return buffer;
}
