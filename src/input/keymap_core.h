// The fixed keyboard map: a key plus an exact set of modifiers gives one command string.
#pragma once
#include <cstddef>
#include <cstdint>

enum : uint32_t { kModCtrl = 1, kModShift = 2, kModAlt = 4 };

struct KeyBinding {
    uint32_t virtualKey;
    uint32_t modifiers;
    const char* command;
    bool repeatable;  // false: auto-repeats of a held key are swallowed
};

constexpr size_t kKeyBindingCount = 92;
extern const KeyBinding keyBindings[kKeyBindingCount];

// The first row for the key and exactly these modifiers, or null.
const KeyBinding* findKeyBinding(uint32_t virtualKey, uint32_t modifiers);

enum class KeyOutcome { NotHandled, Swallowed, Run };

// What a key-down does: not ours, a swallowed repeat, or run the row's command.
KeyOutcome decideKey(uint32_t virtualKey, uint32_t modifiers, bool repeat, const char** command);

// The command of a WM_APPCOMMAND code (media and browser keys), or null for one left to the system.
const char* appCommandAction(int appCommand);
