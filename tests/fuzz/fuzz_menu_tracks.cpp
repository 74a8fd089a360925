// Track names and languages come from media files and may hold anything: the rows built from
// them stay short, carry no control characters, and a broken count never runs away.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "menu/menu_core.h"

static std::vector<std::string> answers;
static size_t nextAnswer, reads;

// Each read takes the next line of the input, round and round; an empty line fails the read.
static bool readText(const char*, char* buffer, size_t size) {
    ++reads;
    const std::string& text = answers[nextAnswer++ % answers.size()];
    if (text.empty()) return false;
    size_t n = text.size() < size - 1 ? text.size() : size - 1;
    memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    std::string input(reinterpret_cast<const char*>(data), size);
    answers.clear();
    size_t start = 0;
    for (size_t end; (end = input.find('\n', start)) != std::string::npos; start = end + 1)
        answers.push_back(input.substr(start, end - start));
    answers.push_back(input.substr(start));
    nextAnswer = reads = 0;
    MenuEngineReads engine = {nullptr, nullptr, readText};
    MenuItems rows;
    AddTrackRows(engine, rows, "sub", "sid");
    if (reads > 1 + 4096 * 6) abort();
    for (const MenuItem& row : rows) {
        if (row.label.size() > 81 * 2 || row.command.compare(0, 8, "set sid ") != 0) abort();
        for (wchar_t c : row.label)
            if (c < 0x20 || (c >= 0x7F && c < 0xA0)) abort();
    }
    return 0;
}
