#include "input/commands.h"

#include "engine/engine.h"

void dispatchAppCommand(const char*) {}

void executeCommandQuiet(const char* command) {
    if (!command || !*command) return;
    if (command[0] == '@') dispatchAppCommand(command + 1);
    else engineCommandString(command);
}

void executeCommand(const char* command) { executeCommandQuiet(command); }
