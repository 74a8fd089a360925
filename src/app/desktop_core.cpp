#include "app/desktop_core.h"

#include <algorithm>

const std::vector<std::u16string> kVideoExtensions = {
    u".mp4", u".m4v", u".mkv", u".avi", u".mov", u".wmv", u".flv", u".webm", u".ts", u".m2ts", u".mts",
    u".mpg", u".mpeg", u".vob", u".3gp", u".ogv", u".divx", u".asf", u".rm", u".rmvb",
};
const std::vector<std::u16string> kAudioExtensions = {
    u".mp3", u".flac", u".wav", u".m4a", u".aac", u".ogg", u".opus", u".wma", u".ac3", u".mka", u".ape", u".wv",
};
const std::vector<std::u16string> kSubtitleExtensions = {u".srt", u".ass", u".ssa", u".sub", u".vtt", u".sup", u".idx"};

namespace {

std::u16string lowerAscii(std::u16string text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    return text;
}

std::u16string extensionOf(const std::u16string& path) {
    size_t dot = path.find_last_of(u'.');
    size_t slash = path.find_last_of(u"\\/");
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) return {};
    return lowerAscii(path.substr(dot));
}

std::u16string trimmed(const std::u16string& line) {
    const std::u16string blanks = u" \t\r\n\"";
    size_t first = line.find_first_not_of(blanks);
    if (first == std::u16string::npos) return {};
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

bool namesFileOrStream(const std::u16string& entry) {
    if (entry.find(u"://") != std::u16string::npos) return true;
    if (entry.size() >= 3 && entry[1] == u':' && (entry[2] == u'\\' || entry[2] == u'/')) return true;
    return entry.rfind(u"\\\\", 0) == 0;
}

std::u16string upperAscii(std::u16string text) {
    for (char16_t& c : text)
        if (c >= u'a' && c <= u'z') c = char16_t(c - u'a' + u'A');
    return text;
}

}  // namespace

bool isSubtitlePath(const std::u16string& path) {
    std::u16string ext = extensionOf(path);
    return std::find(kSubtitleExtensions.begin(), kSubtitleExtensions.end(), ext) != kSubtitleExtensions.end();
}

std::vector<std::u16string> pastedTextEntries(const std::u16string& text) {
    std::vector<std::u16string> entries;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string entry = trimmed(text.substr(start, end - start));
        if (namesFileOrStream(entry)) entries.push_back(entry);
        start = end + 1;
    }
    return entries;
}

RegistrationPlan registrationPlan(const std::u16string& exePath) {
    const std::u16string classes = u"Software\\Classes\\";
    const std::u16string capabilities = u"Software\\Kivo Labs\\KivoPlayer\\Capabilities";
    const std::u16string app = classes + u"Applications\\KivoPlayer.exe";
    const std::u16string folderVerb = classes + u"Directory\\shell\\KivoPlayer.Play";
    const std::u16string icon = exePath + u",0";
    const std::u16string open = u"\"" + exePath + u"\" \"%1\"";
    const std::u16string enqueue = u"\"" + exePath + u"\" --enqueue \"%1\"";
    RegistrationPlan plan;
    auto put = [&plan](const std::u16string& key, const std::u16string& name, const std::u16string& data) {
        plan.values.push_back({key, name, data, false});
    };
    // Windows keeps its own notes on a program picked through "Open with" in the same key.
    auto putInApp = [&plan](const std::u16string& key, const std::u16string& name, const std::u16string& data) {
        plan.values.push_back({key, name, data, true});
    };
    put(capabilities, u"ApplicationName", u"KivoPlayer");
    put(capabilities, u"ApplicationDescription", u"Video and audio player");
    put(capabilities, u"ApplicationIcon", icon);
    plan.ownKeys.push_back(capabilities);
    plan.values.push_back({u"Software\\RegisteredApplications", u"KivoPlayer", capabilities, true});
    putInApp(app, u"FriendlyAppName", u"KivoPlayer");
    putInApp(app + u"\\DefaultIcon", u"", icon);
    putInApp(app + u"\\shell\\open\\command", u"", open);
    put(folderVerb, u"", u"Play with KivoPlayer");
    put(folderVerb, u"Icon", icon);
    put(folderVerb + u"\\command", u"", open);
    plan.ownKeys.push_back(folderVerb);
    for (const auto* list : {&kVideoExtensions, &kAudioExtensions}) {
        for (const std::u16string& ext : *list) {
            const std::u16string progId = u"KivoPlayer" + ext;
            const std::u16string kind = list == &kVideoExtensions ? u" video" : u" audio";
            put(classes + progId, u"", upperAscii(ext.substr(1)) + kind);
            put(classes + progId + u"\\DefaultIcon", u"", icon);
            put(classes + progId + u"\\shell\\open\\command", u"", open);
            plan.ownKeys.push_back(classes + progId);
            put(capabilities + u"\\FileAssociations", ext, progId);
            putInApp(app + u"\\SupportedTypes", ext, u"");
            // The extension's own default stays the user's: only the "Open with" list learns of us.
            plan.values.push_back({classes + ext + u"\\OpenWithProgids", progId, u"", true});
            const std::u16string queueVerb = classes + u"SystemFileAssociations\\" + ext + u"\\shell\\KivoPlayer.Enqueue";
            put(queueVerb, u"", u"Add to KivoPlayer queue");
            put(queueVerb, u"Icon", icon);
            put(queueVerb, u"MultiSelectModel", u"Player");
            put(queueVerb + u"\\command", u"", enqueue);
            plan.ownKeys.push_back(queueVerb);
        }
    }
    return plan;
}
