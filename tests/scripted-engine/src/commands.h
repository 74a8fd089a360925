// Running engine commands given as argument lists (the command name first).
#pragma once

#include <string>
#include <vector>

#include "engine_state.h"

// Whether the engine knows the command name; unknown names fail to parse (-4)
// before anything runs.
bool isKnownCommand(const std::string &name);

// Runs one command. Returns 0, -4 (bad arguments, like a parse error) or -12
// (the command failed).
int runCommand(Engine &engine, const std::vector<std::string> &arguments);
