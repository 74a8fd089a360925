// Process-wide flags and paths worked out at start-up.
#pragma once
#include <string>

struct HINSTANCE__;

extern HINSTANCE__* appInstance;
extern bool testMode;             // any development switch: data under <exe>\..\test, log on
extern bool keyTestMode;          // the built-in key self-test
extern char demoScript[16];       // scripted demonstration name, empty when none
extern bool resumeEnabled;        // resume positions are kept
extern std::wstring resumeFolder; // the engine's watch-later folder, empty when none
extern std::wstring defaultCaptureFolder;
extern std::wstring exeFolder;
extern std::wstring mainClassName;

// True when the environment variable exists (even with an empty value).
bool envExists(const char* name);
