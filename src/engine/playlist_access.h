// The playlist panel for a screen reader: its buttons and one list item per queued file; and
// what the panel hands its provider.
#pragma once
#include <string>

#include "engine/playlist_core.h"
#include "osd/accessible.h"

extern const AccessProvider kPlaylistAccess;

// What the panel shows (false while closed), an entry's row text, and a click on an element.
bool playlistAccessView(PlaylistAccessView& view);
std::wstring playlistEntryTitle(int entry);
void pressPlaylistElement(int child);
