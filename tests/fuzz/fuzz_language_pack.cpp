// Language packs are files anyone can drop into the language folder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "panels/language_core.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string title;
    std::unordered_map<std::string, std::string> entries;
    parseLanguagePack(bytes, &title, &entries);
    for (const auto& entry : entries)
        if (entry.second.empty() || entry.first == "Title" || entry.first.find('\n') != std::string::npos) __builtin_trap();
    std::wstring wide(bytes.begin(), bytes.end());
    isSingleCountPattern(wide);
    return 0;
}
