#include "input/capture.h"

#include <windows.h>
#include <gdiplus.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "app/textconv.h"
#include "engine/engine.h"
#include "input/capture_core.h"
#include "input/feedback.h"
#include "osd/drawing_kit.h"
#include "osd/panel_kit.h"
#include "panels/language.h"
#include "store/settings.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

std::wstring captureFolderPath;

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The default folder is asked of the shell once; the test-mode override is set before that.
const std::wstring& defaultFolder() {
    if (defaultCaptureFolder.empty()) {
        PWSTR pictures = nullptr;
        if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &pictures)) && pictures)
            defaultCaptureFolder = std::wstring(pictures) + L"\\KivoPlayer";
        CoTaskMemFree(pictures);
    }
    return defaultCaptureFolder;
}

void showCaptureToast(const wchar_t* label, const std::wstring& value, DWORD ms) {
    showMessageToast(label, value.c_str());
    feedbackDeadline = GetTickCount() + ms;
}

}  // namespace

const wchar_t* captureFolderName() {
    const char* chosen = appSettings().shotdir;
    captureFolderPath = chosen[0] ? toWide(chosen) : defaultFolder();
    if (!captureFolderPath.empty()) SHCreateDirectoryExW(nullptr, captureFolderPath.c_str(), nullptr);
    return captureFolderPath.c_str();
}

bool copyImageToClipboard(const std::wstring& pngPath, HWND owner, int& width, int& height, bool place) {
    InitDrawingKit();
    GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(pngPath.c_str(), &bitmap) != Ok || !bitmap) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(bitmap, &w);
    GdipGetImageHeight(bitmap, &h);
    width = int(w);
    height = int(h);
    bool placed = !place;
    if (place) {
        HBITMAP handle = nullptr;
        if (GdipCreateHBITMAPFromBitmap(bitmap, &handle, 0xFF000000) == Ok && handle && OpenClipboard(owner)) {
            EmptyClipboard();
            placed = SetClipboardData(CF_BITMAP, handle) != nullptr;
            CloseClipboard();
        }
        // Once the clipboard took the handle it is the clipboard's to free.
        if (!placed && handle) DeleteObject(handle);
    }
    GdipDisposeImage(bitmap);
    return placed;
}

void copyFrameToClipboard() {
    wchar_t temp[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    bool ok = false;
    int width = 0, height = 0;
    if (length > 0 && length <= MAX_PATH) {
        std::wstring path = std::wstring(temp) + L"kivoplayer-frame.png";
        // A frame left from an earlier run must never pass for this one.
        DeleteFileW(path.c_str());
        std::string utf8 = toUtf8(path);
        engineCommandArgs({"screenshot-to-file", utf8.c_str(), "video"});
        ok = fileExists(path) && copyImageToClipboard(path, mainWindow, width, height, !testMode);
        DeleteFileW(path.c_str());
    }
    wchar_t value[48];
    if (ok) swprintf(value, 48, L"COPIED %dx%d - Ctrl+V", width, height);
    else wcscpy(value, L"COPY FAILED");
    showCaptureToast(L"CLIPBOARD", value, 2500);
}

void saveFrameToFile() {
    char nameText[512];
    std::wstring name = engineGetText("filename/no-ext", nameText, sizeof nameText) ? toWide(nameText) : L"frame";
    double position = 0;
    if (!engineGetDouble("time-pos", position)) position = 0;
    name = captureBaseName(name);
    std::wstring stamp = captureStamp(position);
    std::wstring folder = testMode ? defaultCaptureFolder : captureFolderName();

    std::wstring path;
    bool ok = false;
    if (!folder.empty()) {
        for (int n = 1; n < 100000; ++n) {
            path = capturePath(folder, name, stamp, n);
            if (!fileExists(path)) break;
        }
        // A path the file system cannot take is refused here, so the frame never lands under
        // a shortened name or in another folder.
        if (path.size() <= kMaxCapturePath && !fileExists(path)) {
            std::string utf8 = toUtf8(path);
            engineCommandArgs({"screenshot-to-file", utf8.c_str(), "video"});
            DWORD attributes = GetFileAttributesW(path.c_str());
            ok = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        }
    }
    if (ok) showCaptureToast(L"SAVED", shortCaptureName(path), 3000);
    else showCaptureToast(L"SAVE FAILED", folder.empty() ? L"Pictures\\KivoPlayer" : shortenForToast(folder), 3000);
}

void pickCaptureFolder() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) return;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM);
    dialog->SetTitle(tr(L"เลือกโฟลเดอร์เก็บภาพ"));
    IShellItem* start = nullptr;
    if (SUCCEEDED(SHCreateItemFromParsingName(captureFolderName(), nullptr, IID_PPV_ARGS(&start)))) {
        dialog->SetFolder(start);
        start->Release();
    }
    IShellItem* result = nullptr;
    bool picked = SUCCEEDED(dialog->Show(mainWindow));
    RaiseOwnedPanels(mainWindow);
    if (picked && SUCCEEDED(dialog->GetResult(&result))) {
        PWSTR chosen = nullptr;
        if (SUCCEEDED(result->GetDisplayName(SIGDN_FILESYSPATH, &chosen)) && chosen) {
            copyToField(appSettings().shotdir, toUtf8(chosen));
            if (!testMode) saveSettings();
            showCaptureToast(L"CAPTURE FOLDER", shortenForToast(chosen), 3000);
            CoTaskMemFree(chosen);
        }
        result->Release();
    }
    dialog->Release();
}
