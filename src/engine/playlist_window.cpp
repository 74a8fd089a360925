#include "engine/playlist_window.h"

void togglePlaylist() {}
bool isPlaylistOpen() { return false; }
void closePlaylist() {}
void repositionPlaylist() {}
void playlistTick() {}
void rebuildPlaylistIfOpen() {}
