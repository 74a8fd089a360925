// The diagnostics log (kivoplayer-play.txt in the temporary folder) and the process clock.
#pragma once

// Set once at start-up, before any line can be written.
extern bool logEnabled;

// printf-style; "%s" takes UTF-8, "%ls" wide text. Callable from any thread.
void diagLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Milliseconds since the process was created.
double processMs();
