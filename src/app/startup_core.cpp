#include "app/startup_core.h"

StartArguments splitStartArguments(const std::vector<std::u16string>& argsAfterProgram) {
    StartArguments result;
    for (const std::u16string& arg : argsAfterProgram) {
        if (arg == u"--enqueue") result.enqueue = true;
        else if (arg == u"--register") result.registration = Registration::Register;
        else if (arg == u"--unregister") result.registration = Registration::Unregister;
        else result.files.push_back(arg);
    }
    return result;
}

std::u16string buildHandoverPayload(const std::vector<std::u16string>& fullPaths) {
    std::u16string payload;
    for (const std::u16string& path : fullPaths) {
        payload += path;
        payload += u'\0';
    }
    payload += u'\0';
    return payload;
}

std::vector<std::u16string> parseHandoverPayload(const char16_t* data, size_t count) {
    std::vector<std::u16string> paths;
    size_t p = 0;
    while (data && p < count && data[p] != u'\0') {
        size_t len = 0;
        while (p + len < count && data[p + len] != u'\0') ++len;
        paths.emplace_back(data + p, len);
        p += len + 1;
    }
    return paths;
}

std::string chooseLanguageCode(const std::string& settingsLang, const std::string& registryLang,
                               const std::string& defaultLang) {
    std::string code = settingsLang;
    if (!registryLang.empty()) code = registryLang;
    if (code.empty()) code = defaultLang;
    if (code.size() > 15) code.resize(15);
    return code;
}

PixelSize mainWindowSize(float scale, PixelSize screen) {
    PixelSize size = {int(1100.0f * scale), int(640.0f * scale)};
    if (screen.width > 0 && size.width > screen.width) size.width = screen.width;
    if (screen.height > 0 && size.height > screen.height) size.height = screen.height;
    return size;
}
