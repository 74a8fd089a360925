#include "input/commands.h"

#include "engine/engine.h"
#include "input/feedback.h"

void dispatchAppCommand(const char*) {}

void executeCommandQuiet(const char* command) {
    if (!command || !*command) return;
    if (command[0] == '@') dispatchAppCommand(command + 1);
    else engineCommandString(command);
}

void executeCommand(const char* command) {
    if (!command || !*command) return;
    if (command[0] == '@') {
        dispatchAppCommand(command + 1);
        return;
    }
    engineCommandString(command);
    selectFeedbackForCommand(command);
}
