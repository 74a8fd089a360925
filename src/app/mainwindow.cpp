#include "app/mainwindow.h"

#include <windows.h>
#include <dwmapi.h>
#include <psapi.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/desktop_core.h"
#include "app/diaglog.h"
#include "app/mainwindow_input.h"
#include "app/shell_register.h"
#include "app/startup.h"
#include "app/startup_core.h"
#include "app/taskbar.h"
#include "app/textconv.h"
#include "app/window_modes.h"
#include "engine/engine.h"
#include "engine/open_files.h"
#include "engine/playlist_window.h"
#include "engine/preview_engine.h"
#include "engine/track_memory.h"
#include "input/capture.h"
#include "input/commands.h"
#include "input/feedback.h"
#include "input/keys.h"
#include "input/panscan.h"
#include "input/paste.h"
#include "menu/menu.h"
#include "osd/drawing_kit.h"
#include "osd/hud.h"
#include "osd/panel_kit.h"
#include "osd/preview_window.h"
#include "osd/toast.h"
#include "osd/uiscale.h"
#include "panels/help_window.h"
#include "panels/history.h"
#include "panels/info_window.h"
#include "panels/language.h"
#include "panels/titlebar.h"
#include "panels/titlebar_access.h"
#include "store/bookmarks.h"
#include "store/settings.h"
#include "store/settings_window.h"

HWND mainWindow = nullptr;
HWND videoWindow = nullptr;

namespace {

bool firstPaintPending = true;
bool closing = false;
bool hudReady = false;
std::string lastFileName;
std::string lastFilePath;
unsigned resumeSaveTicks = 0;
// The engine functions handed to the control bar and the panels that read the engine themselves.
const EngineAccess engineAccess = {executeCommandQuiet, engineGetDouble, engineGetFlag, engineGetText};

// Toasts and panels keep clear of the title bar, which full screen takes away.
int panelTopInset() { return isFullScreen() ? 0 : titleBarHeight(); }

std::vector<std::wstring> subtitlesAfterLoad;  // dropped with media, added once it has loaded

void repositionPanels() {
    repositionPlaylist();
    repositionSettingsWindow();
    repositionInfoWindow();
    repositionHelpWindow();
}

void onPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    paintMainWindow(dc, client.right, client.bottom);
    EndPaint(window, &ps);
    if (!firstPaintPending) return;
    firstPaintPending = false;
    diagLog("first_paint_ms=%.1f", processMs());
    if (envExists("KIVOPLAYER_QUIT")) PostMessageW(window, WM_CLOSE, 0, 0);
}

// The first picture: the control bar, the periodic timer and the settings come up now.
void onFirstFrame(HWND window) {
    noteRecentFilesOfFirstOpen();
    SetFocus(window);
    if (fillScreen) recomputeFill();
    if (!hudReady) {
        hudReady = true;
        // A pointer resting on the picture hides two seconds after the first picture, not at once.
        pointer.lastRealMove = GetTickCount();
        SetHudFullScreen(isFullScreen());
        CreateHud(window, appInstance, engineAccess);
        CreatePreviewWindow(window, {previewWant, previewForget, IsMenuOpen});
        layoutVideo();
        wchar_t title[1024];
        int length = GetWindowTextW(window, title, 1024);
        SetHudFileName(length > 13 ? std::wstring(title, length - 13) : std::wstring());
        SetTimer(window, 1, 100, nullptr);
        applySettings();
        diagLog("hud_ready_ms=%.1f", processMs());
    }
    double pos = 0;
    if (resumeEnabled && engineGetDouble("time-pos", pos) && pos > 3.0) showResumeNotice(pos);
}

// The file's first toast names the track choices carried into it from the file before.
void showCarriedTracks(const CarriedTracks& carried) {
    std::string text = carriedChoiceText(carried.audio, carried.sub, toUtf8(tr(L"เสียงพากย์")), toUtf8(tr(L"ซับ")));
    if (!text.empty()) showMessageToast(L"TRACKS", toWide(text).c_str());
}

// The engine's file name changes when the queue moves on: title, control bar and bookmarks follow.
void watchFileName(HWND window) {
    char name[512];
    if (!engineGetText("filename", name, sizeof name) || !name[0]) return;
    if (lastFileName != name) {
        lastFileName = name;
        std::wstring wide = toWide(name);
        if (wide.size() > 512) wide.resize(512);
        SetWindowTextW(window, (wide + L" - KivoPlayer").c_str());
        SetHudFileName(wide);
        setTitleText(wide);
    }
    // Files of one name in two folders share "filename"; their bookmarks must not.
    char path[1024];
    if (engineGetText("path", path, sizeof path) && lastFilePath != path) {
        lastFilePath = path;
        HidePreview();
        // An open bookmarks menu lists the old file's rows; a click there must not act on this
        // one. The first file's path arrives a tick after its first picture: a menu opened in
        // between was already made for that file.
        if (setCurrentBookmarkFile(path)) CloseMenu();
        refreshBookmarkMarkers();
    }
}

