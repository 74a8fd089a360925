#include "input/keys.h"

#include <cstring>

#include "app/diaglog.h"
#include "app/startup.h"
#include "input/commands.h"
#include "input/keymap_core.h"

namespace {
bool runningRepeat = false;
}

bool keyRepeatInProgress() { return runningRepeat; }

bool handleKey(uint32_t virtualKey, uint32_t modifiers, bool repeat) {
    if (testMode && strcmp(demoScript, "stay") == 0)
        diagLog("key vk=0x%02X mods=%u repeat=%d", virtualKey, modifiers, repeat ? 1 : 0);
    const char* command = nullptr;
    switch (decideKey(virtualKey, modifiers, repeat, &command)) {
        case KeyOutcome::NotHandled:
            return false;
        case KeyOutcome::Swallowed:
            return true;
        case KeyOutcome::Run:
            break;
    }
    runningRepeat = repeat;
    executeCommand(command);
    runningRepeat = false;
    return true;
}
