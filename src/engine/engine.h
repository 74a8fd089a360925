// The engine binding: every engine interaction goes through these helpers.
// With no engine running, commands are dropped and reads fail.
#pragma once
#include <atomic>
#include <initializer_list>

extern std::atomic<long> quitRequested;

bool engineRunning();
int engineCommandString(const char* command);
int engineCommandArgs(std::initializer_list<const char*> args);
int engineCommandAsync(std::initializer_list<const char*> args);
bool engineGetDouble(const char* property, double& value);
