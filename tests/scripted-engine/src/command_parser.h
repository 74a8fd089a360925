// Parsing command strings the way the engine's input parser does: commands
// separated by ";", arguments by blanks, "double" (with backslash escapes) and
// 'single' quotes, "#" starting a comment, optional prefixes (no-osd, raw, ...),
// and ${...} property expansion in the arguments.
#pragma once

#include <string>
#include <vector>

#include "engine_state.h"

struct ParsedCommand {
    std::vector<std::string> arguments;  // the command name first
    bool expandProperties = true;        // false after the "raw" prefix
};

// False on a syntax error (an unterminated quote or an empty command).
bool parseCommandString(const std::string &text, std::vector<ParsedCommand> &commands);

// Expands ${NAME}, ${NAME:fallback}, ${?NAME:text}, ${!NAME:text},
// ${?NAME==VALUE:text}, ${!NAME==VALUE:text}, ${=NAME} and "$$". A property that
// cannot be read becomes "(unavailable)" (or "(error)" for an unknown name).
std::string expandProperties(Engine &engine, const std::string &text);
