// The hand-over payload comes from another process: any bytes must parse safely, and the
// paths read back build the same payload up to its end marker.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/startup_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::vector<char16_t> units(size / 2);
    if (!units.empty()) memcpy(units.data(), data, units.size() * 2);
    std::vector<std::u16string> paths = parseHandoverPayload(units.data(), units.size());
    std::u16string rebuilt = buildHandoverPayload(paths);
    for (const std::u16string& p : paths)
        if (p.empty() || p.find(u'\0') != std::u16string::npos) abort();
    // The rebuilt payload matches the input over the part the paths came from; an input
    // cut short lacks only the last terminators.
    size_t body = rebuilt.size() - 1;
    size_t compared = body < units.size() ? body : units.size();
    if (body > units.size() + 1) abort();
    if (std::u16string(units.data(), compared) != rebuilt.substr(0, compared)) abort();
    return 0;
}
