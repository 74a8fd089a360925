#include "input/commands.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "app/window_modes.h"
#include "engine/engine.h"
#include "engine/open_files.h"
#include "engine/playlist_window.h"
#include "engine/track_memory.h"
#include "input/capture.h"
#include "input/command_grammar_core.h"
#include "input/feedback.h"
#include "input/keys.h"
#include "input/panscan.h"
#include "input/paste.h"
#include "osd/hud.h"
#include "panels/help_window.h"
#include "panels/history.h"
#include "panels/info_window.h"
#include "panels/language.h"
#include "panels/titlebar.h"
#include "store/bookmarks.h"
#include "store/bookmarks_core.h"
#include "store/settings.h"
#include "store/settings_window.h"

namespace {

bool quietNesting = false;
VolumeStop volumeStop;
void (*openBookmarksMenu)() = nullptr;

const wchar_t* onOff(bool on) { return on ? L"ON" : L"OFF"; }

// Engine commands made by a verb: no toast while the verb itself runs quietly.
void runStepCommand(const std::string& command) {
    if (quietNesting) executeCommandQuiet(command.c_str());
    else executeCommand(command.c_str());
}

void volumeStep(const std::string& argument) {
    double volume = 0;
    if (!engineGetDouble("volume", volume)) volume = 0;
    runStepCommand(volumeStepCommand(volumeStop, stepDirection(argument), volume, appSettings().volume,
                                     GetTickCount(), keyRepeatInProgress()));
}

void whatNext() {
    char posText[16], countText[16];
    if (!engineGetText("playlist-pos", posText, sizeof posText) ||
        !engineGetText("playlist-count", countText, sizeof countText))
        return;
    int next = atoi(posText) + 1, count = atoi(countText);
    if (next >= count) return;
    char property[48], filename[1024];
    snprintf(property, sizeof property, "playlist/%d/filename", next);
    if (!engineGetText(property, filename, sizeof filename)) return;
    std::wstring wide = toWide(filename);
    std::u16string name = shortEntryName(std::u16string(wide.begin(), wide.end()));
    wchar_t label[16];
    swprintf(label, 16, L"NEXT %d/%d", next + 1, count);
    showMessageToast(label, std::wstring(name.begin(), name.end()).c_str());
    feedbackDeadline = GetTickCount() + 3000;
}

void toggleSetting(uint8_t Settings::*flag, const wchar_t* label) {
    Settings& s = appSettings();
    s.*flag = !(s.*flag);
    if (!testMode) saveSettings();
    applySettings();
    showMessageToast(label, onOff(s.*flag));
}

void bookmarkAdd() {
    double now = 0;
    if (!engineGetDouble("time-pos", now)) return;
    int index = addCurrentBookmark(now);
    if (index < 0) {
        showMessageToast(L"BOOKMARK", L"EXISTS");
        return;
    }
    int whole = int(now);
    wchar_t text[48];
    swprintf(text, 48, L"%d:%02d:%02d  %d/%d", whole / 3600, whole / 60 % 60, whole % 60, index + 1,
             int(currentBookmarkList().size()));
    showMessageToast(L"BOOKMARK", text);
}

void jumpToBookmark(int direction) {
    double now = 0;
    if (!engineGetDouble("time-pos", now)) return;
    const std::vector<double>& marks = currentBookmarkList();
    int i = direction < 0 ? previousBookmark(marks, now) : nextBookmark(marks, now);
    if (i < 0) {
        showMessageToast(L"BOOKMARK", L"NONE");
        return;
    }
    char seek[64];
    snprintf(seek, sizeof seek, "seek %.3f absolute+exact", marks[i]);
    // Straight to the engine, so that no SEEK toast covers the bookmark's number.
    engineCommandString(seek);
    wchar_t text[32];
    swprintf(text, 32, L"%d/%d", i + 1, int(marks.size()));
    showMessageToast(L"BOOKMARK", text);
}

void closeFile() {
    if (resumeEnabled) engineCommandString("write-watch-later-config");
    engineCommandString("stop");
    if (videoWindow) ShowWindow(videoWindow, SW_HIDE);
    SetStartScreen(true);
    layoutVideo();
    readWatchHistory(appSettings().resume ? resumeFolder : std::wstring());
    setStartScreenShown(true);
    setTitleText(L"");
    SetWindowTextW(mainWindow, L"KivoPlayer");
    forgetPlayingFileName();
}

}  // namespace

