// Saved-frame names come from the media's file name and the engine's position, both outside
// input: whatever they hold, the result is one file name inside the capture folder.
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "input/capture_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    double position = 0;
    if (size >= sizeof position) memcpy(&position, data, sizeof position);
    std::wstring media;
    for (size_t i = sizeof position; i + 1 < size; i += 2) media += wchar_t(data[i] | data[i + 1] << 8);
    std::wstring name = captureBaseName(media), stamp = captureStamp(position);
    if (name.size() != media.size() || stamp.find_first_not_of(L" 0123456789-") != std::wstring::npos) abort();
    std::wstring path = capturePath(L"C:\\F", name, stamp, int(size % 5));
    if (path.find(L'\\', 5) != std::wstring::npos || path.find_first_of(L"/:*?\"<>|", 2) != std::wstring::npos ||
        path.compare(path.size() - 4, 4, L".png") != 0)
        abort();
    for (wchar_t c : path)
        if (c < 32) abort();
    std::wstring shown = shortCaptureName(path);
    if (shown.size() > 36 || path.find(shown.substr(shown.size() > 35 ? 1 : 0)) == std::wstring::npos) abort();
    return 0;
}
