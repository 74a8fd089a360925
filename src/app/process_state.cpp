#include <windows.h>

#include "app/startup.h"

HINSTANCE appInstance = nullptr;
bool testMode = false;
bool keyTestMode = false;
char demoScript[16] = {};
bool resumeEnabled = true;
std::wstring resumeFolder;
std::wstring defaultCaptureFolder;
std::wstring exeFolder;
std::wstring mainClassName = L"KivoPlayerWnd";

bool envExists(const char* name) { return GetEnvironmentVariableA(name, nullptr, 0) != 0; }
