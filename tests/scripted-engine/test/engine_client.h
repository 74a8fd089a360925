// Test-side access to the scripted engine: loads libmpv-2.dll from beside the
// test program (as the player does) and drives one engine instance configured
// through the environment variables the double reads.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace client {

// The client API's own layouts, declared from the program's side.
struct Event {
    int event_id;
    int error;
    uint64_t reply_userdata;
    void *data;
};

struct EndFile {
    int reason;
    int error;
    int64_t playlist_entry_id;
    int64_t playlist_insert_id;
    int playlist_insert_num_entries;
};

enum Format { kString = 1, kFlag = 3, kInt64 = 4, kDouble = 5 };

struct Api {
    HMODULE module = nullptr;
    void *(*create)();
    int (*initialize)(void *);
    int (*setOptionString)(void *, const char *, const char *);
    int (*command)(void *, const char **);
    int (*commandString)(void *, const char *);
    int (*commandAsync)(void *, uint64_t, const char **);
    Event *(*waitEvent)(void *, double);
    int (*getProperty)(void *, const char *, int, void *);
    char *(*getPropertyString)(void *, const char *);
    void (*free)(void *);
    const char *(*errorString)(int);
};

// The folder of the running test program.
std::wstring programFolder();

// Loads <program folder>\<relative> once; fails the test when it cannot.
const Api &api(const std::wstring &relative = L"libmpv-2.dll");

// A fresh, empty scratch folder under %TEMP%, deleted with the object.
class ScratchFolder {
  public:
    ScratchFolder();
    ~ScratchFolder();
    std::string path() const;  // UTF-8, backslashes
    std::string file(const std::string &name) const;
    void write(const std::string &name, const std::string &content) const;

  private:
    std::wstring folder_;
};

std::string readFile(const std::string &path);
bool fileExists(const std::string &path);
std::vector<std::string> readLines(const std::string &path);

struct SessionSettings {
    std::string media;   // content of the media description; empty = none
    std::string refuse;  // KIVO_ENGINE_REFUSE
    std::string fail;    // KIVO_ENGINE_FAIL
};

// One engine with its own journal and media description.
class Session {
  public:
    explicit Session(const SessionSettings &settings = SessionSettings());
    void *handle() const {
        return handle_;
    }
    const ScratchFolder &scratch() const {
        return scratch_;
    }

    int option(const std::string &name, const std::string &value);
    int initialize();
    int command(const std::vector<std::string> &arguments);
    int commandString(const std::string &text);
    int commandAsync(uint64_t reply, const std::vector<std::string> &arguments);

    bool getDouble(const std::string &name, double &value);
    int getDoubleResult(const std::string &name);  // the raw result code
    bool getInt(const std::string &name, int64_t &value);
    bool getFlag(const std::string &name);
    std::string getString(const std::string &name);  // "(null)" when unavailable
    double number(const std::string &name);          // NAN when unavailable

    // Events until the queue is empty and `quiet` seconds passed without one.
    std::vector<int> drainEvents(double quiet = 0.05);
    // Waits up to `timeout` for the event id; collects what came before it too.
    bool waitFor(int eventId, double timeout, std::vector<int> *seen = nullptr);
    const EndFile &lastEndFile() const {
        return lastEndFile_;
    }

    std::vector<std::string> journal() const;

  private:
    void record(const Event *event);

    ScratchFolder scratch_;
    void *handle_ = nullptr;
    EndFile lastEndFile_ = {};
};

}  // namespace client
