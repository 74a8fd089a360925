#include "engine/engine.h"

std::atomic<long> quitRequested{0};

bool engineRunning() { return false; }
int engineCommandString(const char*) { return -1; }
int engineCommandArgs(std::initializer_list<const char*>) { return -1; }
int engineCommandAsync(std::initializer_list<const char*>) { return -1; }
bool engineGetDouble(const char*, double&) { return false; }
