#include "watch_later.h"

#include <windows.h>

#include <cstdlib>

#include "md5.h"
#include "media_description.h"
#include "option_table.h"
#include "playback.h"
#include "text_convert.h"

namespace {

void createFolderChain(const std::wstring &folder) {
    if (folder.empty() || CreateDirectoryW(folder.c_str(), nullptr) ||
        GetLastError() == ERROR_ALREADY_EXISTS)
        return;
    size_t cut = folder.find_last_of(L"\\/");
    if (cut == std::wstring::npos || cut == 0) return;
    createFolderChain(folder.substr(0, cut));
    CreateDirectoryW(folder.c_str(), nullptr);
}

// Option values with spaces or quotes are written as %LENGTH%TEXT.
std::string quotedForConfig(const std::string &value) {
    for (unsigned char c : value)
        if (c <= ' ' || c == '#' || c == '\'' || c == '"' || c == '%')
            return "%" + std::to_string(value.size()) + "%" + value;
    return value;
}

std::string unquotedFromConfig(const std::string &value) {
    if (value.size() < 3 || value[0] != '%') return value;
    size_t close = value.find('%', 1);
    if (close == std::string::npos) return value;
    size_t length = (size_t)std::atoi(value.substr(1, close - 1).c_str());
    return value.substr(close + 1, length);
}

}  // namespace

std::wstring resumeFolder(const Engine &engine) {
    std::string configured = optionText(engine, "watch-later-dir");
    if (!configured.empty()) return utf8ToWide(configured);
    std::string appData = environmentText(L"APPDATA");
    return utf8ToWide(appData) + L"\\mpv\\watch_later";
}

std::string resumeKeyFor(const Engine &engine, const std::string &mediaPath) {
    if (isUrl(mediaPath)) return mediaPath;
    if (optionFlag(engine, "ignore-path-in-watch-later-config")) return baseNameOf(mediaPath);
    std::wstring wide = utf8ToWide(mediaPath);
    wchar_t full[32768];
    DWORD length = GetFullPathNameW(wide.c_str(), 32768, full, nullptr);
    if (length == 0 || length >= 32768) return mediaPath;
    return wideToUtf8(std::wstring(full, length));
}

std::wstring resumeFilePath(const Engine &engine, const std::string &mediaPath) {
    return resumeFolder(engine) + L"\\" + utf8ToWide(md5HexUpper(resumeKeyFor(engine, mediaPath)));
}

int writeResumeState(Engine &engine) {
    if (!engine.loaded || engine.current < 0) return 0;
    const std::string &path = engine.playlist[engine.current].path;
    createFolderChain(resumeFolder(engine));
    std::string text;
    if (optionFlag(engine, "write-filename-in-watch-later-config")) {
        std::string shown = path;
        for (char &c : shown)
            if ((unsigned char)c < 32) c = '_';
        text += "# " + shown + "\n";
    }
    text += "start=" + formatFixed(engine.positionBase) + "\n";
    for (const std::string &name : splitText(optionText(engine, "watch-later-options"), ',')) {
        const OptionDefinition *definition = findOption(trimmed(name));
        if (!definition) continue;
        PropertyValue initial;
        parseOptionValue(*definition, definition->initial, initial);
        std::string value = optionText(engine, definition->name);
        if (value != formatValue(initial))
            text += std::string(definition->name) + "=" + quotedForConfig(value) + "\n";
    }
    HANDLE file = CreateFileW(resumeFilePath(engine, path).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return abi::kCommandError;
    DWORD written = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
    CloseHandle(file);
    return 0;
}

int deleteResumeState(Engine &engine, const std::string &mediaPath) {
    DeleteFileW(resumeFilePath(engine, mediaPath).c_str());
    return 0;
}

bool loadResumeState(Engine &engine, const std::string &mediaPath, double &start) {
    bool found = false;
    std::string content = readWholeFile(resumeFilePath(engine, mediaPath), &found);
    if (!found) return false;
    start = 0;
    for (std::string line : splitText(content, '\n')) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        std::string value = unquotedFromConfig(line.substr(equals + 1));
        if (key == "start") {
            parseTimeText(value, start);
            continue;
        }
        const OptionDefinition *definition = findOption(key);
        PropertyValue parsed;
        if (definition && parseOptionValue(*definition, value, parsed) == 0)
            engine.options[definition->name] = parsed;
    }
    return true;
}
