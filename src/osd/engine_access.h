// The engine functions handed down to the control bar and the panels that read the engine state
// themselves. A plain record of function pointers: whoever holds it needs no engine header.
#pragma once
#include <cstddef>

struct EngineAccess {
    void (*runQuiet)(const char* command);
    bool (*getDouble)(const char* property, double& value);
    bool (*getFlag)(const char* property, bool& value);
    bool (*getText)(const char* property, char* buffer, size_t size);
};
