#include "app/startup.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "app/diaglog.h"
#include "app/mainwindow.h"
#include "app/shell_register.h"
#include "app/startup_core.h"
#include "app/textconv.h"
#include "engine/hw_probe.h"
#include "engine/open_files.h"
#include "osd/access_core.h"
#include "osd/hud.h"
#include "osd/uiscale.h"
#include "panels/language.h"
#include "panels/titlebar.h"
#include "store/bookmarks.h"
#include "store/settings.h"

namespace {

HANDLE singleInstanceMutex = nullptr;  // held for the life of the process

std::wstring envWide(const wchar_t* name) {
    wchar_t value[520];
    DWORD n = GetEnvironmentVariableW(name, value, 520);
    if (n == 0 || n >= 520) return {};
    return std::wstring(value, n);
}

void makeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    // Per-monitor v2 where known; Wine and older systems refuse it, then system-aware.
    if (!setContext || !setContext(reinterpret_cast<HANDLE>(LONG_PTR(-4)))) SetProcessDPIAware();
}

void readSwitches() {
    keyTestMode = envExists("KIVOPLAYER_KEYTEST");
    DWORD n = GetEnvironmentVariableA("KIVOPLAYER_DEMO", demoScript, sizeof demoScript);
    if (n >= sizeof demoScript) demoScript[0] = '\0';
    bool test = envExists("KIVOPLAYER_TEST");
    testMode = keyTestMode || demoScript[0] || test;
    logEnabled = testMode || envExists("KIVOPLAYER_LOG");
}

std::wstring moduleFolder() {
    wchar_t path[260];
    DWORD n = GetModuleFileNameW(nullptr, path, 260);
    std::wstring p(path, n);
    size_t slash = p.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash);
}

