// Resume files are written by the engine, or by anyone, into a folder the program lists:
// the reader must take only sane positions and a path from the first line.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "panels/history_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    ResumeFileEntry entry;
    if (!parseResumeFile(reinterpret_cast<const char*>(data), size, entry)) return 0;
    if (!std::isfinite(entry.seconds) || entry.seconds < kHistoryMinSeconds || entry.seconds >= 2147483648.0) abort();
    if (entry.mediaPath.find('\n') != std::string::npos || entry.mediaPath.find('\0') != std::string::npos) abort();
    if (memcmp(data, "# ", 2) != 0 || entry.mediaPath.size() + 3 > size) abort();
    return 0;
}
