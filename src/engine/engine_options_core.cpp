#include "engine/engine_options_core.h"

const char* const kLoudnessFilter = "@boost:lavfi=[dynaudnorm=f=250:g=15:p=0.95:m=5]";

EngineOptions engineStartOptions(const EngineStartInputs& in) {
    const Settings& s = *in.settings;
    const char* yesNoResume = in.resumeEnabled ? "yes" : "no";
    EngineOptions options = {
        {"config", "no"},
        {"terminal", "no"},
        {"osc", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"keep-open", "yes"},
        {"hwdec", in.hardwareDecoding ? "auto-safe" : "no"},
    };
    if (s.boost) options.emplace_back("af", kLoudnessFilter);
    options.insert(options.end(), {
        {"idle", "yes"},
        // The engine keeps its window while idle: closing a file and opening the next one then
        // reuses it. Built anew each time, the window registers another OLE drop target, and under
        // Wine each registration leaves handles behind until the RPC layer stops and the next one
        // hangs the engine.
        {"force-window", "yes"},
        {"volume-max", "200"},
        {"sub-auto", "fuzzy"},
        {"slang", subtitleLanguageList(s.sublang)},
        // A track picked by number would otherwise stay picked in the files after it, where the
        // number names another track: each file starts from the language preference, and the
        // program carries the user's choice along the queue by language.
        {"reset-on-next-file", "aid,sid"},
        {"autocreate-playlist", s.autoqueue && !in.moreFilesGiven ? "filter" : "no"},
        {"directory-filter-types", "video,audio"},
        {"directory-mode", "ignore"},
        {"osd-level", "0"},
        {"cursor-autohide", "2500"},
        {"save-position-on-quit", yesNoResume},
        {"resume-playback", yesNoResume},
        // A file opened again also gets back its tracks and their sync.
        {"watch-later-options", "start,aid,sid,sub-delay,audio-delay"},
        {"write-filename-in-watch-later-config", "yes"},
    });
    if (!in.resumeFolder.empty()) options.emplace_back("watch-later-directory", in.resumeFolder);
    options.emplace_back("screenshot-format", "png");
    options.emplace_back("wid", std::to_string(in.pictureWindow));
    // Left to itself the engine tries its Direct3D 11 and OpenGL outputs first, which under Wine
    // cannot compile their shaders or draw only in software: half a second before it settles on
    // Direct3D 9, for every file.
    if (in.direct3d9Output) options.emplace_back("vo", "direct3d");
    if (in.testMode) options.emplace_back("ao", "null");
    return options;
}

std::u16string displayNameOf(const std::u16string& fullPath) {
    size_t slash = fullPath.find_last_of(u'\\');
    return slash == std::u16string::npos ? fullPath : fullPath.substr(slash + 1);
}

std::vector<std::u16string> parseOpenDialogResult(const char16_t* buffer, size_t capacity) {
    std::vector<std::u16string> paths;
    auto textAt = [&](size_t pos) {
        size_t len = 0;
        while (pos + len < capacity && buffer[pos + len] != u'\0') ++len;
        return std::u16string(buffer + pos, len);
    };
    if (!buffer || capacity == 0 || buffer[0] == u'\0') return paths;
    std::u16string first = textAt(0);
    size_t pos = first.size() + 1;
    if (pos >= capacity || buffer[pos] == u'\0') {
        paths.push_back(first);
        return paths;
    }
    // Several files: the first text is their folder ("C:\" at a drive's root).
    std::u16string folder = first;
    if (folder.back() != u'\\') folder += u'\\';
    while (pos < capacity && buffer[pos] != u'\0') {
        std::u16string name = textAt(pos);
        paths.push_back(folder + name);
        pos += name.size() + 1;
    }
    return paths;
}
