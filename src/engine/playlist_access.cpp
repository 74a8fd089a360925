#include "engine/playlist_access.h"

namespace {

int elementCount(HWND) {
    PlaylistAccessView view;
    return playlistAccessView(view) ? playlistAccessCount(view) : 0;
}

bool describeElement(HWND, int child, AccessItem& item) {
    PlaylistAccessView view;
    playlistAccessView(view);
    std::wstring title = child >= kPlaylistAccessFirstEntry ? playlistEntryTitle(playlistAccessHit(child).index) : L"";
    return playlistAccessItem(view, child, title, item);
}

bool pressElement(HWND, int child) {
    pressPlaylistElement(child);
    return true;
}

// The mouse's own hit test: a long queue is not walked entry by entry.
int elementAt(HWND, int x, int y) {
    PlaylistAccessView view;
    if (!playlistAccessView(view)) return 0;
    return playlistAccessChild(hitTestPlaylist(view.width, view.height, view.count, view.firstRow, x, y));
}

}  // namespace

const AccessProvider kPlaylistAccess = {elementCount, describeElement, pressElement, nullptr, elementAt};