// The folder that holds settings, bookmarks and resume files; empty without one.
std::wstring dataFolder(bool create) {
    if (testMode) return exeFolder + L"\\..\\test";
    std::wstring appData = envWide(L"APPDATA");
    if (appData.empty()) return {};
    std::wstring folder = appData + L"\\KivoPlayer";
    if (create) CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring dataFile(const wchar_t* name) {
    std::wstring folder = dataFolder(true);
    return folder.empty() ? folder : folder + L"\\" + name;
}

std::string registryLanguage() {
    wchar_t value[32];
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Kivo Labs\\KivoPlayer", L"Language",
                     RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return toUtf8(value);
}

void chooseLanguage() {
    Settings& s = appSettings();
    std::string fromRegistry = testMode ? std::string() : registryLanguage();
    copyToField(s.lang, chooseLanguageCode(s.lang, fromRegistry, defaultLanguage()));
    setLanguage(s.lang);
}

StartArguments readCommandLine() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return {};
    std::vector<std::u16string> args;
    for (int i = 1; i < count; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    LocalFree(argv);
    return splitStartArguments(args);
}

// Hands the files to a running window; true when it took them and this process should end.
bool handOverToRunningInstance(const StartArguments& start) {
    if (!appSettings().single) return false;
    if (testMode && !envExists("KIVOPLAYER_SINGLE")) return false;
    singleInstanceMutex =
        CreateMutexW(nullptr, FALSE, testMode ? L"KivoPlayer.Single.Test" : L"KivoPlayer.Single");
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    HWND running = FindWindowW(mainClassName.c_str(), nullptr);
    if (!running) return false;
    std::vector<std::u16string> fullPaths;
    for (const std::u16string& f : start.files) {
        std::wstring full = fullPathOf(std::wstring(f.begin(), f.end()));
        fullPaths.emplace_back(full.begin(), full.end());
    }
    std::u16string payload = buildHandoverPayload(fullPaths);
    COPYDATASTRUCT data;
    data.dwData = start.enqueue ? kHandoverQueue : kHandoverOpen;
    data.cbData = DWORD(payload.size() * 2);
    data.lpData = &payload[0];
    SetForegroundWindow(running);
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 3000, &result) != 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    appInstance = instance;
    makeDpiAware();
    readSwitches();
    exeFolder = moduleFolder();
    StartArguments start = readCommandLine();
    if (start.registration != Registration::None)
        return runRegistrationCommand(start.registration == Registration::Unregister);
    if (testMode) {
        defaultCaptureFolder = exeFolder + L"\\..\\test\\shots";
        CreateDirectoryW(defaultCaptureFolder.c_str(), nullptr);
    }

    std::wstring settingsPath = dataFile(L"settings.ini");
    if (keyTestMode && !settingsPath.empty()) DeleteFileW(settingsPath.c_str());
    loadSettings(settingsPath.c_str());
    langFolder = testMode ? exeFolder + L"\\..\\test\\lang" : exeFolder + L"\\lang";

    std::wstring templatePath = envWide(L"KIVOPLAYER_DUMPLANG");
    if (!templatePath.empty()) return writePackTemplate(templatePath) ? 0 : 1;

    if (keyTestMode) copyToField(appSettings().lang, "th");
    chooseLanguage();

    std::wstring printPath = envWide(L"KIVOPLAYER_PRINTLANG");
    if (!printPath.empty()) {
        if (FILE* f = _wfopen(printPath.c_str(), L"wb")) {
            fwrite(currentLanguage().data(), 1, currentLanguage().size(), f);
            fclose(f);
        }
        return 0;
    }

    if (testMode) {
        std::string demo = demoScript;
        resumeEnabled = demo == "jump" || demo == "resume";
        resumeFolder = exeFolder + L"\\..\\test\\resume";
    } else {
        resumeEnabled = appSettings().resume != 0;
        std::wstring folder = dataFolder(true);
        if (!folder.empty()) resumeFolder = folder + L"\\resume";
    }
    if (!resumeFolder.empty()) CreateDirectoryW(resumeFolder.c_str(), nullptr);

    std::wstring bookmarksPath = dataFile(L"bookmarks.txt");
    if (keyTestMode && !bookmarksPath.empty()) DeleteFileW(bookmarksPath.c_str());
    setBookmarksPath(bookmarksPath);

    if (testMode) mainClassName = L"KivoPlayerWndTest";
    if (handOverToRunningInstance(start)) return 0;
    if (!start.files.empty()) preloadEngineLibrary();
    if (appSettings().hwdec) startHardwareDecodingProbe();  // answers while the window is made

    if (!registerWindowClasses()) return 1;
    SetUiScale(ComputeUiScale(nullptr));
    float firstScale = UiScale();
    PixelSize screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    PixelSize size = mainWindowSize(UiScale(), screen);
    HWND window = CreateWindowExW(
        0, mainClassName.c_str(), L"KivoPlayer", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
        (screen.width - size.width) / 2, (screen.height - size.height) / 2,
        size.width, size.height, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    handDownMainWindow(window);

    TitleBarCallbacks callbacks;
    callbacks.onOpenFile = [] { openFileDialog(false); };
    callbacks.onPlayHistoryEntry = [](const std::wstring& path) { startPlayback({path}); };
    initTitleBar(window, callbacks);
    AccessTexts accessNames;
    accessNames.translate = tr;
    accessNames.countText = trCount;
    accessNames.seekStep = [] { return int(appSettings().seek); };
    setAccessTexts(accessNames);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetHudTopOffset(titleBarHeight());
    DragAcceptFiles(window, TRUE);

    float windowScale = ComputeUiScale(window);
    if (windowScale - firstScale > 0.01f || firstScale - windowScale > 0.01f) {
        SetUiScale(windowScale);
        PixelSize resized = mainWindowSize(UiScale(), screen);
        SetWindowPos(window, nullptr, 0, 0, resized.width, resized.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PostMessageW(window, WM_APP_AFTER_SHOW, 0, 0);
    std::vector<std::wstring> files;
    for (const std::u16string& f : start.files) files.emplace_back(f.begin(), f.end());
    startPlayback(files);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
