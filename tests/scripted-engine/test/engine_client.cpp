#include "engine_client.h"

#include <gtest/gtest.h>

#include "text_convert.h"

#include <cmath>
#include <cstdio>

namespace client {

namespace {

void setVariable(const wchar_t *name, const std::string &value) {
    SetEnvironmentVariableW(name, value.empty() ? nullptr : utf8ToWide(value).c_str());
}

void removeTree(const std::wstring &folder) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring full = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(full);
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

template <typename Function>
void resolve(HMODULE module, const char *name, Function &target) {
    target = (Function)(void *)GetProcAddress(module, name);
}

}  // namespace

std::wstring programFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring full(path, length);
    return full.substr(0, full.find_last_of(L'\\'));
}

const Api &api(const std::wstring &relative) {
    static Api loaded;
    if (!loaded.module) {
        loaded.module = LoadLibraryW((programFolder() + L"\\" + relative).c_str());
        if (!loaded.module) {
            ADD_FAILURE() << "cannot load the scripted engine, error " << GetLastError();
            return loaded;
        }
        resolve(loaded.module, "mpv_create", loaded.create);
        resolve(loaded.module, "mpv_initialize", loaded.initialize);
        resolve(loaded.module, "mpv_set_option_string", loaded.setOptionString);
        resolve(loaded.module, "mpv_command", loaded.command);
        resolve(loaded.module, "mpv_command_string", loaded.commandString);
        resolve(loaded.module, "mpv_command_async", loaded.commandAsync);
        resolve(loaded.module, "mpv_wait_event", loaded.waitEvent);
        resolve(loaded.module, "mpv_get_property", loaded.getProperty);
        resolve(loaded.module, "mpv_get_property_string", loaded.getPropertyString);
        resolve(loaded.module, "mpv_free", loaded.free);
        resolve(loaded.module, "mpv_error_string", loaded.errorString);
    }
    return loaded;
}

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"scripted-engine-" + std::to_wstring(GetCurrentProcessId()) +
              L"-" + std::to_wstring(++counter);
    removeTree(folder_);
    CreateDirectoryW(folder_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    removeTree(folder_);
}

std::string ScratchFolder::path() const {
    return wideToUtf8(folder_);
}

std::string ScratchFolder::file(const std::string &name) const {
    return path() + "\\" + name;
}

void ScratchFolder::write(const std::string &name, const std::string &content) const {
    std::wstring full = utf8ToWide(file(name));
    size_t cut = full.find_last_of(L'\\');
    CreateDirectoryW(full.substr(0, cut).c_str(), nullptr);
    HANDLE handle = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, content.data(), (DWORD)content.size(), &written, nullptr);
    CloseHandle(handle);
}

std::string readFile(const std::string &path) { return readWholeFile(utf8ToWide(path)); }

bool fileExists(const std::string &path) {
    return GetFileAttributesW(utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> readLines(const std::string &path) {
    std::vector<std::string> lines;
    std::string content = readFile(path), line;
    for (char c : content) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

Session::Session(const SessionSettings &settings) {
    setVariable(L"KIVO_ENGINE_JOURNAL", scratch_.file("journal.txt"));
    if (!settings.media.empty()) scratch_.write("media.txt", settings.media);
    setVariable(L"KIVO_ENGINE_MEDIA", settings.media.empty() ? "" : scratch_.file("media.txt"));
    setVariable(L"KIVO_ENGINE_REFUSE", settings.refuse);
    setVariable(L"KIVO_ENGINE_FAIL", settings.fail);
    if (api().create) handle_ = api().create();
}

int Session::option(const std::string &name, const std::string &value) {
    return api().setOptionString(handle_, name.c_str(), value.c_str());
}

int Session::initialize() {
    return api().initialize(handle_);
}

int Session::command(const std::vector<std::string> &arguments) {
    std::vector<const char *> pointers;
    for (const std::string &argument : arguments) pointers.push_back(argument.c_str());
    pointers.push_back(nullptr);
    return api().command(handle_, pointers.data());
}

int Session::commandString(const std::string &text) {
    return api().commandString(handle_, text.c_str());
}

int Session::commandAsync(uint64_t reply, const std::vector<std::string> &arguments) {
    std::vector<const char *> pointers;
    for (const std::string &argument : arguments) pointers.push_back(argument.c_str());
    pointers.push_back(nullptr);
    return api().commandAsync(handle_, reply, pointers.data());
}

bool Session::getDouble(const std::string &name, double &value) {
    return api().getProperty(handle_, name.c_str(), kDouble, &value) >= 0;
}

int Session::getDoubleResult(const std::string &name) {
    double value;
    return api().getProperty(handle_, name.c_str(), kDouble, &value);
}

bool Session::getInt(const std::string &name, int64_t &value) {
    return api().getProperty(handle_, name.c_str(), kInt64, &value) >= 0;
}

bool Session::getFlag(const std::string &name) {
    int value = 0;
    EXPECT_GE(api().getProperty(handle_, name.c_str(), kFlag, &value), 0) << name;
    return value != 0;
}

std::string Session::getString(const std::string &name) {
    char *text = api().getPropertyString(handle_, name.c_str());
    if (!text) return "(null)";
    std::string copy = text;
    api().free(text);
    return copy;
}

double Session::number(const std::string &name) {
    double value;
    return getDouble(name, value) ? value : NAN;
}

void Session::record(const Event *event) {
    if (event->event_id == 7 && event->data) lastEndFile_ = *(const EndFile *)event->data;
}

std::vector<int> Session::drainEvents(double quiet) {
    std::vector<int> ids;
    for (;;) {
        Event *event = api().waitEvent(handle_, quiet);
        if (event->event_id == 0) return ids;
        record(event);
        ids.push_back(event->event_id);
        if (event->event_id == 1) return ids;
    }
}

bool Session::waitFor(int eventId, double timeout, std::vector<int> *seen) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout * 1000) {
        Event *event = api().waitEvent(handle_, 0.05);
        if (event->event_id == 0) continue;
        record(event);
        if (seen) seen->push_back(event->event_id);
        if (event->event_id == eventId) return true;
    }
    return false;
}

std::vector<std::string> Session::journal() const {
    return readLines(scratch_.file("journal.txt"));
}

}  // namespace client
