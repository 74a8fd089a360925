// The two command runners: "@verb ..." is the program's own command, anything else goes to
// the engine unchanged.
#pragma once

void executeCommand(const char* command);       // with its feedback toast
void executeCommandQuiet(const char* command);  // without
void dispatchAppCommand(const char* verbAndArgs);
// Hands the router what "@bmmenu" opens (the bookmarks menu lives above it).
void setBookmarksMenuOpener(void (*open)());
