#include "command_parser.h"

#include "properties.h"

namespace {

const char *const kPrefixes[] = {"no-osd",
                                 "osd-auto",
                                 "osd-bar",
                                 "osd-msg",
                                 "osd-msg-bar",
                                 "raw",
                                 "expand-properties",
                                 "repeatable",
                                 "nonrepeatable",
                                 "nonscalable",
                                 "async",
                                 "sync"};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads one argument starting at `at`; false on an unterminated quote.
bool readArgument(const std::string &text, size_t &at, std::string &argument) {
    argument.clear();
    char quote = text[at];
    if (quote == '"') {
        for (at++; at < text.size(); at++) {
            char c = text[at];
            if (c == '"') {
                at++;
                return true;
            }
            if (c == '\\' && at + 1 < text.size()) {
                char escaped = text[++at];
                argument.push_back(escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped);
            } else {
                argument.push_back(c);
            }
        }
        return false;
    }
    if (quote == '\'') {
        size_t close = text.find('\'', at + 1);
        if (close == std::string::npos) return false;
        argument = text.substr(at + 1, close - at - 1);
        at = close + 1;
        return true;
    }
    while (at < text.size() && !isBlank(text[at]) && text[at] != ';' && text[at] != '#')
        argument.push_back(text[at++]);
    return true;
}

// Finds the "}" that closes a ${ at `open`, honouring nested ${...}.
size_t closingBrace(const std::string &text, size_t open) {
    int depth = 0;
    for (size_t i = open; i < text.size(); i++) {
        if (text[i] == '$' && i + 1 < text.size() && text[i + 1] == '{') {
            depth++;
            i++;
        } else if (text[i] == '}' && --depth == 0) {
            return i;
        }
    }
    return std::string::npos;
}

// The "truthy" test of ${?NAME:...}: readable and not "no"/"false"/empty.
bool propertyHolds(Engine &engine, const std::string &name, const std::string *wanted) {
    PropertyValue value;
    if (readProperty(engine, name, value) < 0) return false;
    std::string text = formatValue(value);
    if (wanted) return text == *wanted;
    return !(text == "no" || text == "false" || text.empty());
}

std::string expandOne(Engine &engine, const std::string &inner) {
    if (!inner.empty() && (inner[0] == '?' || inner[0] == '!')) {
        bool negate = inner[0] == '!';
        size_t colon = inner.find(':');
        std::string condition =
            inner.substr(1, colon == std::string::npos ? std::string::npos : colon - 1);
        std::string body = colon == std::string::npos ? std::string() : inner.substr(colon + 1);
        size_t equals = condition.find("==");
        bool holds;
        if (equals != std::string::npos) {
            std::string wanted = condition.substr(equals + 2);
            holds = propertyHolds(engine, condition.substr(0, equals), &wanted);
        } else {
            holds = propertyHolds(engine, condition, nullptr);
        }
        return holds != negate ? expandProperties(engine, body) : std::string();
    }
    bool raw = !inner.empty() && inner[0] == '=';
    std::string reference = raw ? inner.substr(1) : inner;
    size_t colon = reference.find(':');
    std::string name = reference.substr(0, colon);
    std::string text;
    int result;
    if (raw) {
        PropertyValue value;
        result = readProperty(engine, name, value);
        if (result >= 0) text = formatValue(value);
    } else {
        result = readPropertyForDisplay(engine, name, text);
    }
    if (result >= 0) return text;
    if (colon != std::string::npos) return expandProperties(engine, reference.substr(colon + 1));
    return result == abi::kPropertyNotFound ? "(error)" : "(unavailable)";
}

}  // namespace

bool parseCommandString(const std::string &text, std::vector<ParsedCommand> &commands) {
    commands.clear();
    ParsedCommand command;
    size_t at = 0;
    auto finish = [&]() {
        bool empty = command.arguments.empty();
        if (!empty) commands.push_back(command);
        command = ParsedCommand();
        return !empty;
    };
    while (at < text.size()) {
        char c = text[at];
        if (isBlank(c)) {
            at++;
        } else if (c == '#') {
            break;
        } else if (c == ';') {
            if (!finish()) return false;
            at++;
        } else {
            std::string argument;
            if (!readArgument(text, at, argument)) return false;
            bool isPrefix = false;
            if (command.arguments.empty() && c != '"' && c != '\'')
                for (const char *prefix : kPrefixes)
                    if (argument == prefix) isPrefix = true;
            if (isPrefix) {
                if (argument == "raw") command.expandProperties = false;
                if (argument == "expand-properties") command.expandProperties = true;
            } else {
                command.arguments.push_back(argument);
            }
        }
    }
    if (!command.arguments.empty()) commands.push_back(command);
    return !commands.empty();
}

std::string expandProperties(Engine &engine, const std::string &text) {
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] != '$' || i + 1 >= text.size()) {
            out.push_back(text[i]);
            continue;
        }
        char next = text[i + 1];
        if (next == '$' || next == '}') {
            out.push_back(next);
            i++;
        } else if (next == '{') {
            size_t close = closingBrace(text, i);
            if (close == std::string::npos) {
                out += text.substr(i);
                break;
            }
            out += expandOne(engine, text.substr(i + 2, close - i - 2));
            i = close;
        } else {
            out.push_back('$');
        }
    }
    return out;
}