void hideCursorWhenIdle() {
    if (pointer.cursorHidden || !videoWindow || !HudExists() || IsMenuOpen() || startScreenShown()) return;
    if (GetTickCount() - pointer.lastRealMove <= 2000) return;
    POINT p;
    GetCursorPos(&p);
    // The engine's own window covers the picture window; both are the picture.
    HWND under = WindowFromPoint(p);
    if (under != videoWindow && !IsChild(videoWindow, under)) return;
    pointer.cursorHidden = true;
    SetCursor(nullptr);
}

// Every 100 ms from the first picture on, in this order.
void onTimer(HWND window) {
    refreshFeedback();
    watchFileName(window);
    HudTick();
    playlistTick();
    infoWindowTick();
    hideCursorWhenIdle();
    taskbarTick(window);
    if (resumeEnabled && engineRunning() && ++resumeSaveTicks % 150 == 0)
        executeCommandQuiet("write-watch-later-config");
}

// Development aid: test drivers ask for a snapshot of the engine's state in the log.
std::vector<double> testMarkers;

LRESULT testControl(WPARAM selector, LPARAM lParam) {
    if (!testMode) return 0;
    if (selector == kTestLogState) {
        diagLog("state path=%s playlist=%s/%s aid=%s sid=%s sub-delay=%s pause=%s volume=%s fullscreen=%d ontop=%d "
                "hud=%d cursorHidden=%d dropped=%s sub=%s",
                engineGetString("path").c_str(), engineGetString("playlist-pos-1").c_str(),
                engineGetString("playlist-count").c_str(), engineGetString("aid").c_str(),
                engineGetString("sid").c_str(), engineGetString("sub-delay").c_str(), engineGetString("pause").c_str(),
                engineGetString("volume").c_str(), isFullScreen() ? 1 : 0, alwaysOnTop ? 1 : 0,
                IsHudVisible() ? 1 : 0, pointer.cursorHidden ? 1 : 0, engineGetString("frame-drop-count").c_str(),
                engineGetString("current-tracks/sub/external-filename").c_str());
        return 1;
    }
    // CPU time the user-interface thread has used so far, for the benchmarks.
    if (selector == kTestLogUiCpu) {
        FILETIME created, exited, kernel, user;
        GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
        auto ms = [](const FILETIME& t) { return double((unsigned long long)t.dwHighDateTime << 32 | t.dwLowDateTime) / 1e4; };
        diagLog("ui_cpu_ms=%.1f", ms(kernel) + ms(user));
        return 1;
    }
    // What the process holds, for the long-running soak: none of it may keep growing.
    if (selector == kTestLogResources) {
        PROCESS_MEMORY_COUNTERS_EX memory = {};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
        // Wine reports no private bytes and no handle count; its commit charge is the same
        // figure, and the open handles can be counted one by one.
        SIZE_T privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
        DWORD handles = 0;
        if (!GetProcessHandleCount(GetCurrentProcess(), &handles) || handles == 0) {
            DWORD flags;
            for (uintptr_t value = 4; value < 0x10000; value += 4)
                handles += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
        }
        diagLog("resources handles=%lu private_kb=%llu gdi=%lu user=%lu canvases=%d", (unsigned long)handles,
                (unsigned long long)(privateBytes / 1024),
                (unsigned long)GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                (unsigned long)GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), LiveCanvasCount());
        return 1;
    }
    // Bookmark arrows on the seek bar without a bookmarks file: lParam seconds, or clear.
    if (selector == kTestAddMarker) {
        testMarkers.push_back(double(lParam));
        SetHudMarkers(testMarkers);
        return 1;
    }
    return 0;
}

void afterShow(HWND window) {
    initStartScreen();
    // Started with a file, the start screen is already hidden and the history is read with the
    // settings at the first picture: read now, it would only compete with the engine's start.
    if (!engineThread()) readWatchHistory(appSettings().resume ? resumeFolder : std::wstring());
    BOOL dark = TRUE;
    DwmSetWindowAttribute(window, 20, &dark, sizeof dark);
    COLORREF border = 0x00544600;
    DwmSetWindowAttribute(window, 34, &border, sizeof border);
}

