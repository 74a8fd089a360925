#include "engine/open_files.h"

#include "app/diaglog.h"
#include "app/startup.h"
#include "app/textconv.h"

void startPlayback(const std::vector<std::wstring>& files) {
    if (files.empty()) return;
    if (testMode) {
        for (const std::wstring& f : files) diagLog("play %s", toUtf8(f).c_str());
    }
}

void* engineThread() { return nullptr; }

void openFileDialog(bool) {}
