#include "engine_state.h"

#include "option_table.h"

namespace {

const PropertyValue &lookup(const Engine &engine, const std::string &name) {
    static const PropertyValue missing;
    auto found = engine.options.find(name);
    return found == engine.options.end() ? missing : found->second;
}

}  // namespace

bool optionFlag(const Engine &engine, const std::string &name) {
    return lookup(engine, name).flag;
}

double optionNumber(const Engine &engine, const std::string &name) {
    double value = 0;
    numericValue(lookup(engine, name), value);
    return value;
}

std::string optionText(const Engine &engine, const std::string &name) {
    return formatValue(lookup(engine, name));
}

void resetOptions(Engine &engine) {
    size_t count = 0;
    const OptionDefinition *table = optionTable(count);
    for (size_t i = 0; i < count; i++) {
        PropertyValue value;
        parseOptionValue(table[i], table[i].initial, value);
        engine.options[table[i].name] = value;
    }
}
