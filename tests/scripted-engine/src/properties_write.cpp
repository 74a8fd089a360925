#include "properties.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "playback.h"
#include "playlist.h"
#include "text_convert.h"
#include "tracks.h"

namespace {

std::string withoutOptionsPrefix(const std::string &name) {
    return name.compare(0, 8, "options/") == 0 ? name.substr(8) : name;
}

bool isTrackOption(const std::string &name) {
    return name == "vid" || name == "aid" || name == "sid";
}

// Upper limit of a numeric option; the volume's follows volume-max.
double upperLimit(const Engine &engine, const OptionDefinition &definition) {
    if (std::string(definition.name) == "volume") return optionNumber(engine, "volume-max");
    return definition.maximum;
}

long long loopCount(const PropertyValue &value) {
    if (value.text == "inf" || value.text == "yes") return -1;
    if (value.text == "no") return 0;
    return std::atoll(value.text.c_str());
}

// Properties that are not options but can be set: they act (seek, switch entry).
int setComputed(Engine &engine, const std::string &name, const std::string &text, bool &handled) {
    handled = true;
    if (name == "time-pos" || name == "playback-time") {
        double target;
        if (!engine.loaded) return abi::kPropertyUnavailable;
        if (!parseTimeText(text, target)) return abi::kPropertyError;
        return seekTo(engine, target, false, target > engine.positionBase) < 0 ? abi::kPropertyError
                                                                               : 0;
    }
    if (name == "percent-pos") {
        double percent;
        if (!engine.loaded || engine.file.duration <= 0) return abi::kPropertyUnavailable;
        if (!parseDouble(text, percent)) return abi::kPropertyError;
        double target = engine.file.duration * percent / 100;
        return seekTo(engine, target, false, target > engine.positionBase) < 0 ? abi::kPropertyError
                                                                               : 0;
    }
    if (name == "playlist-pos" || name == "playlist-pos-1") {
        long long index;
        if (!parseInteger(text, index)) return abi::kPropertyError;
        if (name == "playlist-pos-1" && index > 0)
            index--;
        else if (name == "playlist-pos-1")
            index = -1;
        return setPlaylistPosition(engine, index);
    }
    if (name == "chapter") {
        long long index;
        int count = engine.file.chapters;
        if (!engine.loaded || count <= 0) return abi::kPropertyUnavailable;
        if (!parseInteger(text, index)) return abi::kPropertyError;
        index = std::max(0LL, std::min(index, (long long)count - 1));
        double target = engine.file.duration * index / count;
        return seekTo(engine, target, false, target > engine.positionBase) < 0 ? abi::kPropertyError
                                                                               : 0;
    }
    handled = false;
    return 0;
}

}  // namespace

int assignOption(Engine &engine, const OptionDefinition &definition, const PropertyValue &value) {
    std::string name = definition.name;
    if (name == "volume" && value.number > optionNumber(engine, "volume-max"))
        return abi::kPropertyError;
    engine.options[name] = value;
    if (name == "volume-max" && optionNumber(engine, "volume") > value.number)
        engine.options["volume"] = PropertyValue::ofNumber(value.number);
    if (isTrackOption(name)) reselectTrack(engine, name);
    if (name == "loop-file" && engine.loaded) engine.loopFileRemaining = loopCount(value);
    return 0;
}

int setProperty(Engine &engine, const std::string &rawName, const std::string &text) {
    std::string name = trackOptionFor(withoutOptionsPrefix(rawName));
    bool handled = false;
    int result = setComputed(engine, name, text, handled);
    if (handled) return result;
    const OptionDefinition *definition = findOption(name);
    if (!definition) {
        PropertyValue ignored;
        // Known but read-only properties refuse the change; others are unknown.
        return readComputedProperty(engine, name, ignored) == kNotComputed ? abi::kPropertyNotFound
                                                                           : abi::kPropertyError;
    }
    PropertyValue value;
    if (parseOptionValue(*definition, text, value) != 0) return abi::kPropertyError;
    return assignOption(engine, *definition, value);
}

