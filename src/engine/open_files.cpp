#include "engine/open_files.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include <system_error>
#include <thread>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "app/window_modes.h"
#include "engine/engine.h"
#include "engine/engine_options_core.h"
#include "engine/engine_thread.h"
#include "engine/track_memory.h"
#include "osd/hud.h"
#include "osd/panel_kit.h"
#include "panels/titlebar.h"
#include "store/settings.h"

namespace {

HANDLE engineThreadHandle = nullptr;
wchar_t dialogBuffer[16640];
std::vector<std::wstring> recentAfterFirstPicture;

std::string utf8FullPath(const std::wstring& path) { return toUtf8(fullPathOf(path)); }

// Explorer's recent items and the taskbar's jump list list what was opened here. The shell
// takes milliseconds a file (60 ms under Wine), so a worker tells it, and only of the first
// files of a list: a queue of thousands is not what "recent" means.
void noteRecentFiles(const std::vector<std::wstring>& files) {
    constexpr size_t kRecentPerList = 16;
    std::vector<std::wstring> local;
    for (size_t i = 0; i < files.size() && local.size() < kRecentPerList; ++i) {
        std::wstring full = fullPathOf(files[i]);
        if (full.find(L"://") == std::wstring::npos) local.push_back(full);
    }
    if (local.empty()) return;
    try {
        std::thread([local] {
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            for (const std::wstring& path : local) SHAddToRecentDocs(SHARD_PATHW, path.c_str());
            CoUninitialize();
        }).detach();
    } catch (const std::system_error&) {
        // No thread: the recent list misses these files, nothing else does.
    }
}

void createPictureWindow() {
    videoWindow = CreateWindowExW(0, L"KivoPlayerVideo", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                  0, 0, 10, 10, mainWindow, nullptr, appInstance, nullptr);
    DragAcceptFiles(videoWindow, TRUE);
    layoutVideo();
}

void showAsPlaying(const std::wstring& fullPath) {
    std::u16string path(fullPath.begin(), fullPath.end());
    std::u16string name16 = displayNameOf(path);
    std::wstring name(name16.begin(), name16.end());
    SetWindowTextW(mainWindow, (name + L" - KivoPlayer").c_str());
    SetHudFileName(name);
    setTitleText(name);
    setStartScreenShown(false);
    SetStartScreen(false);
    layoutVideo();
}

}  // namespace

void* engineThread() { return engineThreadHandle; }

void noteRecentFilesOfFirstOpen() {
    if (recentAfterFirstPicture.empty()) return;
    noteRecentFiles(recentAfterFirstPicture);
    recentAfterFirstPicture.clear();
}

void preloadEngineLibrary() {
    HANDLE thread = CreateThread(nullptr, 0, [](void*) -> DWORD {
        loadEngineLibrary();
        return 0;
    }, nullptr, 0, nullptr);
    if (thread) CloseHandle(thread);
}

void startPlayback(const std::vector<std::wstring>& files) {
    if (files.empty()) return;
    bool engineRuns = engineRunning();
    if (engineRuns) {
        bool autoQueue = files.size() == 1 && appSettings().autoqueue;
        engineCommandString(autoQueue ? "set autocreate-playlist filter" : "set autocreate-playlist no");
    }
    if (!engineRuns && !engineThreadHandle) {
        for (size_t i = 1; i < files.size(); ++i) engineFurtherFiles.push_back(utf8FullPath(files[i]));
    }
    std::wstring firstFull = fullPathOf(files[0]);
    std::string first = toUtf8(firstFull);
    if (engineRuns) {
        engineCommandArgs({"loadfile", first.c_str()});
        if (videoWindow && !IsWindowVisible(videoWindow)) ShowWindow(videoWindow, SW_SHOW);
    } else if (engineThreadHandle) {
        return;  // still starting, or failed: this list is dropped
    } else {
        engineFirstFile = first;
        createPictureWindow();
        engineThreadHandle = CreateThread(nullptr, 0, engineThreadMain, nullptr, 0, nullptr);
    }
    // The shell's work for the recent items (COM, shell links, libraries loaded under the loader
    // lock), run beside the engine's own start, delays the first picture by some 20 ms: the files
    // that start the engine wait for that picture. Replaced before it came, they never played.
    if (engineRuns) {
        recentAfterFirstPicture.clear();
        noteRecentFiles(files);
    } else {
        recentAfterFirstPicture = files;
    }
    markFreshOpen();
    showAsPlaying(firstFull);
    if (!engineRuns) return;
    for (size_t i = 1; i < files.size(); ++i) {
        std::string next = utf8FullPath(files[i]);
        engineCommandArgs({"loadfile", next.c_str(), "append"});
    }
}

void openFileDialog(bool append) {
    static const wchar_t filter[] =
        L"Video / Audio\0*.mp4;*.mkv;*.avi;*.mov;*.wmv;*.flv;*.webm;*.ts;*.m2ts;*.mpg;*.mpeg;*.3gp;*.ogv;"
        L"*.mp3;*.flac;*.wav;*.m4a;*.aac;*.ogg;*.opus\0All files\0*.*\0";
    dialogBuffer[0] = L'\0';
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = mainWindow;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = dialogBuffer;
    dialog.nMaxFile = 16640;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ALLOWMULTISELECT;
    bool chosenAny = GetOpenFileNameW(&dialog);
    RaiseOwnedPanels(mainWindow);
    if (!chosenAny) return;
    std::vector<std::u16string> chosen =
        parseOpenDialogResult(reinterpret_cast<const char16_t*>(dialogBuffer), 16640);
    std::vector<std::wstring> paths;
    for (const std::u16string& p : chosen) paths.emplace_back(p.begin(), p.end());
    if (append && engineRunning()) queueFiles(paths);
    else startPlayback(paths);
}

void queueFiles(const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files) engineCommandArgs({"loadfile", utf8FullPath(file).c_str(), "append"});
    noteRecentFiles(files);
}