void setBookmarksMenuOpener(void (*open)()) { openBookmarksMenu = open; }

void executeCommand(const char* command) {
    if (!command || !*command) return;
    if (command[0] == '@') {
        dispatchAppCommand(command + 1);
        return;
    }
    executeCommandQuiet(command);
    selectFeedbackForCommand(command);
}

void executeCommandQuiet(const char* command) {
    if (!command || !*command) return;
    if (command[0] == '@') {
        bool wasQuiet = quietNesting;
        quietNesting = true;
        dispatchAppCommand(command + 1);
        quietNesting = wasQuiet;
        return;
    }
    engineCommandString(command);
    rememberTrackChoice(command);
}

void dispatchAppCommand(const char* verbText) {
    ParsedVerb parsed = parseAppCommand(verbText);
    const std::string& arg = parsed.argument;
    bool engine = engineRunning();
    switch (parsed.verb) {
        case AppVerb::Unknown: return;
        case AppVerb::Fullscreen: toggleFullscreen(false); return;
        case AppVerb::ExitFullscreen: toggleFullscreen(true); return;
        case AppVerb::Size: sizeToPicture(atof(arg.c_str())); return;
        case AppVerb::Maximize: toggleMaximize(); return;
        case AppVerb::OnTop: toggleAlwaysOnTop(); return;
        case AppVerb::Open: openFileDialog(false); return;
        case AppVerb::AddFiles: openFileDialog(true); return;
        case AppVerb::Playlist: togglePlaylist(); return;
        case AppVerb::Step: runStepCommand(seekStepCommand(stepDirection(arg), appSettings().seek)); return;
        case AppVerb::Vol: volumeStep(arg); return;
        case AppVerb::Settings: toggleSettingsWindow(); return;
        case AppVerb::Fill:
            if (engine) showMessageToast(L"FILL SCREEN", onOff(toggleFill()));
            return;
        case AppVerb::PanScanReset:
            if (!engine) return;
            clearFill();
            executeCommandQuiet("set video-zoom 0 ; set video-pan-x 0 ; set video-pan-y 0 ; "
                                "set video-scale-x 1 ; set video-scale-y 1");
            return;
        case AppVerb::PanScan:
            if (!engine) return;
            clearFill();
            showMessageToast(L"PAN & SCAN", tr(applyPanScanPreset(atoi(arg.c_str()))));
            return;
        case AppVerb::WhatNext: if (engine) whatNext(); return;
        case AppVerb::HwDec: toggleSetting(&Settings::hwdec, L"HW DECODING"); return;
        case AppVerb::Boost: toggleSetting(&Settings::boost, L"BOOST"); return;
        case AppVerb::CopyFrame: if (engine) copyFrameToClipboard(); return;
        case AppVerb::SaveFrame: if (engine) saveFrameToFile(); return;
        case AppVerb::ShotDir: PostMessageW(mainWindow, WM_APP_OPEN_CAPTURE_FOLDER, 0, 0); return;
        case AppVerb::ShotDirPick: pickCaptureFolder(); return;
        case AppVerb::ShotDirDefault:
            appSettings().shotdir[0] = '\0';
            if (!testMode) saveSettings();
            showMessageToast(L"CAPTURE FOLDER", L"Pictures\\KivoPlayer");
            return;
        case AppVerb::Info: if (engine) toggleInfoWindow(); return;
        case AppVerb::Help: toggleHelpWindow(); return;
        case AppVerb::BookmarkAdd: if (engine) bookmarkAdd(); return;
        case AppVerb::BookmarkMenu: if (openBookmarksMenu) openBookmarksMenu(); return;
        case AppVerb::BookmarkPrev: if (engine) jumpToBookmark(-1); return;
        case AppVerb::BookmarkNext: if (engine) jumpToBookmark(+1); return;
        case AppVerb::BookmarkDelete:
            if (deleteCurrentBookmark(atoi(arg.c_str()))) showMessageToast(L"BOOKMARK", L"REMOVED");
            return;
        case AppVerb::BookmarkClear:
            clearCurrentBookmarks();
            showMessageToast(L"BOOKMARK", L"CLEARED");
            return;
        case AppVerb::Close: if (engine) closeFile(); return;
        case AppVerb::Quit: PostMessageW(mainWindow, WM_CLOSE, 0, 0); return;
        case AppVerb::Paste: pasteFromClipboard(false); return;
        case AppVerb::PasteQueue: pasteFromClipboard(true); return;
    }
}
