#include "engine/playlist_access.h"

#include "engine/playlist_window.h"

namespace {

int elementCount(HWND) {
    PlaylistAccessView view;
    return playlistAccessView(view) ? playlistAccessCount(view) : 0;
}

bool describeElement(HWND, int child, AccessItem& item) {
    PlaylistAccessView view;
    playlistAccessView(view);
    std::wstring title = child >= kPlaylistAccessFirstEntry ? playlistEntryTitle(child - kPlaylistAccessFirstEntry) : L"";
    return playlistAccessItem(view, child, title, item);
}

bool pressElement(HWND, int child) {
    pressPlaylistElement(child);
    return true;
}

}  // namespace

const AccessProvider kPlaylistAccess = {elementCount, describeElement, pressElement, nullptr};
