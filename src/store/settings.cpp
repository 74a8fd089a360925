#include "store/settings.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "engine/engine.h"
#include "engine/hw_probe.h"
#include "osd/hud.h"
#include "panels/history.h"
#include "panels/language.h"
#include "store/stored_file.h"

namespace {

Settings settingsRecord;
std::wstring settingsPath;

void storeLanguageInRegistry(const std::string& code) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kivo Labs\\KivoPlayer", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    // A pack's code is its file-name stem, which need not be ASCII.
    std::wstring wide = toWide(code);
    RegSetValueExW(key, L"Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                   DWORD(2 * wide.size() + 2));
    RegCloseKey(key);
}

}  // namespace

Settings& appSettings() { return settingsRecord; }

void loadSettings(const wchar_t* path) {
    settingsPath = path ? path : L"";
    settingsRecord = Settings();
    if (settingsPath.empty()) return;
    std::string text;
    if (!readStoredFile(settingsPath, text)) return;
    parseSettingsText(text.data(), text.size(), settingsRecord);
}

bool saveSettings() {
    if (settingsPath.empty()) return false;
    return writeStoredFile(settingsPath, formatSettingsText(settingsRecord));
}

void applySettings() {
    Settings& s = settingsRecord;
    std::string wanted = s.lang[0] ? std::string(s.lang) : defaultLanguage();
    if (wanted != currentLanguage()) {
        setLanguage(wanted);
        if (!testMode) storeLanguageInRegistry(wanted);
        redrawForLanguageChange();
    }
    SetHideDelay(2500);
    if (!testMode) resumeEnabled = s.resume != 0;
    readWatchHistory(s.resume ? resumeFolder : std::wstring());
    if (s.hwdec) startHardwareDecodingProbe();
    if (!engineRunning()) return;
    // The setting keeps the user's wish; the engine is asked for hardware only where there is some.
    HwProbeAnswer probe = hardwareDecodingProbeAnswer();
    if (s.hwdec && probe == HwProbeAnswer::Unknown)
        deferHardwareDecodingChoice();
    else
        engineCommandString(s.hwdec && probe == HwProbeAnswer::Yes ? "set hwdec auto-safe" : "set hwdec no");
    const char* filter = s.boost ? "@boost:lavfi=[dynaudnorm=f=250:g=15:p=0.95:m=5]" : "";
    engineCommandArgs({"set", "af", filter});
    engineCommandString(resumeEnabled ? "set resume-playback yes" : "set resume-playback no");
    char slang[64];
    snprintf(slang, sizeof slang, "set slang \"%s\"", subtitleLanguageList(s.sublang));
    engineCommandString(slang);
}
