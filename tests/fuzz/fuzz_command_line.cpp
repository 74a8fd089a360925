// The command line is whatever a shell, a file association or another program passes: every
// argument list must sort into files and the queue switch without losing or inventing one.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/startup_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::vector<std::u16string> args(1);
    for (size_t i = 0; i + 1 < size; i += 2) {
        char16_t unit;
        memcpy(&unit, data + i, 2);
        if (unit == 0) args.emplace_back();
        else args.back() += unit;
    }
    StartArguments start = splitStartArguments(args);
    size_t switches = 0;
    for (const std::u16string& a : args) switches += a == u"--enqueue";
    if (start.enqueue != (switches > 0)) abort();
    if (start.files.size() > args.size() - switches) abort();
    return 0;
}
