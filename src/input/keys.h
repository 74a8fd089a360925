// Keyboard handling: the key map's row for a key runs its command.
#pragma once
#include <cstdint>

// True when the key is the player's (its command ran, or a held key's repeat was swallowed).
bool handleKey(uint32_t virtualKey, uint32_t modifiers, bool repeat);

// True while the command of a held key's auto-repeat runs (the volume stop needs it).
bool keyRepeatInProgress();