// The engine may not answer; the process ends after at most 400 ms of waiting.
void closeSequence(HWND window) {
    if (closing) return;
    closing = true;
    CloseMenu();
    double t0 = processMs();
    ShowWindow(window, SW_HIDE);
    bool engine = engineRunning();
    quitRequested.store(engine ? kQuitAwaitReply : kQuitStop);
    if (engine) {
        double pos = 0, duration = 0;
        bool nearEnd = engineGetDouble("time-pos", pos) && engineGetDouble("duration", duration) &&
                       duration > 0 && pos >= duration - 10.0;
        if (resumeEnabled && nearEnd) {
            engineCommandString("delete-watch-later-config");
            // With save-position-on-quit the engine would write the entry again while quitting.
            engineCommandString("set save-position-on-quit no");
        }
        engineCommandAsync({resumeEnabled && !nearEnd ? "quit-watch-later" : "quit"}, kQuitReplyTag);
    }
    if (HANDLE thread = engineThread()) WaitForSingleObject(thread, 400);
    diagLog("close_ms=%.1f (window hidden -> process exit)", processMs() - t0);
    // Everything of ours is on disk by now. ExitProcess would stop the engine's threads
    // wherever they are and then run every library's detach code, which can wait for a lock
    // such a thread held (its graphics driver, mid-frame): the process would hang or crash
    // on the way out. Ending it outright keeps the promised quick exit.
    TerminateProcess(GetCurrentProcess(), 0);
}

void addSubtitles(const std::vector<std::wstring>& files) {
    for (const std::wstring& file : files) {
        std::wstring full = fullPathOf(file);
        engineCommandArgs({"sub-add", toUtf8(full).c_str(), "select"});
        showMessageToast(L"SUBTITLE", full.substr(full.find_last_of(L'\\') + 1).c_str());
    }
}

// Subtitle files join the playing file, or the dropped media once it has loaded.
void openDropped(const std::vector<std::wstring>& paths) {
    std::vector<std::wstring> media, subtitles;
    for (const std::wstring& path : paths)
        (isSubtitlePath(std::u16string(path.begin(), path.end())) ? subtitles : media).push_back(path);
    if (!media.empty()) {
        subtitlesAfterLoad = subtitles;
        startPlayback(media);
    } else if (engineRunning() && !startScreenShown()) {
        addSubtitles(subtitles);
    }
}

void receiveDroppedFiles(HDROP drop) {
    std::vector<std::wstring> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[520];
        if (DragQueryFileW(drop, i, path, 520) > 0) paths.emplace_back(path);
    }
    DragFinish(drop);
    openDropped(paths);
}

LRESULT receiveHandover(HWND window, const COPYDATASTRUCT* data) {
    // Test drivers run a command string as if a key had sent it.
    if (testMode && data && data->dwData == kTestCommandCode && data->lpData) {
        std::string command(static_cast<const char*>(data->lpData), data->cbData);
        executeCommand(command.c_str());
        return 1;
    }
    bool testDrop = testMode && data && data->dwData == kTestDropCode;
    if (!data || (data->dwData != kHandoverOpen && data->dwData != kHandoverQueue && !testDrop)) return 0;
    std::vector<std::u16string> received =
        parseHandoverPayload(static_cast<const char16_t*>(data->lpData), data->cbData / 2);
    std::vector<std::wstring> paths;
    for (const std::u16string& p : received) paths.emplace_back(p.begin(), p.end());
    // Test drivers drop files as Explorer would; a drop's memory cannot cross processes.
    if (testDrop) {
        openDropped(paths);
        return 1;
    }
    bool queue = data->dwData == kHandoverQueue;
    if (testMode) {
        diagLog("handover %s n=%d", queue ? "KVQU" : "KIVO", int(paths.size()));
        for (const std::wstring& p : paths) diagLog("handover path=%s", toUtf8(p).c_str());
    }
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    if (queue && engineRunning() && !startScreenShown()) {
        queueFilesWithToast(paths);
    } else {
        startPlayback(paths);
    }
    return 1;
}

void onDpiChanged(HWND window, WPARAM wParam, const RECT* suggested) {
    if (GetEnvironmentVariableA("KIVOPLAYER_SCALE", nullptr, 0) == 0) SetUiScale(float(HIWORD(wParam)) / 96.0f);
    CloseMenu();
    SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    RelayoutHud();
    repositionPlaylist();
    repositionSettingsWindow();
}

