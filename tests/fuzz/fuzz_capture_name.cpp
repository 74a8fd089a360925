// Saved-frame names come from the media's file name and the engine's position, both outside
// input: whatever they hold, the name stays one file name inside the capture folder.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "input/capture_core.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    double position = 0;
    if (size >= sizeof position) {
        memcpy(&position, data, sizeof position);
        data += sizeof position;
        size -= sizeof position;
    }
    std::wstring media;
    for (size_t i = 0; i + 1 < size; i += 2) media += wchar_t(data[i] | data[i + 1] << 8);  // UTF-16 units

    std::wstring name = captureBaseName(media);
    if (name.size() != media.size()) abort();
    for (wchar_t c : name)
        if (c < 32 || wcschr(L"\\/:*?\"<>|", c)) abort();
    std::wstring stamp = captureStamp(position);
    if (stamp.size() < 8 || stamp[0] != L' ' || stamp.find_first_not_of(L" 0123456789-") != std::wstring::npos) abort();
    int n = int(size % 5);
    std::wstring path = capturePath(L"C:\\F", name, stamp, n);
    if (path.compare(0, 5, L"C:\\F\\") != 0 || path.find(L'\\', 5) != std::wstring::npos) abort();
    if (path.size() < 4 || path.compare(path.size() - 4, 4, L".png") != 0) abort();
    std::wstring shown = shortCaptureName(path);
    if (shown.size() > 36 || path.compare(path.size() - std::min<size_t>(shown.size(), 35), std::wstring::npos,
                                          shown.substr(shown.size() - std::min<size_t>(shown.size(), 35))) != 0)
        abort();
    return 0;
}