int addToProperty(Engine &engine, const std::string &rawName, double delta) {
    std::string name = trackOptionFor(withoutOptionsPrefix(rawName));
    PropertyValue current;
    int result = readProperty(engine, name, current);
    if (result < 0) return result;
    if (current.kind != PropertyValue::Kind::Number && current.kind != PropertyValue::Kind::Integer)
        return abi::kPropertyError;
    double value;
    numericValue(current, value);
    value += delta;
    const OptionDefinition *definition = findOption(name);
    if (definition &&
        (definition->kind == OptionKind::Number || definition->kind == OptionKind::Integer))
        value = std::max(definition->minimum, std::min(value, upperLimit(engine, *definition)));
    std::string text = current.kind == PropertyValue::Kind::Integer
                           ? std::to_string(std::llround(value))
                           : formatFixed(value);
    return setProperty(engine, name, text);
}

int multiplyProperty(Engine &engine, const std::string &rawName, double factor) {
    std::string name = withoutOptionsPrefix(rawName);
    PropertyValue current;
    int result = readProperty(engine, name, current);
    if (result < 0) return result;
    double value;
    if (current.kind != PropertyValue::Kind::Number && current.kind != PropertyValue::Kind::Integer)
        return abi::kPropertyError;
    numericValue(current, value);
    return addToProperty(engine, name, value * factor - value);
}

int cycleProperty(Engine &engine, const std::string &rawName, bool upward) {
    std::string name = trackOptionFor(withoutOptionsPrefix(rawName));
    if (isTrackOption(name)) return cycleTrack(engine, name, upward);
    const OptionDefinition *definition = findOption(name);
    if (!definition) {
        PropertyValue ignored;
        return readComputedProperty(engine, name, ignored) == kNotComputed ? abi::kPropertyNotFound
                                                                           : abi::kPropertyError;
    }
    PropertyValue current = engine.options[definition->name];
    switch (definition->kind) {
        case OptionKind::Flag:
            return assignOption(engine, *definition, PropertyValue::ofFlag(!current.flag));
        case OptionKind::Choice: {
            std::vector<std::string> choices;
            for (const std::string &choice : splitText(definition->choices, '|'))
                if (choice != "#") choices.push_back(choice);
            size_t at = std::find(choices.begin(), choices.end(), current.text) - choices.begin();
            size_t next = at == choices.size() ? 0
                          : upward             ? (at + 1) % choices.size()
                                               : (at + choices.size() - 1) % choices.size();
            return assignOption(engine, *definition, PropertyValue::ofText(choices[next]));
        }
        case OptionKind::Integer:
        case OptionKind::Number: {
            // Numbers cycle by one step and wrap around at their limits.
            double value;
            numericValue(current, value);
            value += upward ? 1 : -1;
            double top = upperLimit(engine, *definition);
            if (value > top) value = definition->minimum;
            if (value < definition->minimum) value = top;
            PropertyValue next = definition->kind == OptionKind::Integer
                                     ? PropertyValue::ofInteger(std::llround(value))
                                     : PropertyValue::ofNumber(value);
            return assignOption(engine, *definition, next);
        }
        default:
            return abi::kPropertyError;
    }
}

int cycleValues(Engine &engine, const std::string &rawName, const std::vector<std::string> &values,
                bool reverse) {
    if (values.empty()) return abi::kPropertyError;
    std::string name = trackOptionFor(withoutOptionsPrefix(rawName));
    PropertyValue current;
    int result = readProperty(engine, name, current);
    if (result < 0 && result != abi::kPropertyUnavailable) return result;
    std::string now = result < 0 ? std::string() : formatValue(current);
    const OptionDefinition *definition = findOption(name);
    // Values are compared as the property would print them, so "90" matches 90.
    int found = -1;
    for (size_t i = 0; i < values.size() && found < 0; i++) {
        PropertyValue parsed;
        std::string candidate = values[i];
        if (definition && parseOptionValue(*definition, values[i], parsed) == 0)
            candidate = formatValue(parsed);
        if (candidate == now) found = (int)i;
    }
    int count = (int)values.size();
    int next = found < 0 ? (reverse ? count - 1 : 0)
                         : (reverse ? (found + count - 1) % count : (found + 1) % count);
    return setProperty(engine, name, values[(size_t)next]);
}
