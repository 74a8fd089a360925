// Pasted text is whatever another program put on the clipboard: any text must parse safely, and
// every entry is a trimmed line that names a stream or an absolute path.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/desktop_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) memcpy(&text[0], data, text.size() * 2);
    for (const std::u16string& entry : pastedTextEntries(text)) {
        if (entry.empty() || entry.find(u'\n') != std::u16string::npos || entry.front() == u' ' || entry.back() == u'"')
            abort();
        if (text.find(entry) == std::u16string::npos) abort();
        isSubtitlePath(entry);
    }
    return 0;
}
