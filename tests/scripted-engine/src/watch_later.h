// Resume files ("watch later"), in the engine's own format: one file per media
// path in the watch-later folder, named by the upper-case hex MD5 of the path,
// holding "# <path>" (when write-filename-in-watch-later-config is set) and
// "start=<seconds>" plus any other option named in watch-later-options.
#pragma once

#include <string>

#include "engine_state.h"

// The watch-later folder: the watch-later-dir option, or the engine's default
// %APPDATA%\mpv\watch_later.
std::wstring resumeFolder(const Engine &engine);

// The text whose digest names the resume file: URLs as they are, local paths
// made absolute (or only the file name with ignore-path-in-watch-later-config).
std::string resumeKeyFor(const Engine &engine, const std::string &mediaPath);

std::wstring resumeFilePath(const Engine &engine, const std::string &mediaPath);

// Writes the resume file of the loaded file; nothing happens while idle.
int writeResumeState(Engine &engine);

int deleteResumeState(Engine &engine, const std::string &mediaPath);

// Reads the resume file of a path: gives its start position and applies the
// other options it holds. False when there is none.
bool loadResumeState(Engine &engine, const std::string &mediaPath, double &start);
