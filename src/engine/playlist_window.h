// The playlist panel: the engine's queue, shown and edited.
#pragma once

void togglePlaylist();
bool isPlaylistOpen();
void closePlaylist();
// Keeps the panel beside the main window after it moved or changed size.
void repositionPlaylist();
// Every 100 ms: follows the engine's queue.
void playlistTick();
// Builds the rows again (after a language change) when the panel is open.
void rebuildPlaylistIfOpen();
