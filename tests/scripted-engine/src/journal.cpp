#include "journal.h"

#include <windows.h>

#include "text_convert.h"

void openJournal(Journal &journal) {
    std::string path = environmentText(L"KIVO_ENGINE_JOURNAL");
    if (path.empty()) return;
    HANDLE file = CreateFileW(utf8ToWide(path).c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) journal.file = file;
}

void closeJournal(Journal &journal) {
    std::lock_guard<std::mutex> hold(journal.lock);
    if (journal.file) CloseHandle((HANDLE)journal.file);
    journal.file = nullptr;
}

void journalLine(Journal &journal, const std::string &text) {
    std::string line;
    line.reserve(text.size() + 1);
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else
            line.push_back(c);
    }
    line.push_back('\n');
    std::lock_guard<std::mutex> hold(journal.lock);
    if (!journal.file) return;
    DWORD written = 0;
    WriteFile((HANDLE)journal.file, line.data(), (DWORD)line.size(), &written, nullptr);
}

std::string joinedArguments(const std::vector<std::string> &arguments) {
    std::string joined;
    for (size_t i = 0; i < arguments.size(); i++) {
        if (i) joined.push_back('\t');
        joined += arguments[i];
    }
    return joined;
}
