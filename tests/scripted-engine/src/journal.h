// The journal: one UTF-8 line per client call, appended to the file named by
// KIVO_ENGINE_JOURNAL. Each line goes to the operating system in one write, so a
// test that kills the program still finds every line written before the kill.
#pragma once

#include <mutex>
#include <string>
#include <vector>

struct Journal {
    void *file = nullptr;  // HANDLE; null when no journal was asked for
    std::mutex lock;
};

// Opens (appending, creating when missing) the file named by the environment.
void openJournal(Journal &journal);
void closeJournal(Journal &journal);

// Appends text and a LF. Line breaks inside the text are written as \n and \r
// so that one call always stays one line.
void journalLine(Journal &journal, const std::string &text);

// "prefix ARG1<TAB>ARG2..." for argument arrays.
std::string joinedArguments(const std::vector<std::string> &arguments);
