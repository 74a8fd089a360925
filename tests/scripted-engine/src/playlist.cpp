#include "playlist.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "playback.h"
#include "text_convert.h"
#include "watch_later.h"

namespace {

bool isFolder(const std::string &path) {
    DWORD attributes = GetFileAttributesW(utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFileOnDisk(const std::string &path) {
    DWORD attributes = GetFileAttributesW(utf8ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string extensionOf(const std::string &path) {
    std::string name = path.substr(path.find_last_of("/\\") + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : lowerAscii(name.substr(dot + 1));
}

// "video", "audio", "image" or empty, from the engine's extension lists.
std::string categoryOf(const Engine &engine, const std::string &path) {
    std::string extension = extensionOf(path);
    if (extension.empty()) return std::string();
    for (const char *type : {"video", "audio", "image"})
        for (const std::string &known :
             splitText(optionText(engine, std::string(type) + "-exts"), ','))
            if (known == extension) return type;
    return std::string();
}

char separatorFor(const std::string &path) {
    return path.find('\\') == std::string::npos && path.find('/') != std::string::npos ? '/' : '\\';
}

void collectFolder(const Engine &engine, const std::string &folder,
                   const std::vector<std::string> &types, bool recursive,
                   std::vector<std::string> &found) {
    char separator = separatorFor(folder);
    std::string base = folder;
    while (base.size() > 1 && (base.back() == '\\' || base.back() == '/')) base.pop_back();
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(utf8ToWide(base + separator + "*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> files, folders;
    do {
        std::string name = wideToUtf8(data.cFileName);
        if (name == "." || name == "..") continue;
        std::string full = base + separator + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (recursive) folders.push_back(full);
        } else {
            std::string category = categoryOf(engine, full);
            if (!category.empty() && std::find(types.begin(), types.end(), category) != types.end())
                files.push_back(full);
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
    std::sort(files.begin(), files.end(), naturalLess);
    std::sort(folders.begin(), folders.end(), naturalLess);
    found.insert(found.end(), files.begin(), files.end());
    for (const std::string &sub : folders) collectFolder(engine, sub, types, recursive, found);
}

std::string parentFolderOf(const std::string &path) {
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? "." : path.substr(0, cut);
}

// Replaces the entry at `index` by `paths` and reports the redirect.
void replaceByFolderEntries(Engine &engine, int index, const std::vector<std::string> &paths) {
    long long originalId = engine.playlist[index].id;
    long long firstNewId = engine.nextEntryId;
    std::vector<PlaylistEntry> entries;
    for (const std::string &path : paths) {
        PlaylistEntry entry;
        entry.id = engine.nextEntryId++;
        entry.path = path;
        entry.fromFolder = true;
        entries.push_back(entry);
    }
    engine.playlist.erase(engine.playlist.begin() + index);
    engine.playlist.insert(engine.playlist.begin() + index, entries.begin(), entries.end());
    queueEndFile(engine, abi::kEndRedirect, 0, originalId, entries.empty() ? 0 : firstNewId,
                 (int)entries.size());
}

bool samePath(const std::string &left, const std::string &right) {
    return CompareStringOrdinal(utf8ToWide(left).c_str(), -1, utf8ToWide(right).c_str(), -1,
                                TRUE) == CSTR_EQUAL;
}

void appendEntry(Engine &engine, const std::string &path, int position) {
    PlaylistEntry entry;
    entry.id = engine.nextEntryId++;
    entry.path = path;
    if (position < 0 || position > (int)engine.playlist.size())
        position = (int)engine.playlist.size();
    engine.playlist.insert(engine.playlist.begin() + position, entry);
    if (engine.current >= position) engine.current++;
}

bool parseIndex(const Engine &engine, const std::string &text, int &index) {
    if (text == "current") {
        index = engine.current;
        return index >= 0;
    }
    long long value;
    if (!parseInteger(text, value) || value < 0 || value >= (long long)engine.playlist.size())
        return false;
    index = (int)value;
    return true;
}

}  // namespace

bool naturalLess(const std::string &left, const std::string &right) {
    size_t i = 0, j = 0;
    while (i < left.size() && j < right.size()) {
        bool leftDigit = isdigit((unsigned char)left[i]),
             rightDigit = isdigit((unsigned char)right[j]);
        if (leftDigit && rightDigit) {
            size_t i2 = i, j2 = j;
            while (i2 < left.size() && isdigit((unsigned char)left[i2])) i2++;
            while (j2 < right.size() && isdigit((unsigned char)right[j2])) j2++;
            std::string a = left.substr(i, i2 - i), b = right.substr(j, j2 - j);
            a.erase(0, std::min(a.find_first_not_of('0'), a.size()));
            b.erase(0, std::min(b.find_first_not_of('0'), b.size()));
            if (a.size() != b.size()) return a.size() < b.size();
            if (a != b) return a < b;
            i = i2;
            j = j2;
            continue;
        }
        char a = (char)tolower((unsigned char)left[i]), b = (char)tolower((unsigned char)right[j]);
        if (a != b) return a < b;
        i++;
        j++;
    }
    if (left.size() - i != right.size() - j) return left.size() - i < right.size() - j;
    return left < right;
}

std::vector<std::string> listFolderMedia(const Engine &engine, const std::string &folder,
                                         const std::vector<std::string> &types, bool recursive) {
    std::vector<std::string> found;
    collectFolder(engine, folder, types, recursive, found);
    return found;
}

int expandFolderEntry(Engine &engine, int index) {
    const PlaylistEntry entry = engine.playlist[index];
    if (entry.fromFolder || isUrl(entry.path)) return kNoExpansion;
    std::vector<std::string> filterTypes =
        splitText(optionText(engine, "directory-filter-types"), ',');
    if (isFolder(entry.path)) {
        bool recursive = optionText(engine, "directory-mode") != "ignore";
        replaceByFolderEntries(engine, index,
                               listFolderMedia(engine, entry.path, filterTypes, recursive));
        return index;
    }
    std::string mode = optionText(engine, "autocreate-playlist");
    if (mode == "no" || engine.playlist.size() != 1 || !isFileOnDisk(entry.path))
        return kNoExpansion;
    std::vector<std::string> types = filterTypes;
    if (mode == "same") types = {categoryOf(engine, entry.path)};
    std::vector<std::string> siblings =
        listFolderMedia(engine, parentFolderOf(entry.path), types, false);
    int position = -1;
    for (size_t i = 0; i < siblings.size(); i++)
        if (samePath(siblings[i], entry.path)) position = (int)i;
    if (position < 0) {
        // The opened file is played even when its own type is filtered out.
        siblings.insert(siblings.begin(), entry.path);
        position = 0;
    } else {
        siblings[position] = entry.path;  // keep the spelling the program used
    }
    replaceByFolderEntries(engine, index, siblings);
    return index + position;
}

int commandLoadfile(Engine &engine, const std::vector<std::string> &args) {
    if (args.size() < 2) return abi::kInvalidParameter;
    std::string mode = args.size() > 2 && !args[2].empty() ? args[2] : "replace";
    const std::string &path = args[1];
    bool idle = !engine.loaded;
    if (mode == "replace") {
        // Like the engine, a replaced file keeps its position when positions are saved on quit.
        if (optionFlag(engine, "save-position-on-quit")) writeResumeState(engine);
        stopCurrent(engine, abi::kEndStop);
        engine.playlist.clear();
        appendEntry(engine, path, -1);
        playEntry(engine, 0, abi::kEndStop);
    } else if (mode == "append" || mode == "append-play") {
        appendEntry(engine, path, -1);
        if (mode == "append-play" && idle) playEntry(engine, (int)engine.playlist.size() - 1, 0);
    } else if (mode == "insert-next" || mode == "insert-next-play") {
        int position = engine.current + 1;
        appendEntry(engine, path, position);
        if (mode == "insert-next-play" && idle) playEntry(engine, position, 0);
    } else if (mode == "insert-at" || mode == "insert-at-play") {
        long long position = -1;
        if (args.size() < 4 || !parseInteger(args[3], position)) return abi::kInvalidParameter;
        appendEntry(engine, path, (int)position);
        if (mode == "insert-at-play" && idle)
            playEntry(engine, std::min((int)position, (int)engine.playlist.size() - 1), 0);
    } else {
        return abi::kInvalidParameter;
    }
    return 0;
}

int commandPlaylistNext(Engine &engine, const std::vector<std::string> &args) {
    bool force = args.size() > 1 && args[1] == "force";
    int next = engine.current + 1;
    if (next >= (int)engine.playlist.size()) {
        if (optionText(engine, "loop-playlist") != "no" && !engine.playlist.empty()) {
            next = 0;
        } else if (force) {
            stopCurrent(engine, abi::kEndStop);
            return 0;
        } else {
            return abi::kCommandError;
        }
    }
    playEntry(engine, next, abi::kEndStop);
    return 0;
}

int commandPlaylistPrev(Engine &engine, const std::vector<std::string> &args) {
    bool force = args.size() > 1 && args[1] == "force";
    if (engine.current < 0) return abi::kCommandError;
    int previous = engine.current - 1;
    if (previous < 0) {
        if (optionText(engine, "loop-playlist") != "no") {
            previous = (int)engine.playlist.size() - 1;
        } else if (force) {
            stopCurrent(engine, abi::kEndStop);
            return 0;
        } else {
            return abi::kCommandError;
        }
    }
    playEntry(engine, previous, abi::kEndStop);
    return 0;
}

int commandPlaylistPlayIndex(Engine &engine, const std::vector<std::string> &args) {
    if (args.size() < 2) return abi::kInvalidParameter;
    if (args[1] == "none") {
        stopCurrent(engine, abi::kEndStop);
        return 0;
    }
    int index;
    if (!parseIndex(engine, args[1], index)) return abi::kCommandError;
    playEntry(engine, index, abi::kEndStop);
    return 0;
}

int commandPlaylistRemove(Engine &engine, const std::vector<std::string> &args) {
    if (args.size() < 2) return abi::kInvalidParameter;
    int index;
    if (!parseIndex(engine, args[1], index)) return abi::kCommandError;
    if (index == engine.current) {
        // Removing the playing entry ends it and plays the one that follows.
        stopCurrent(engine, abi::kEndStop);
        engine.playlist.erase(engine.playlist.begin() + index);
        if (index < (int)engine.playlist.size()) playEntry(engine, index, abi::kEndStop);
        return 0;
    }
    engine.playlist.erase(engine.playlist.begin() + index);
    if (index < engine.current) engine.current--;
    return 0;
}

int commandPlaylistClear(Engine &engine, const std::vector<std::string> &) {
    // Everything but the playing entry goes.
    if (engine.current >= 0) {
        PlaylistEntry keep = engine.playlist[engine.current];
        engine.playlist.assign(1, keep);
        engine.current = 0;
    } else {
        engine.playlist.clear();
    }
    return 0;
}

int commandStop(Engine &engine, const std::vector<std::string> &args) {
    stopCurrent(engine, abi::kEndStop);
    if (!(args.size() > 1 && args[1] == "keep-playlist")) engine.playlist.clear();
    return 0;
}

int setPlaylistPosition(Engine &engine, long long index) {
    if (index == -1) {
        stopCurrent(engine, abi::kEndStop);
        return 0;
    }
    if (index < 0 || index >= (long long)engine.playlist.size()) return abi::kPropertyError;
    playEntry(engine, (int)index, abi::kEndStop);
    return 0;
}
