// The program as an "Open with" choice and a Default Apps entry for the current user, written
// from wherever its folder is: no installer and no elevation.
#pragma once
#include <string>

struct RegistrationOutcome {
    bool ok;
    std::wstring summary;  // what was done, or what the registry refused
};

// Writes the file types, verbs and capabilities for this program file (registering again after
// the folder moved replaces the old paths). A user's own default for an extension stays.
RegistrationOutcome registerFileTypes();

// Removes exactly what registerFileTypes writes; keys that others use keep their other values.
RegistrationOutcome unregisterFileTypes();

// "--register" / "--unregister": prints the summary and gives the exit code (0 or 1).
int runRegistrationCommand(bool unregister);
