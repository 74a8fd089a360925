#include "app/diaglog.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

bool logEnabled = false;

void diagLog(const char* format, ...) {
    if (!logEnabled) return;
    char path[260];
    DWORD len = GetTempPathA(sizeof path, path);
    if (len < 1 || len > 220) return;
    strcat(path, "kivoplayer-play.txt");
    // Each line is one open-append-close, so lines of the two threads never tear
    // and nothing is lost when the process ends abruptly.
    char line[4096];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (n < 0) return;
    size_t used = size_t(n) < sizeof line - 1 ? size_t(n) : sizeof line - 2;
    line[used] = '\n';
    FILE* f = fopen(path, "ab");
    if (!f) return;
    fwrite(line, 1, used + 1, f);
    fclose(f);
}

double processMs() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
    GetSystemTimeAsFileTime(&now);
    auto fileTimeUnits = [](const FILETIME& t) {
        return (unsigned long long)t.dwHighDateTime << 32 | t.dwLowDateTime;
    };
    return double((long long)(fileTimeUnits(now) - fileTimeUnits(created))) / 10000.0;
}