void openInShell(const wchar_t* target) {
    ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
        case WM_CREATE:
            initTaskbar(window);
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_MOVE:
            CloseMenu();
            RelayoutHud();
            repositionPanels();
            break;
        case WM_SIZE:
            CloseMenu();
            layoutVideo();
            RelayoutHud();
            repositionPanels();
            break;
        case WM_PAINT:
            onPaint(window);
            return 0;
        case WM_CLOSE:
            closeSequence(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_ACTIVATEAPP:
            if (!wParam) CloseMenu();
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) RaiseOwnedPanels(window);
            break;
        case WM_COPYDATA:
            return receiveHandover(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_NCCALCSIZE:
            if (wParam && !isFullScreen())
                return frameCalcSize(window, &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]);
            break;
        case WM_NCHITTEST:
            if (!isFullScreen()) {
                if (LRESULT hit = titleBarHitTest(window, lParam)) return hit;
            }
            break;
        case WM_NCPAINT:
        case WM_NCACTIVATE:
        case WM_SETTEXT:
            if (!isFullScreen()) return paintFrameEdges(window, message, wParam, lParam);
            break;
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCMOUSELEAVE:
            if (titleBarMouse(window, message, LRESULT(wParam))) return 0;
            break;
        case WM_SYSCOMMAND:
            // Releasing Alt after a shortcut we handled (Alt+H, Alt+Up) would otherwise put the
            // window into keyboard menu mode, which eats the next key: there is no menu bar.
            if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0) return 0;
            break;
        case WM_DROPFILES:
            receiveDroppedFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(window, wParam, reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_TIMER:
            onTimer(window);
            return 0;
        case WM_APP_FIRST_FRAME:
            onFirstFrame(window);
            return 0;
        case WM_APP_FILE_LOADED:
            showCarriedTracks(carryTrackChoice());
            addSubtitles(subtitlesAfterLoad);
            subtitlesAfterLoad.clear();
            return 0;
        case WM_APP_RESUMED_SHOWN:
            if (resumeEnabled && engineRunning()) {
                executeCommandQuiet("write-watch-later-config");
                if (testMode) diagLog("resume_entry_written");
            }
            return 0;
        case WM_APP_ENGINE_FAILED:
            SetWindowTextW(window, L"KivoPlayer - libmpv failed to start");
            return 0;
        case WM_APP_KEY:
            return handleKey(uint32_t(wParam), uint32_t(lParam), false) ? 1 : 0;
        case WM_APP_TEST_CONTROL:
            return testControl(wParam, lParam);
        case WM_APP_OPEN_CAPTURE_FOLDER:
            if (captureFolderName()[0]) openInShell(captureFolderName());
            return 0;
        case WM_APP_REGISTER: {
            RegistrationOutcome outcome = wParam ? unregisterFileTypes() : registerFileTypes();
            showMessageToast(L"FILE TYPES", !outcome.ok ? L"FAILED" : wParam ? L"REMOVED" : L"REGISTERED");
            return 0;
        }
        case WM_APP_AFTER_SHOW:
            afterShow(window);
            return 0;
        case WM_GETOBJECT:
            if (AnswerAccessRequest(window, wParam, lParam, kMainWindowAccess, result)) return result;
            break;
        case WM_APP_OPEN_DEFAULT_APPS:
            openInShell(L"ms-settings:defaultapps?registeredAppUser=KivoPlayer");
            return 0;
        case WM_COMMAND:
            if (onTaskbarButton(wParam)) return 0;
            break;
        default:
            if (onTaskbarMessage(window, message)) return 0;
            if (handleMainWindowInput(window, message, wParam, lParam, result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void forgetPlayingFileName() { lastFileName.clear(); }

void handDownMainWindow(HWND window) {
    mainWindow = window;
    SetPanelTopInset(panelTopInset);
    initPlaylist(window, engineAccess);
    initSettingsWindow(window, applySettings);
    initInfoWindow(window, engineAccess, showMessageToast);
    initHelpWindow(window);
    setBookmarksMenuOpener(showBookmarksMenu);
}

bool registerWindowClasses() {
    WNDCLASSEXW main = {};
    main.cbSize = sizeof main;
    main.lpfnWndProc = mainWindowProc;
    main.hInstance = appInstance;
    main.hIcon = LoadIconW(appInstance, MAKEINTRESOURCEW(1));
    main.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main.lpszClassName = mainClassName.c_str();
    if (!RegisterClassExW(&main)) return false;
    WNDCLASSEXW video = {};
    video.cbSize = sizeof video;
    video.lpfnWndProc = videoWindowProc;
    video.hInstance = appInstance;
    video.hbrBackground = CreateSolidBrush(0);
    video.lpszClassName = L"KivoPlayerVideo";
    return RegisterClassExW(&video) != 0;
}

void redrawForLanguageChange() {
    if (mainWindow) InvalidateRect(mainWindow, nullptr, FALSE);
    rebuildPlaylistIfOpen();
    CloseMenu();
}
