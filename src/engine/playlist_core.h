// The playlist panel's arithmetic: its size beside the picture, the visible rows, scrolling,
// hit-testing and the scroll bar. Unscaled 96-dpi pixels, panel coordinates. No platform headers.
#pragma once
#include <string>

#include "osd/access_core.h"

constexpr int kPlaylistRowTop = 44;
constexpr int kPlaylistRowHeight = 30;
constexpr int kPlaylistWheelRows = 3;

// Where the user's pointer is: what the hit test returns and the hover state holds.
enum PlaylistPart { kPartNone = 0, kPartClose = 1, kPartRow = 2, kPartRemove = 3, kPartAdd = 4, kPartClear = 5 };

struct PlaylistBox {
    int left, top, right, bottom;
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The panel's size and its top-left corner in screen pixels, from the owner's client area
// (real pixels), its origin on the screen and the title bar height (0 in full screen).
struct PlaylistPlacement {
    int width, height;  // unscaled
    int x, y;           // screen
};
PlaylistPlacement placePlaylist(int clientWidth, int clientHeight, int originX, int originY, int titleBar,
                                float scale);

int playlistVisibleRows(int height);
PlaylistBox playlistCloseBox(int width);
PlaylistBox playlistAddBox(int width, int height);
PlaylistBox playlistClearBox(int width, int height);

// The scroll offset kept inside the list.
int clampFirstRow(int firstRow, int count, int rows);
// The offset that brings `playing` into view (unchanged when it is already visible or none).
int scrollToEntry(int firstRow, int playing, int rows);

struct PlaylistHit {
    PlaylistPart part;
    int index;  // entry for kPartRow and kPartRemove, else -1
};
// Buttons first, then the rows of existing entries.
PlaylistHit hitTestPlaylist(int width, int height, int count, int firstRow, int x, int y);

// Scroll bar thumb; `visible` is false when every entry fits.
struct PlaylistThumb {
    bool visible;
    float top, height;
};
PlaylistThumb playlistThumb(int height, int count, int firstRow);

// The row text of an entry without a title: the file name after the last "\" or "/".
std::string entryNameFromPath(const std::string& path);

// The panel's elements for a screen reader: close, add, clear, then per entry a list item and
// its remove button (entries out of view have no place). `title` is the entry's row text.
enum PlaylistAccessChild : int { kPlaylistAccessClose = 1, kPlaylistAccessAdd, kPlaylistAccessClear, kPlaylistAccessFirstEntry };
struct PlaylistAccessView {
    int width = 0, height = 0, count = 0, firstRow = 0, playing = -1;
};
int playlistAccessCount(const PlaylistAccessView& view);
// The hit a click on the element would be, and the element a hit falls on (0 for none).
PlaylistHit playlistAccessHit(int child);
int playlistAccessChild(PlaylistHit hit);
bool playlistAccessItem(const PlaylistAccessView& view, int child, const std::wstring& title, AccessItem& item);
