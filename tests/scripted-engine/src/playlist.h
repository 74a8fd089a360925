// The playlist commands and the folder expansion behind "autocreate-playlist"
// and loading a folder.
#pragma once

#include <string>
#include <vector>

#include "engine_state.h"

constexpr int kNoExpansion = -1;

// When the entry at `index` is a folder, or a lone file while autocreate-playlist
// is on, replaces it by the folder's media files (reporting an end-file with the
// redirect reason) and returns the index to play next; kNoExpansion otherwise.
int expandFolderEntry(Engine &engine, int index);

// Media files of a folder that match the given types ("video", "audio",
// "image"), in natural order (numbers by value, letters without case).
std::vector<std::string> listFolderMedia(const Engine &engine, const std::string &folder,
                                         const std::vector<std::string> &types, bool recursive);

bool naturalLess(const std::string &left, const std::string &right);

// Commands; arguments include the command name. Each returns 0 or an error code.
int commandLoadfile(Engine &engine, const std::vector<std::string> &args);
int commandPlaylistNext(Engine &engine, const std::vector<std::string> &args);
int commandPlaylistPrev(Engine &engine, const std::vector<std::string> &args);
int commandPlaylistPlayIndex(Engine &engine, const std::vector<std::string> &args);
int commandPlaylistRemove(Engine &engine, const std::vector<std::string> &args);
int commandPlaylistClear(Engine &engine, const std::vector<std::string> &args);
int commandStop(Engine &engine, const std::vector<std::string> &args);

// Setting "playlist-pos": -1 stops, an index plays that entry.
int setPlaylistPosition(Engine &engine, long long index);
