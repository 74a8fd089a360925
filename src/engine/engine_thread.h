// The engine thread: loads libmpv, starts the one engine instance and waits for its events.
#pragma once
#include <string>
#include <vector>

// Written by startPlayback before the thread starts; read once by the thread.
extern std::string engineFirstFile;
extern std::vector<std::string> engineFurtherFiles;

unsigned long __stdcall engineThreadMain(void*);

// The engine library beside the program, loaded (once; later calls only count up); null when it
// cannot be loaded.
void* loadEngineLibrary();
