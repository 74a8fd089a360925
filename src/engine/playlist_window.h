// The playlist panel: the engine's queue, shown and edited.
#pragma once

struct HWND__;
struct EngineAccess;

// Hands the panel the window it opens over and the engine access it reads and edits the queue
// with; called once, before the first toggle.
void initPlaylist(HWND__* owner, const EngineAccess& engine);
void togglePlaylist();
bool isPlaylistOpen();
void closePlaylist();
// Keeps the panel beside the main window after it moved or changed size.
void repositionPlaylist();
// Every 100 ms: follows the engine's queue.
void playlistTick();
// Builds the rows again (after a language change) when the panel is open.
void rebuildPlaylistIfOpen();
